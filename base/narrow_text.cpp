// Text in the VM's code page, and paths that survive the narrowing.
#include "base/narrow_text.h"
#include "base/argument_list.h"
#include "base/text.h"

#include <windows.h>

std::string NarrowForVm(const std::wstring& text)
{
    return ToCodePage(text, CP_THREAD_ACP);
}

bool SurvivesNarrowing(const std::wstring& text)
{
    return FromCodePage(NarrowForVm(text), CP_THREAD_ACP) == text;
}

std::wstring AnsiSafePath(const CMachineView& machine, const std::wstring& path)
{
    if (path.empty() || SurvivesNarrowing(path))
        return path;
    const std::wstring shortPath = machine.ShortPath(path);
    return !shortPath.empty() && SurvivesNarrowing(shortPath) ? shortPath : path;
}

std::wstring AnsiSafePathList(const CMachineView& machine, const std::wstring& list)
{
    std::wstring result;
    size_t start = 0;
    for (;;)
    {
        const size_t separator = list.find(L';', start);
        result += AnsiSafePath(machine, list.substr(start, separator - start));
        if (separator == std::wstring::npos)
            return result;
        result += L';';
        start = separator + 1;
    }
}
