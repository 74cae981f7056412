// The settings of one launch, read once right after the settings file is known: the raw text
// where the launch needs text (expanded later, once the environment is set), typed meaning
// where it needs a decision.
#ifndef JVMHOST_LAUNCH_SETTINGS_H
#define JVMHOST_LAUNCH_SETTINGS_H

#include "base/argument_list.h"
#include "base/java_version.h"

#include <string>

// "JVM Type".
enum EJvmType
{
    JvmTypeDefault = 0,
    JvmTypeServer = 1,
    JvmTypeFavorServer = 2,
};

// "JVM Source": which kind of runtime, JDK or JRE, the registry search takes.
enum EJvmSource
{
    JvmSourceUnset,
    JvmSourceFavorJre,
    JvmSourceFavorJdk,
    JvmSourceOnlyJre,
    JvmSourceOnlyJdk,
    // A value the key does not know: neither kind is preferred.
    JvmSourceOther,
};

// The vendors whose registry keys the search knows.
enum EVendor
{
    VendorSun,
    VendorJRockit,
    VendorIbm,
};

// "VM Provider": which vendors the search takes, and which of them it favours.
enum EVmProvider
{
    VmProviderSun,
    VmProviderJRockit,
    VmProviderIbm,
    VmProviderFavorSun,
    VmProviderFavorJRockit,
    VmProviderFavorIbm,
    VmProviderAny,
};

// Whether the search looks at both kinds, favoured first, rather than only the preferred one.
bool SearchesBothKinds(EJvmSource source);
bool PrefersKind(EJvmSource source, bool isJdk);
bool IsVendorSearched(EVmProvider provider, EVendor vendor);
bool IsVendorFavored(EVmProvider provider, EVendor vendor);

struct SLaunchSettings
{
    std::wstring m_file;
    std::wstring m_productCode;
    std::wstring m_productName;
    CJavaVersion m_minVersion;
    CJavaVersion m_maxVersion;
    bool m_bService = false;
    CArgumentList m_preferredVersions;
    // From the user's own settings file once it exists, else from the settings file.
    std::wstring m_jrePath;
    EJvmType m_jvmType = JvmTypeDefault;
    EJvmSource m_jvmSource = JvmSourceUnset;
    EVmProvider m_vmProvider = VmProviderSun;
    // With slashes for dots, as FindClass takes it.
    std::wstring m_mainClass;
    bool m_bFailureCheck = false;
    bool m_bOverrideWorkingDir = false;
    bool m_bSingleInstance = false;
    std::wstring m_systemPath;
    std::wstring m_libraryPath;
    std::wstring m_pairProduct;
    // "Pair Product ARM64": the ARM64 launcher the x64 one hands an ARM64 runtime to.
    std::wstring m_pairProductArm64;
    bool m_bPairReturnCode = false;
    bool m_bModernRuntimes = false;
    // "Class Data Sharing" = auto: the application's own class-data archive, made and used.
    bool m_bClassDataSharing = false;
    std::wstring m_classPath;
    bool m_bEmbeddedJar = false;
    std::wstring m_vmParameters;
    // The value was wholly quoted in the file (the profile reader removed those quotes).
    bool m_bVmParametersQuoted = false;
    std::wstring m_outputFile;
    std::wstring m_errorFile;
    std::wstring m_cmd;
    bool m_bCmdQuoted = false;
    // "Restart Exit Codes", as written.
    std::wstring m_restartExitCodes;
    std::wstring m_appUserModelId;
    std::wstring m_splashImage;
    std::wstring m_splashShadow;
    bool m_bPreferNativeSplash = false;
};

// Reads every setting of the settings file beside executablePath. False when the file names
// no main class (the caller says so).
bool ReadLaunchSettings(const std::wstring& file, const std::wstring& executablePath,
                        SLaunchSettings& settings);

#endif
