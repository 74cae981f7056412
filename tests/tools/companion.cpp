// Stand-in for a companion executable. Beside it, NAME.cmdline receives its command line
// (UTF-8), NAME.exitcode gives the code it exits with and NAME.delay how many milliseconds
// it waits first; NAME is its own path without ".exe".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

static std::wstring SiblingPath(const wchar_t* extension)
{
    wchar_t path[MAX_PATH * 4] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring base = path;
    const size_t dot = base.rfind(L'.');
    if (dot != std::wstring::npos && base.find(L'\\', dot) == std::wstring::npos)
        base.resize(dot);
    return base + extension;
}

static long ReadNumber(const wchar_t* extension)
{
    FILE* pFile = _wfopen(SiblingPath(extension).c_str(), L"rb");
    if (pFile == nullptr)
        return 0;
    long value = 0;
    if (fscanf(pFile, "%ld", &value) != 1)
        value = 0;
    fclose(pFile);
    return value;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const wchar_t* pCommandLine = GetCommandLineW();
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length - 1 : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, &utf8[0], length, nullptr, nullptr);
    FILE* pFile = _wfopen(SiblingPath(L".cmdline").c_str(), L"wb");
    if (pFile != nullptr)
    {
        fwrite(utf8.data(), 1, utf8.size(), pFile);
        fclose(pFile);
    }
    Sleep(static_cast<DWORD>(ReadNumber(L".delay")));
    return static_cast<int>(ReadNumber(L".exitcode"));
}
