#include "config/user_settings.h"
#include "base/path_pieces.h"
#include "config/launch_settings.h"
#include "test_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
// Reads a settings file; unless told otherwise it gives "Main Class" in the "+" section, so
// that the plain section stays free for the case.
class SettingsTest : public ::testing::Test
{
protected:
    bool Read(const std::string& text, bool withMainClass = true)
    {
        const std::wstring file = NewScratchFolder() + L"tool.ini";
        WriteTextFile(file,
                      (withMainClass ? "[Java Runtime Environment+]\r\nMain Class=a.B\r\n" : "") +
                          text);
        m_settings = SLaunchSettings();
        return ReadLaunchSettings(file, L"C:\\Apps\\tool.exe", m_settings);
    }
    std::string Jre(const std::string& lines) { return "[Java Runtime Environment]\r\n" + lines; }
    std::string App(const std::string& lines) { return "[Application]\r\n" + lines; }

    std::vector<int> Parts(const CJavaVersion& version)
    {
        return {version.m_parts[0], version.m_parts[1], version.m_parts[2], version.m_parts[3],
                version.m_count};
    }
    // Searched and favoured, for JRockit, Sun and IBM.
    std::vector<bool> Providers()
    {
        std::vector<bool> flags;
        for (EVendor vendor : {VendorJRockit, VendorSun, VendorIbm})
        {
            flags.push_back(IsVendorSearched(m_settings.m_vmProvider, vendor));
            flags.push_back(IsVendorFavored(m_settings.m_vmProvider, vendor));
        }
        return flags;
    }
    // JDK preferred, JRE preferred, both kinds searched.
    std::vector<bool> Sources()
    {
        return {PrefersKind(m_settings.m_jvmSource, true),
                PrefersKind(m_settings.m_jvmSource, false),
                SearchesBothKinds(m_settings.m_jvmSource)};
    }

    SLaunchSettings m_settings;
};
} // namespace

TEST_F(SettingsTest, Defaults)
{
    ASSERT_TRUE(Read(""));
    EXPECT_EQ(m_settings.m_mainClass, L" a/B");
    EXPECT_EQ(Parts(m_settings.m_minVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Parts(m_settings.m_maxVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(m_settings.m_jvmType, JvmTypeDefault);
    EXPECT_EQ(Sources(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Providers(), (std::vector<bool>{false, false, true, true, false, false}));
    EXPECT_EQ(m_settings.m_preferredVersions.Count(), 0u);
    EXPECT_FALSE(m_settings.m_bService);
    EXPECT_FALSE(m_settings.m_bFailureCheck);
    EXPECT_FALSE(m_settings.m_bOverrideWorkingDir);
    EXPECT_FALSE(m_settings.m_bPairReturnCode);
    EXPECT_TRUE(m_settings.m_pairProduct.empty());
}

TEST_F(SettingsTest, VersionBounds)
{
    ASSERT_TRUE(Read(Jre("Minimum Version=any\r\nMaximum Version=any\r\n")));
    EXPECT_EQ(Parts(m_settings.m_minVersion), (std::vector<int>{0, 0, 0, 0, 4}));
    EXPECT_EQ(Parts(m_settings.m_maxVersion), (std::vector<int>{65535, 65535, 65535, 65535, 4}));
    ASSERT_TRUE(Read(Jre("Minimum Version=ANY\r\nMaximum Version=1.6\r\n")));
    EXPECT_EQ(Parts(m_settings.m_minVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Parts(m_settings.m_maxVersion), (std::vector<int>{1, 6, 65535, 65535, 2}));
}

TEST_F(SettingsTest, JvmTypeIsExact)
{
    ASSERT_TRUE(Read(Jre("JVM Type=server\r\n")));
    EXPECT_EQ(m_settings.m_jvmType, JvmTypeServer);
    ASSERT_TRUE(Read(Jre("JVM Type=favor_server\r\n")));
    EXPECT_EQ(m_settings.m_jvmType, JvmTypeFavorServer);
    ASSERT_TRUE(Read(Jre("JVM Type=Server\r\n")));
    EXPECT_EQ(m_settings.m_jvmType, JvmTypeDefault);
}

TEST_F(SettingsTest, JvmSourceTable)
{
    const struct
    {
        const char* value;
        std::vector<bool> flags;
    } kRows[] = {
        {"favor_JRE", {false, true, true}},  {"favor_JDK", {true, false, true}},
        {"only_JRE", {false, true, false}},  {"only_JDK", {true, false, false}},
        {"only_jre", {false, false, false}}, {"anything", {false, false, false}},
    };
    for (const auto& row : kRows)
    {
        ASSERT_TRUE(Read(Jre(std::string("JVM Source=") + row.value + "\r\n")));
        EXPECT_EQ(Sources(), row.flags) << row.value;
    }
}

TEST_F(SettingsTest, VmProviderTable)
{
    const struct
    {
        const char* value;
        std::vector<bool> flags;
    } kRows[] = {
        {"jrockit", {true, true, false, false, false, false}},
        {"IBM", {false, false, false, false, true, true}},
        {"Favor_Sun", {true, false, true, true, true, false}},
        {"favor_jrockit", {true, true, true, false, true, false}},
        {"favor_ibm", {true, false, true, false, true, true}},
        {"any", {true, false, true, false, true, false}},
        {"sun", {false, false, true, true, false, false}},
    };
    for (const auto& row : kRows)
    {
        ASSERT_TRUE(Read(Jre(std::string("VM Provider=") + row.value + "\r\n")));
        EXPECT_EQ(Providers(), row.flags) << row.value;
    }
}

TEST_F(SettingsTest, YesTestsAndTexts)
{
    ASSERT_TRUE(Read(Jre("Main Class=com.example.App$Inner\r\nPreferred versions=1.6;;1.7;\r\n"
                         "System Path=C:\\sys\r\nLibrary Path=lib\r\n") +
                         App("Application Type=service\r\nFailure Check=yEs\r\n"
                             "Override WorkingDir=YES\r\nPair Product=pair.exe\r\n"
                             "Pair Return Code=true\r\n"),
                     false));
    EXPECT_EQ(m_settings.m_mainClass, L"com/example/App$Inner");
    ASSERT_EQ(m_settings.m_preferredVersions.Count(), 3u);
    EXPECT_EQ(m_settings.m_preferredVersions.At(1), L"");
    EXPECT_EQ(m_settings.m_systemPath, L"C:\\sys");
    EXPECT_EQ(m_settings.m_libraryPath, L"lib");
    EXPECT_TRUE(m_settings.m_bService);
    EXPECT_TRUE(m_settings.m_bFailureCheck);
    EXPECT_TRUE(m_settings.m_bOverrideWorkingDir);
    EXPECT_EQ(m_settings.m_pairProduct, L"pair.exe");
    EXPECT_FALSE(m_settings.m_bPairReturnCode);
    ASSERT_TRUE(Read(App("Application Type=Service\r\nFailure Check=1\r\n")));
    EXPECT_FALSE(m_settings.m_bService);
    EXPECT_FALSE(m_settings.m_bFailureCheck);
}

TEST_F(SettingsTest, MissingMainClassIsRefused)
{
    EXPECT_FALSE(Read(Jre("Main Class=\r\n"), false));
}

TEST(UserSettings, PathPieces)
{
    EXPECT_EQ(FilterProductFolderName(L"A/B: Tools"), L"AB Tools");
    EXPECT_EQ(FilterProductFolderName(L"a\\b?c\"d|e>f<g:h/i*j k.l"), L"abcdefghij k.l");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool.exe"), L"tool");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool.beta.exe"), L"tool.beta");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool"), L"tool");
    EXPECT_EQ(ExecutableBaseName(L"tool.exe"), L"tool");
}

namespace
{
// Runs a test with APPDATA pointing at a scratch folder.
class UserSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t old[MAX_PATH] = L"";
        GetEnvironmentVariableW(L"APPDATA", old, MAX_PATH);
        m_oldAppData = old;
        m_appData = NewScratchFolder();
        m_appData.pop_back();
        SetEnvironmentVariableW(L"APPDATA", m_appData.c_str());
        m_folder = NewScratchFolder();
    }
    void TearDown() override { SetEnvironmentVariableW(L"APPDATA", m_oldAppData.c_str()); }

    std::wstring m_oldAppData;
    std::wstring m_appData;
    std::wstring m_folder;
};

std::wstring OwnUserFile()
{
    return UserSettingsFilePath(TestProgramPath(), L"Prod", L"Code", false);
}

std::wstring ReadJrePathOf(const std::wstring& file)
{
    wchar_t value[1024] = L"";
    GetPrivateProfileStringW(L"Java Runtime Environment", L"JRE Path", L"<none>", value, 1024,
                             file.c_str());
    return value;
}
} // namespace

TEST_F(UserSettingsTest, BuildsThePathBelowAppData)
{
    EXPECT_EQ(UserSettingsFilePath(L"C:\\Apps\\tool.beta.exe", L"A/B: Tools", L"X:1", false),
              m_appData + L"\\AB Tools\\X:1\\tool.beta.ini");
    EXPECT_EQ(UserSettingsFilePath(L"C:\\Apps\\tool.exe", L"", L"C1", true),
              m_appData + L"\\\\C1\\tool.ini");
    EXPECT_TRUE(FileExists(m_appData + L"\\C1"));
}

TEST_F(UserSettingsTest, SaveWritesBothUserFilesForAnOrdinaryApplication)
{
    SLaunchSettings settings;
    settings.m_productName = L"Prod";
    settings.m_productCode = L"Code";
    settings.m_pairProduct = m_folder + L"pair32.exe";
    const std::wstring home = m_folder + L"\u0416\u30b8\u30e3\u30d0\\";
    SaveJrePath(settings, TestProgramPath(), home);
    EXPECT_EQ(ReadJrePathOf(OwnUserFile()), home);
    EXPECT_EQ(ReadJrePathOf(m_appData + L"\\Prod\\Code\\pair32.ini"), home);
    EXPECT_FALSE(FileExists(m_folder + L"pair32.ini"));

    // The next start reads "JRE Path" from the user's file, not from the settings file.
    const std::wstring file = m_folder + L"tool.ini";
    WriteTextFile(file, "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                        "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    SLaunchSettings next;
    ASSERT_TRUE(ReadLaunchSettings(file, TestProgramPath(), next));
    EXPECT_EQ(next.m_jrePath, home);
}

TEST_F(UserSettingsTest, ServiceWritesOnlyTheCompanionSettingsFile)
{
    SLaunchSettings settings;
    settings.m_productName = L"Prod";
    settings.m_productCode = L"Code";
    settings.m_bService = true;
    settings.m_pairProduct = m_folder + L"pair32.exe";
    SaveJrePath(settings, TestProgramPath(), L"C:\\jre\\");
    EXPECT_EQ(ReadJrePathOf(m_folder + L"pair32.ini"), L"C:\\jre\\");
    EXPECT_FALSE(FileExists(m_appData + L"\\Prod"));
}

TEST_F(UserSettingsTest, NothingIsWrittenWithoutCompanion)
{
    SLaunchSettings settings;
    settings.m_productName = L"Prod";
    settings.m_productCode = L"Code";
    SaveJrePath(settings, TestProgramPath(), L"C:\\jre\\");
    settings.m_pairProduct = L"C:\\nodot\\pair";
    SaveJrePath(settings, TestProgramPath(), L"C:\\jre\\");
    EXPECT_FALSE(FileExists(m_appData + L"\\Prod"));
}

TEST_F(UserSettingsTest, EmptyUserValueHidesTheSettingsFile)
{
    WriteTextFile(UserSettingsFilePath(TestProgramPath(), L"Prod", L"Code", true),
                  "[Java Runtime Environment]\r\nJRE Path=\r\n");
    const std::wstring settings = m_folder + L"tool.ini";
    WriteTextFile(settings,
                  "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                  "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    SLaunchSettings settingsRead;
    ASSERT_TRUE(ReadLaunchSettings(settings, TestProgramPath(), settingsRead));
    EXPECT_EQ(settingsRead.m_jrePath, L"");

    // A service ignores the user's file.
    WriteTextFile(settings,
                  "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                  "[Application]\r\nApplication Type=service\r\n"
                  "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    SLaunchSettings service;
    ASSERT_TRUE(ReadLaunchSettings(settings, TestProgramPath(), service));
    EXPECT_EQ(service.m_jrePath, L"C:\\beside");
}
