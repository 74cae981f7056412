// Stand-in for a companion executable. Beside it, NAME.cmdline receives its command line
// (UTF-8), NAME.exitcode gives the code it exits with and NAME.delay how many milliseconds
// it waits first; NAME is its own path without ".exe".
#include "command_line_file.h"

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
    WriteCommandLineFile(SiblingPath(L".cmdline").c_str());
    Sleep(static_cast<DWORD>(ReadNumber(L".delay")));
    return static_cast<int>(ReadNumber(L".exitcode"));
}
