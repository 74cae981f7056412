#include "jvm/narrow_text.h"
#include "launcher/argument_list.h"

#include <windows.h>

#include <vector>

std::string NarrowForVm(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int length = WideCharToMultiByte(
        CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()),
                            &narrow[0], length, nullptr, nullptr);
    return narrow;
}

static bool SurvivesNarrowing(const std::wstring& text)
{
    const std::string narrow = NarrowForVm(text);
    const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.data(),
                                           static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring back(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.data(), static_cast<int>(narrow.size()),
                            &back[0], length);
    return back == text;
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
