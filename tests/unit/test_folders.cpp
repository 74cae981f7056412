#include "test_folders.h"

#include <windows.h>

#include <cstdio>

std::wstring TestBinaryFolder()
{
    wchar_t path[MAX_PATH * 4] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

std::wstring NewScratchFolder()
{
    static int s_counter = 0;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    for (;;)
    {
        std::wstring folder = std::wstring(temp) + L"jvmhost-unit-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++s_counter);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder + L"\\";
    }
}

void WriteTextFile(const std::wstring& path, const std::string& bytes)
{
    FILE* pFile = _wfopen(path.c_str(), L"wb");
    if (pFile == nullptr)
        return;
    fwrite(bytes.data(), 1, bytes.size(), pFile);
    fclose(pFile);
}

std::string ReadTextFile(const std::wstring& path)
{
    std::string bytes;
    FILE* pFile = _wfopen(path.c_str(), L"rb");
    if (pFile == nullptr)
        return bytes;
    char chunk[4096];
    size_t count;
    while ((count = fread(chunk, 1, sizeof(chunk), pFile)) > 0)
        bytes.append(chunk, count);
    fclose(pFile);
    return bytes;
}
