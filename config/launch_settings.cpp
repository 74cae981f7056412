// Reading the launch's settings, once, and what the typed ones decide.
#include "config/launch_settings.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "config/settings_file.h"
#include "config/user_settings.h"

#include <windows.h>

#include <algorithm>

namespace
{
struct SVmProviderName
{
    const wchar_t* pName;
    EVmProvider provider;
};

// Compared without regard to ASCII case; any other value leaves Sun alone.
const SVmProviderName kVmProviders[] = {
    {L"jrockit", VmProviderJRockit},    {L"ibm", VmProviderIbm},
    {L"favor_sun", VmProviderFavorSun}, {L"favor_jrockit", VmProviderFavorJRockit},
    {L"favor_ibm", VmProviderFavorIbm}, {L"any", VmProviderAny},
};

// Compared exactly.
EJvmSource ParseJvmSource(const std::wstring& value)
{
    if (value.empty())
        return JvmSourceUnset;
    return value == L"favor_JRE"   ? JvmSourceFavorJre
           : value == L"favor_JDK" ? JvmSourceFavorJdk
           : value == L"only_JRE"  ? JvmSourceOnlyJre
           : value == L"only_JDK"  ? JvmSourceOnlyJdk
                                   : JvmSourceOther;
}

EVmProvider ParseVmProvider(const std::wstring& value)
{
    for (const SVmProviderName& entry : kVmProviders)
    {
        if (!value.empty() && EqualsIgnoringAsciiCase(value, entry.pName))
            return entry.provider;
    }
    return VmProviderSun;
}

std::wstring Lookup(const std::wstring& file, const wchar_t* pSection, const wchar_t* pKey)
{
    std::wstring value;
    LookupSetting(file, pSection, pKey, value);
    return value;
}

// A one-word value. From the "+" section it comes with a leading blank; it still counts there.
std::wstring LookupWord(const std::wstring& file, const wchar_t* pSection, const wchar_t* pKey)
{
    std::wstring value = Lookup(file, pSection, pKey);
    value.erase(0, value.find_first_not_of(L' '));
    return value;
}

bool LookupYes(const std::wstring& file, const wchar_t* pSection, const wchar_t* pKey)
{
    return IsYesValue(Lookup(file, pSection, pKey));
}

std::wstring ReadRaw(const std::wstring& file, const wchar_t* pSection, const wchar_t* pKey)
{
    std::wstring value;
    ReadProfileString(file, pSection, pKey, value);
    return value;
}

// Once the user's own settings file exists it decides "JRE Path", even when empty. A service
// runs for no user and has none.
std::wstring ReadJrePath(const SLaunchSettings& settings, const std::wstring& executablePath)
{
    if (!settings.m_bService)
    {
        const std::wstring userFile = UserSettingsFilePath(executablePath, settings.m_productName,
                                                           settings.m_productCode, false);
        if (!userFile.empty() && userFile.size() < MAX_PATH && FileExists(userFile))
            return ReadRaw(userFile, kJreSection, L"JRE Path");
    }
    return Lookup(settings.m_file, kJreSection, L"JRE Path");
}
} // namespace

bool SearchesBothKinds(EJvmSource source)
{
    return source == JvmSourceUnset || source == JvmSourceFavorJre || source == JvmSourceFavorJdk;
}

bool PrefersKind(EJvmSource source, bool isJdk)
{
    if (source == JvmSourceUnset)
        return true;
    return isJdk ? source == JvmSourceFavorJdk || source == JvmSourceOnlyJdk
                 : source == JvmSourceFavorJre || source == JvmSourceOnlyJre;
}

bool IsVendorFavored(EVmProvider provider, EVendor vendor)
{
    switch (provider)
    {
        case VmProviderSun:
        case VmProviderFavorSun:
            return vendor == VendorSun;
        case VmProviderJRockit:
        case VmProviderFavorJRockit:
            return vendor == VendorJRockit;
        case VmProviderIbm:
        case VmProviderFavorIbm:
            return vendor == VendorIbm;
        case VmProviderAny:
            break;
    }
    return false;
}

bool IsVendorSearched(EVmProvider provider, EVendor vendor)
{
    // "jrockit", "ibm" and the default take their one vendor; the others take all three.
    const bool bOnlyOne =
        provider == VmProviderSun || provider == VmProviderJRockit || provider == VmProviderIbm;
    return !bOnlyOne || IsVendorFavored(provider, vendor);
}

bool ReadLaunchSettings(const std::wstring& file, const std::wstring& executablePath,
                        SLaunchSettings& settings)
{
    settings.m_file = file;
    settings.m_productCode = ReadRaw(file, kProductSection, L"Product Code");
    settings.m_productName = ReadRaw(file, kProductSection, L"Product Name");

    std::wstring value = Lookup(file, kJreSection, L"Minimum Version");
    if (value == L"any")
        settings.m_minVersion.Set(0, 0, 0, 0);
    else
        settings.m_minVersion.Parse(value, kVersionFillLow);
    value = Lookup(file, kJreSection, L"Maximum Version");
    if (value == L"any")
        settings.m_maxVersion.Set(kVersionFillHigh, kVersionFillHigh, kVersionFillHigh,
                                  kVersionFillHigh);
    else
        settings.m_maxVersion.Parse(value, kVersionFillHigh);

    settings.m_bService = Lookup(file, kApplicationSection, L"Application Type") == L"service";
    SplitString(Lookup(file, kJreSection, L"Preferred versions"), L";",
                settings.m_preferredVersions);
    settings.m_jrePath = ReadJrePath(settings, executablePath);

    value = Lookup(file, kJreSection, L"JVM Type");
    settings.m_jvmType = value == L"server"         ? JvmTypeServer
                         : value == L"favor_server" ? JvmTypeFavorServer
                                                    : JvmTypeDefault;
    settings.m_jvmSource = ParseJvmSource(Lookup(file, kJreSection, L"JVM Source"));
    settings.m_vmProvider = ParseVmProvider(Lookup(file, kJreSection, L"VM Provider"));

    settings.m_mainClass = Lookup(file, kJreSection, L"Main Class");
    if (settings.m_mainClass.empty())
        return false;
    std::replace(settings.m_mainClass.begin(), settings.m_mainClass.end(), L'.', L'/');

    settings.m_bFailureCheck = LookupYes(file, kApplicationSection, L"Failure Check");
    settings.m_bOverrideWorkingDir = LookupYes(file, kApplicationSection, L"Override WorkingDir");
    settings.m_systemPath = Lookup(file, kJreSection, L"System Path");
    settings.m_libraryPath = Lookup(file, kJreSection, L"Library Path");
    settings.m_pairProduct = Lookup(file, kApplicationSection, L"Pair Product");
    settings.m_pairProductArm64 = Lookup(file, kApplicationSection, L"Pair Product ARM64");
    settings.m_bPairReturnCode = LookupYes(file, kApplicationSection, L"Pair Return Code");
    settings.m_bModernRuntimes = IsYesValue(LookupWord(file, kJreSection, L"Modern Runtimes"));
    settings.m_bClassDataSharing =
        EqualsIgnoringAsciiCase(LookupWord(file, kJreSection, L"Class Data Sharing"), L"auto");
    // A service has no desktop to hand a later start's arguments to.
    settings.m_bSingleInstance =
        !settings.m_bService && Lookup(file, kApplicationSection, L"Single Instance") == L"yes";

    settings.m_classPath = Lookup(file, kClassPathSection, L"Class Path");
    settings.m_bEmbeddedJar = LookupYes(file, kApplicationSection, L"Embedded Jar");
    settings.m_vmParameters = Lookup(file, kJreSection, L"Virtual Machine Parameters");
    settings.m_bVmParametersQuoted =
        IsValueWhollyQuoted(file, kJreSection, L"Virtual Machine Parameters");
    settings.m_outputFile = Lookup(file, kApplicationSection, L"Output File");
    settings.m_errorFile = Lookup(file, kApplicationSection, L"Error File");
    settings.m_cmd = Lookup(file, kApplicationSection, L"Cmd");
    settings.m_bCmdQuoted = IsValueWhollyQuoted(file, kApplicationSection, L"Cmd");
    settings.m_restartExitCodes = Lookup(file, kApplicationSection, L"Restart Exit Codes");
    settings.m_appUserModelId = Lookup(file, kApplicationSection, L"App User Model ID");

    settings.m_splashImage = ReadRaw(file, kDisplaySection, L"Splash Screen");
    settings.m_splashShadow = ReadRaw(file, kDisplaySection, L"Splash Screen Shadow");
    settings.m_bPreferNativeSplash =
        IsYesValue(ReadRaw(file, kDisplaySection, L"Preffer Native Splash Screen"));
    return true;
}
