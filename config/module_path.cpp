// The executable's own path and the settings file beside it.
#include "config/path_pieces.h"
#include "config/settings_file.h"
#include "launcher/error_report.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

#include <vector>

bool CLauncher::GetModulePath(std::wstring& path)
{
    // A path longer than the classic limit is read whole: a cut one would name a
    // settings file that does not exist.
    DWORD size = MAX_PATH;
    for (;;)
    {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
        {
            const DWORD errorCode = GetLastError();
            ShowFormattedError(m_hMessageOwner, LoadText(IDS_WINDOWS_EXCEPTION),
                               LoadText(IDS_MODULE_PATH_FAILED), errorCode);
            return false;
        }
        if (length < size || size >= 32768)
        {
            path.assign(buffer.data(), length < size ? length : size - 1);
            return true;
        }
        size *= 2;
    }
}

bool CLauncher::GetModuleFolder(std::wstring& folder)
{
    folder.clear();
    std::wstring modulePath;
    if (!GetModulePath(modulePath))
        return false;
    folder = FolderWithBackslash(modulePath);
    return true;
}

bool CLauncher::GetSettingsFilePath(std::wstring& path)
{
    std::wstring modulePath;
    if (!GetModulePath(modulePath))
        return false;
    return DeriveSettingsFilePath(modulePath, path);
}
