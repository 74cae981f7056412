// The launcher's settings, read once at start.
#include "config/settings_file.h"
#include "launcher/error_report.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

#include <algorithm>

static const wchar_t kJreSection[] = L"Java Runtime Environment";

bool CLauncher::ReadSettings()
{
    std::wstring settingsFile;
    if (!GetSettingsFilePath(settingsFile))
        return false;

    // PLACEHOLDER: only "Main Class" is read so far; the rest of the settings model (versions,
    // JRE choice, vendors, application keys) is not built yet and keeps its initial values.

    LookupSetting(settingsFile, kJreSection, L"Main Class", m_mainClass);
    if (m_mainClass.empty())
    {
        ShowErrorMessage(m_hMessageOwner, LoadText(IDS_NO_MAIN_CLASS));
        return false;
    }
    std::replace(m_mainClass.begin(), m_mainClass.end(), L'.', L'/');
    return true;
}
