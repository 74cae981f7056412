// The per-user settings files, which remember the runtime a user picked.
#include "config/user_settings.h"
#include "base/path_pieces.h"
#include "config/settings_file.h"
#include "base/unique_handle.h"

// Writes "JRE Path". A file that does not exist yet is started as UTF-16, so that a folder
// name outside the ANSI code page is stored intact.
static void WriteJrePath(const std::wstring& file, const std::wstring& home)
{
    {
        const CUniqueFile hFile(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        static const unsigned char kUtf16Mark[] = {0xFF, 0xFE};
        DWORD written = 0;
        if (hFile)
            WriteFile(hFile.Get(), kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr);
    }
    WritePrivateProfileStringW(kJreSection, L"JRE Path", home.c_str(), file.c_str());
}

std::wstring FilterProductFolderName(const std::wstring& productName)
{
    std::wstring folder;
    for (wchar_t c : productName)
    {
        if (std::wstring(L"\\?\"|><:/*").find(c) == std::wstring::npos)
            folder += c;
    }
    return folder;
}

std::wstring UserSettingsFilePath(const std::wstring& executablePath,
                                  const std::wstring& productName, const std::wstring& productCode,
                                  bool createFolders)
{
    wchar_t appData[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    std::wstring path = length > 0 && length < MAX_PATH ? appData : L"";
    path += L"\\" + FilterProductFolderName(productName);
    if (createFolders)
        CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + productCode;
    if (createFolders)
        CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\" + ExecutableBaseName(executablePath) + L".ini";
}

void SaveJrePath(const SLaunchSettings& settings, const std::wstring& modulePath,
                 const std::wstring& home)
{
    // Only a launch with a pair product remembers the runtime a user picked.
    std::wstring pairSettingsFile;
    const std::wstring& pair = settings.m_pairProduct;
    if (pair.empty() || !DeriveSettingsFilePath(pair, pairSettingsFile))
        return;
    if (settings.m_bService)
    {
        WriteJrePath(pairSettingsFile, home);
        return;
    }
    WriteJrePath(
        UserSettingsFilePath(modulePath, settings.m_productName, settings.m_productCode, true),
        home);
    WriteJrePath(UserSettingsFilePath(pair, settings.m_productName, settings.m_productCode, true),
                 home);
}
