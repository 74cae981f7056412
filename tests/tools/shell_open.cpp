// Stands in for the browser in the tests' Wine prefix, which opens http and https addresses
// with it: writes its command line (UTF-8) to shell-open.txt in its current directory, which
// is the directory of the program that asked the shell to open the address.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const wchar_t* pCommandLine = GetCommandLineW();
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length - 1 : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, &utf8[0], length, nullptr, nullptr);
    FILE* pFile = _wfopen(L"shell-open.txt", L"wb");
    if (pFile == nullptr)
        return 1;
    fwrite(utf8.data(), 1, utf8.size(), pFile);
    fclose(pFile);
    return 0;
}
