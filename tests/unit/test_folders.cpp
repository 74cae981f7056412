#include "test_folders.h"
#include "base/path_pieces.h"
#include "base/unique_handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    const CUniqueFind hFind(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (hFind)
    {
        do
        {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(hFind.Get(), &data));
    }
    RemoveDirectoryW(folder.c_str());
}

// The scratch folders of this test process, removed with everything in them when it ends.
class CScratchFolders
{
public:
    ~CScratchFolders()
    {
        for (const std::wstring& folder : m_folders)
            RemoveTree(folder);
    }
    void Add(const std::wstring& folder) { m_folders.push_back(folder); }

private:
    std::vector<std::wstring> m_folders;
};

CScratchFolders s_scratchFolders;
} // namespace

std::wstring TestProgramPath()
{
    std::wstring path;
    ReadModulePath(path);
    return path;
}

std::wstring TestBinaryFolder()
{
    return FolderWithBackslash(TestProgramPath());
}

std::wstring NewScratchFolder()
{
    static int s_counter = 0;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    // Names left by an earlier process of the same id are skipped, a bounded number of them;
    // any other failure ends the test run with the reason.
    DWORD error = 0;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        const std::wstring folder = std::wstring(temp) + L"jvmhost-unit-" +
                                    std::to_wstring(GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(++s_counter);
        if (CreateDirectoryW(folder.c_str(), nullptr))
        {
            s_scratchFolders.Add(folder);
            return folder + L"\\";
        }
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS)
            break;
    }
    std::fprintf(stderr, "cannot create a scratch folder under %ls (error %lu)\n", temp, error);
    std::exit(1);
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

void RequireDesktopLock()
{
    wchar_t value[8] = L"";
    if (GetEnvironmentVariableW(L"JVMHOST_TEST_DESKTOP", value, 8) == 0)
        ADD_FAILURE() << "this test uses the desktop: end its suite name in OnDesktop";
}
