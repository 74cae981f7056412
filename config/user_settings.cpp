#include "config/user_settings.h"
#include "base/path_pieces.h"
#include "config/settings_file.h"
#include "launcher/launcher.h"
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

bool IsUserSettingsPlatform()
{
    OSVERSIONINFOEXW extended;
    ZeroMemory(&extended, sizeof(extended));
    extended.dwOSVersionInfoSize = sizeof(extended);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)))
        return extended.dwPlatformId == VER_PLATFORM_WIN32_NT;
    OSVERSIONINFOW plain;
    ZeroMemory(&plain, sizeof(plain));
    plain.dwOSVersionInfoSize = sizeof(plain);
    if (GetVersionExW(&plain))
        return plain.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
    return false;
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

std::wstring ExecutableBaseName(const std::wstring& executablePath)
{
    const std::wstring name = LastComponent(executablePath);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

void CLauncher::BuildUserSettingsFilePath(const std::wstring& executablePath, std::wstring& path,
                                          bool createFolders)
{
    wchar_t appData[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    path = length > 0 && length < MAX_PATH ? appData : L"";
    path += L"\\" + FilterProductFolderName(m_productName);
    if (createFolders)
        CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + m_productCode;
    if (createFolders)
        CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\" + ExecutableBaseName(executablePath) + L".ini";
}

void CLauncher::GetUserSettingsFilePath(std::wstring& path, bool createFolders)
{
    path.clear();
    std::wstring modulePath;
    if (GetModulePath(modulePath))
        BuildUserSettingsFilePath(modulePath, path, createFolders);
}

void CLauncher::GetPairUserSettingsFilePath(std::wstring& path)
{
    path.clear();
    if (!m_pairProduct.empty())
        BuildUserSettingsFilePath(m_pairProduct, path, true);
}

bool CLauncher::GetPairSettingsFilePath(std::wstring& path)
{
    if (m_pairProduct.empty())
        return false;
    return DeriveSettingsFilePath(m_pairProduct, path);
}

void CLauncher::SaveJrePath(const std::wstring& home)
{
    std::wstring pairSettingsFile;
    if (!GetPairSettingsFilePath(pairSettingsFile))
        return;
    if (IsUserSettingsPlatform() && !m_bService)
    {
        std::wstring userFile;
        GetUserSettingsFilePath(userFile, true);
        if (!userFile.empty())
            WriteJrePath(userFile, home);
        std::wstring pairUserFile;
        GetPairUserSettingsFilePath(pairUserFile);
        if (!pairUserFile.empty())
            WriteJrePath(pairUserFile, home);
        return;
    }
    WriteJrePath(pairSettingsFile, home);
}
