#include "config/user_settings.h"
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "launcher/launcher.h"
#include "message_box_probe.h"
#include "test_folders.h"

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
        return m_launcher.ReadSettingsFile(file);
    }
    std::string Jre(const std::string& lines) { return "[Java Runtime Environment]\r\n" + lines; }
    std::string App(const std::string& lines) { return "[Application]\r\n" + lines; }

    std::vector<int> Parts(const CJavaVersion& version)
    {
        return {version.m_parts[0], version.m_parts[1], version.m_parts[2], version.m_parts[3],
                version.m_count};
    }
    std::vector<bool> Providers()
    {
        return {m_launcher.m_allowJRockit, m_launcher.m_favorJRockit, m_launcher.m_allowSun,
                m_launcher.m_favorSun,     m_launcher.m_allowIbm,     m_launcher.m_favorIbm};
    }
    std::vector<bool> Sources()
    {
        return {m_launcher.m_preferJdk, m_launcher.m_preferJre, m_launcher.m_searchBothKinds};
    }

    CLauncher m_launcher;
};
} // namespace

TEST_F(SettingsTest, Defaults)
{
    ASSERT_TRUE(Read(""));
    EXPECT_EQ(m_launcher.m_mainClass, L" a/B");
    EXPECT_EQ(Parts(m_launcher.m_minVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Parts(m_launcher.m_maxVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(m_launcher.m_jvmType, JvmTypeDefault);
    EXPECT_EQ(Sources(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(Providers(), (std::vector<bool>{false, false, true, true, false, false}));
    EXPECT_EQ(m_launcher.m_preferredVersions.Count(), 0u);
    EXPECT_FALSE(m_launcher.m_bService);
    EXPECT_FALSE(m_launcher.m_bFailureCheck);
    EXPECT_FALSE(m_launcher.m_bOverrideWorkingDir);
    EXPECT_FALSE(m_launcher.m_bPairReturnCode);
    EXPECT_TRUE(m_launcher.m_pairProduct.empty());
}

TEST_F(SettingsTest, VersionBounds)
{
    ASSERT_TRUE(Read(Jre("Minimum Version=any\r\nMaximum Version=any\r\n")));
    EXPECT_EQ(Parts(m_launcher.m_minVersion), (std::vector<int>{0, 0, 0, 0, 4}));
    EXPECT_EQ(Parts(m_launcher.m_maxVersion), (std::vector<int>{65535, 65535, 65535, 65535, 4}));
    ASSERT_TRUE(Read(Jre("Minimum Version=ANY\r\nMaximum Version=1.6\r\n")));
    EXPECT_EQ(Parts(m_launcher.m_minVersion), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Parts(m_launcher.m_maxVersion), (std::vector<int>{1, 6, 65535, 65535, 2}));
}

TEST_F(SettingsTest, JvmTypeIsExact)
{
    ASSERT_TRUE(Read(Jre("JVM Type=server\r\n")));
    EXPECT_EQ(m_launcher.m_jvmType, JvmTypeServer);
    ASSERT_TRUE(Read(Jre("JVM Type=favor_server\r\n")));
    EXPECT_EQ(m_launcher.m_jvmType, JvmTypeFavorServer);
    ASSERT_TRUE(Read(Jre("JVM Type=Server\r\n")));
    EXPECT_EQ(m_launcher.m_jvmType, JvmTypeDefault);
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
        CLauncher fresh;
        const std::wstring file = NewScratchFolder() + L"tool.ini";
        WriteTextFile(file, Jre(std::string("Main Class=M\r\nJVM Source=") + row.value + "\r\n"));
        ASSERT_TRUE(fresh.ReadSettingsFile(file));
        EXPECT_EQ(
            (std::vector<bool>{fresh.m_preferJdk, fresh.m_preferJre, fresh.m_searchBothKinds}),
            row.flags)
            << row.value;
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
        CLauncher fresh;
        const std::wstring file = NewScratchFolder() + L"tool.ini";
        WriteTextFile(file, Jre(std::string("Main Class=M\r\nVM Provider=") + row.value + "\r\n"));
        ASSERT_TRUE(fresh.ReadSettingsFile(file));
        EXPECT_EQ((std::vector<bool>{fresh.m_allowJRockit, fresh.m_favorJRockit, fresh.m_allowSun,
                                     fresh.m_favorSun, fresh.m_allowIbm, fresh.m_favorIbm}),
                  row.flags)
            << row.value;
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
    EXPECT_EQ(m_launcher.m_mainClass, L"com/example/App$Inner");
    ASSERT_EQ(m_launcher.m_preferredVersions.Count(), 3u);
    EXPECT_EQ(m_launcher.m_preferredVersions.At(1), L"");
    EXPECT_EQ(m_launcher.m_systemPath, L"C:\\sys");
    EXPECT_EQ(m_launcher.m_libraryPath, L"lib");
    EXPECT_TRUE(m_launcher.m_bService);
    EXPECT_TRUE(m_launcher.m_bFailureCheck);
    EXPECT_TRUE(m_launcher.m_bOverrideWorkingDir);
    EXPECT_EQ(m_launcher.m_pairProduct, L"pair.exe");
    EXPECT_FALSE(m_launcher.m_bPairReturnCode);
    ASSERT_TRUE(Read(App("Application Type=Service\r\nFailure Check=1\r\n")));
    EXPECT_FALSE(m_launcher.m_bService);
    EXPECT_FALSE(m_launcher.m_bFailureCheck);
}

TEST_F(SettingsTest, MissingMainClassIsRefusedWithItsMessage)
{
    CMessageBoxAnswerer answerer;
    EXPECT_FALSE(Read(Jre("Main Class=\r\n"), false));
    const std::vector<SMessageBoxInfo> boxes = answerer.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Main class was not specified in INI file.");
}

TEST(UserSettings, PathPieces)
{
    EXPECT_EQ(FilterProductFolderName(L"A/B: Tools"), L"AB Tools");
    EXPECT_EQ(FilterProductFolderName(L"a\\b?c\"d|e>f<g:h/i*j k.l"), L"abcdefghij k.l");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool.exe"), L"tool");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool.beta.exe"), L"tool.beta");
    EXPECT_EQ(ExecutableBaseName(L"C:\\Apps\\Tool\\tool"), L"tool");
    EXPECT_EQ(ExecutableBaseName(L"tool.exe"), L"tool");
    EXPECT_TRUE(IsUserSettingsPlatform());
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
    CLauncher launcher;
    launcher.m_productName = L"A/B: Tools";
    launcher.m_productCode = L"X:1";
    std::wstring path;
    launcher.BuildUserSettingsFilePath(L"C:\\Apps\\tool.beta.exe", path, false);
    EXPECT_EQ(path, m_appData + L"\\AB Tools\\X:1\\tool.beta.ini");
    launcher.m_productName.clear();
    launcher.m_productCode = L"C1";
    launcher.BuildUserSettingsFilePath(L"C:\\Apps\\tool.exe", path, true);
    EXPECT_EQ(path, m_appData + L"\\\\C1\\tool.ini");
    EXPECT_TRUE(FileExists(m_appData + L"\\C1"));
}

TEST_F(UserSettingsTest, SaveWritesBothUserFilesForAnOrdinaryApplication)
{
    CLauncher launcher;
    launcher.m_productName = L"Prod";
    launcher.m_productCode = L"Code";
    launcher.m_pairProduct = m_folder + L"pair32.exe";
    const std::wstring home = m_folder + L"\u0416\u30b8\u30e3\u30d0\\";
    launcher.SaveJrePath(home);
    std::wstring own;
    launcher.GetUserSettingsFilePath(own, false);
    EXPECT_EQ(ReadJrePathOf(own), home);
    EXPECT_EQ(ReadJrePathOf(m_appData + L"\\Prod\\Code\\pair32.ini"), home);
    EXPECT_FALSE(FileExists(m_folder + L"pair32.ini"));

    // The next start reads "JRE Path" from the user's file, not from the settings file.
    CLauncher next;
    next.m_productName = L"Prod";
    next.m_productCode = L"Code";
    const std::wstring settings = m_folder + L"tool.ini";
    WriteTextFile(settings,
                  "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                  "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    ASSERT_TRUE(next.ReadSettingsFile(settings));
    EXPECT_EQ(next.m_jrePath, home);
}

TEST_F(UserSettingsTest, ServiceWritesOnlyTheCompanionSettingsFile)
{
    CLauncher launcher;
    launcher.m_productName = L"Prod";
    launcher.m_productCode = L"Code";
    launcher.m_bService = true;
    launcher.m_pairProduct = m_folder + L"pair32.exe";
    launcher.SaveJrePath(L"C:\\jre\\");
    EXPECT_EQ(ReadJrePathOf(m_folder + L"pair32.ini"), L"C:\\jre\\");
    EXPECT_FALSE(FileExists(m_appData + L"\\Prod"));
}

TEST_F(UserSettingsTest, NothingIsWrittenWithoutCompanion)
{
    CLauncher launcher;
    launcher.m_productName = L"Prod";
    launcher.m_productCode = L"Code";
    launcher.SaveJrePath(L"C:\\jre\\");
    launcher.m_pairProduct = L"C:\\nodot\\pair";
    launcher.SaveJrePath(L"C:\\jre\\");
    EXPECT_FALSE(FileExists(m_appData + L"\\Prod"));
}

TEST_F(UserSettingsTest, EmptyUserValueHidesTheSettingsFile)
{
    CLauncher launcher;
    launcher.m_productName = L"Prod";
    launcher.m_productCode = L"Code";
    std::wstring own;
    launcher.GetUserSettingsFilePath(own, true);
    WriteTextFile(own, "[Java Runtime Environment]\r\nJRE Path=\r\n");
    const std::wstring settings = m_folder + L"tool.ini";
    WriteTextFile(settings,
                  "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                  "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    ASSERT_TRUE(launcher.ReadSettingsFile(settings));
    EXPECT_EQ(launcher.m_jrePath, L"");

    // A service ignores the user's file.
    WriteTextFile(settings,
                  "[Product Information]\r\nProduct Name=Prod\r\nProduct Code=Code\r\n"
                  "[Application]\r\nApplication Type=service\r\n"
                  "[Java Runtime Environment]\r\nMain Class=M\r\nJRE Path=C:\\beside\r\n");
    CLauncher service;
    ASSERT_TRUE(service.ReadSettingsFile(settings));
    EXPECT_EQ(service.m_jrePath, L"C:\\beside");
}
