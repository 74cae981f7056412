// Prints what Windows itself reads of an executable's version information and icons, one
// "name=value" line each, in UTF-8: the fixed version numbers, the strings of the US English
// Unicode table, the number of icons ExtractIconExW finds and the size of the first large one.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

static void PrintLine(const wchar_t* name, const std::wstring& value)
{
    std::wstring line = std::wstring(name) + L"=" + value + L"\n";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, text.data(), size, nullptr, nullptr);
    fputs(text.c_str(), stdout);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, data.data()))
        return 1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        PrintLine(L"numbers", std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                  std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                  std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                                  std::to_wstring(LOWORD(fixed->dwFileVersionLS)));
    for (const wchar_t* name :
         {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
          L"OriginalFilename", L"ProductName", L"ProductVersion"})
    {
        wchar_t* value = nullptr;
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            PrintLine(name, value);
    }
    PrintLine(L"icons", std::to_wstring(ExtractIconExW(argv[1], -1, nullptr, nullptr, 0)));
    HICON large = nullptr;
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (ExtractIconExW(argv[1], 0, &large, nullptr, 1) == 1 && GetIconInfo(large, &info) &&
        GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) != 0)
        PrintLine(L"large", std::to_wstring(bitmap.bmWidth));
    return 0;
}
