// Test programs that stand in for others write down how they were started.
#ifndef JVMHOST_TESTS_COMMAND_LINE_FILE_H
#define JVMHOST_TESTS_COMMAND_LINE_FILE_H

#include <windows.h>

#include <cstdio>
#include <string>

// Writes the process's command line, in UTF-8, to the file; false when it cannot.
inline bool WriteCommandLineFile(const wchar_t* pPath)
{
    const wchar_t* pCommandLine = GetCommandLineW();
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length - 1 : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, pCommandLine, -1, &utf8[0], length, nullptr, nullptr);
    FILE* pFile = _wfopen(pPath, L"wb");
    if (pFile == nullptr)
        return false;
    fwrite(utf8.data(), 1, utf8.size(), pFile);
    fclose(pFile);
    return true;
}

#endif
