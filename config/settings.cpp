// The launcher's settings, read once at start.
#include "config/settings_file.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "config/user_settings.h"
#include "jre/jvm_resolution.h"
#include "report/error_report.h"
#include "report/launch_trace.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

#include <algorithm>

namespace
{
struct SVmProvider
{
    const wchar_t* name;
    bool allowJRockit, favorJRockit, allowSun, favorSun, allowIbm, favorIbm;
};

const SVmProvider kVmProviders[] = {
    {L"jrockit", true, true, false, false, false, false},
    {L"ibm", false, false, false, false, true, true},
    {L"favor_sun", true, false, true, true, true, false},
    {L"favor_jrockit", true, true, true, false, true, false},
    {L"favor_ibm", true, false, true, false, true, true},
    {L"any", true, false, true, false, true, false},
};
} // namespace

bool CLauncher::ReadSettings()
{
    const CTraceStep step(L"settings");
    std::wstring file;
    if (!GetSettingsFilePath(file))
        return false;
    TraceLine(L"settings file: " + file);
    return ReadSettingsFile(file);
}

bool CLauncher::ReadSettingsFile(const std::wstring& file)
{
    ReadProfileString(file, kProductSection, L"Product Code", m_productCode);
    ReadProfileString(file, kProductSection, L"Product Name", m_productName);

    std::wstring value;
    LookupSetting(file, kJreSection, L"Minimum Version", value);
    if (value == L"any")
        m_minVersion.Set(0, 0, 0, 0);
    else
        m_minVersion.Parse(value, kVersionFillLow);

    LookupSetting(file, kJreSection, L"Maximum Version", value);
    if (value == L"any")
        m_maxVersion.Set(kVersionFillHigh, kVersionFillHigh, kVersionFillHigh, kVersionFillHigh);
    else
        m_maxVersion.Parse(value, kVersionFillHigh);

    LookupSetting(file, kApplicationSection, L"Application Type", value);
    m_bService = value == L"service";

    LookupSetting(file, kJreSection, L"Preferred versions", value);
    SplitString(value, L";", m_preferredVersions);

    ReadJrePath(file);

    LookupSetting(file, kJreSection, L"JVM Type", value);
    m_jvmType = value == L"server"         ? JvmTypeServer
                : value == L"favor_server" ? JvmTypeFavorServer
                                           : JvmTypeDefault;

    LookupSetting(file, kJreSection, L"JVM Source", value);
    if (!value.empty())
        m_searchBothKinds = value == L"favor_JRE" || value == L"favor_JDK";
    m_preferJdk = value.empty() || value == L"favor_JDK" || value == L"only_JDK";
    m_preferJre = value.empty() || value == L"favor_JRE" || value == L"only_JRE";

    LookupSetting(file, kJreSection, L"VM Provider", value);
    for (const SVmProvider& provider : kVmProviders)
    {
        if (value.empty() || !EqualsIgnoringAsciiCase(value, provider.name))
            continue;
        m_allowJRockit = provider.allowJRockit;
        m_favorJRockit = provider.favorJRockit;
        m_allowSun = provider.allowSun;
        m_favorSun = provider.favorSun;
        m_allowIbm = provider.allowIbm;
        m_favorIbm = provider.favorIbm;
        break;
    }

    LookupSetting(file, kJreSection, L"Main Class", m_mainClass);
    if (m_mainClass.empty())
    {
        ShowErrorMessage(m_hMessageOwner, LoadText(IDS_NO_MAIN_CLASS));
        return false;
    }
    std::replace(m_mainClass.begin(), m_mainClass.end(), L'.', L'/');

    LookupSetting(file, kApplicationSection, L"Failure Check", value);
    m_bFailureCheck = IsYesValue(value);
    LookupSetting(file, kApplicationSection, L"Override WorkingDir", value);
    m_bOverrideWorkingDir = IsYesValue(value);

    LookupSetting(file, kJreSection, L"System Path", m_systemPath);
    LookupSetting(file, kJreSection, L"Library Path", m_libraryPath);

    LookupSetting(file, kApplicationSection, L"Pair Product", m_pairProduct);
    LookupSetting(file, kApplicationSection, L"Pair Return Code", value);
    m_bPairReturnCode = IsYesValue(value);
    LookupSetting(file, kJreSection, L"Modern Runtimes", value);
    // From the "+" section the value comes with a leading blank; this key still says yes there.
    value.erase(0, value.find_first_not_of(L' '));
    m_bModernRuntimes = IsYesValue(value);
    return true;
}

void CLauncher::ReadJrePath(const std::wstring& settingsFile)
{
    // Once the user's own settings file exists it decides "JRE Path", even when empty.
    if (IsUserSettingsPlatform() && !m_bService)
    {
        std::wstring userFile;
        GetUserSettingsFilePath(userFile, false);
        if (!userFile.empty() && userFile.size() < MAX_PATH && FileExists(userFile))
        {
            ReadProfileString(userFile, kJreSection, L"JRE Path", m_jrePath);
            return;
        }
    }
    LookupSetting(settingsFile, kJreSection, L"JRE Path", m_jrePath);
}
