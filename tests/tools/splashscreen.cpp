// Stand-in for a Java runtime's splash library (bin\splashscreen.dll): records each call and
// its arguments in record.txt beside the executable. Built without "SplashSetFileJarName" when
// SPLASH_WITHOUT_JAR_NAME is defined, to stand for a library that lacks an entry.
#include <windows.h>

#include <cstdio>
#include <string>

static void Record(const std::string& line)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file = file.substr(0, file.rfind(L'\\') + 1) + L"record.txt";
    FILE* pFile = _wfopen(file.c_str(), L"ab");
    if (pFile == nullptr)
        return;
    fputs((line + "\n").c_str(), pFile);
    fclose(pFile);
}

extern "C" __declspec(dllexport) void SplashInit()
{
    Record("splash: SplashInit");
}

extern "C" __declspec(dllexport) int SplashLoadFile(const char* pFileName)
{
    Record(std::string("splash: SplashLoadFile ") + pFileName);
    return 1;
}

#ifndef SPLASH_WITHOUT_JAR_NAME
extern "C" __declspec(dllexport) void SplashSetFileJarName(const char* pFileName,
                                                           const char* pJarName)
{
    Record(std::string("splash: SplashSetFileJarName ") + pFileName + "|" + pJarName);
}
#endif

extern "C" __declspec(dllexport) void SplashClose()
{
    Record("splash: SplashClose");
}
