#include "base/narrow_text.h"
#include "base/argument_list.h"
#include "base/text.h"

#include <windows.h>

#include <vector>

std::string NarrowForVm(const std::wstring& text)
{
    return ToCodePage(text, CP_THREAD_ACP);
}

static bool SurvivesNarrowing(const std::wstring& text)
{
    return FromCodePage(NarrowForVm(text), CP_THREAD_ACP) == text;
}

std::wstring AnsiSafePath(const std::wstring& path)
{
    if (path.empty() || SurvivesNarrowing(path))
        return path;
    const DWORD length = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0)
        return path;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    if (GetShortPathNameW(path.c_str(), buffer.data(), length + 1) == 0)
        return path;
    const std::wstring shortPath = buffer.data();
    return SurvivesNarrowing(shortPath) ? shortPath : path;
}

std::wstring AnsiSafePathList(const std::wstring& list)
{
    std::wstring result;
    size_t start = 0;
    for (;;)
    {
        const size_t separator = list.find(L';', start);
        result += AnsiSafePath(list.substr(start, separator - start));
        if (separator == std::wstring::npos)
            return result;
        result += L';';
        start = separator + 1;
    }
}
