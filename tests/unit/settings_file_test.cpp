#include "config/settings_file.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
std::wstring Derived(const std::wstring& modulePath)
{
    std::wstring settingsPath = L"unchanged";
    return DeriveSettingsFilePath(modulePath, settingsPath) ? settingsPath : L"<none>";
}

class SettingsFileTest : public ::testing::Test
{
protected:
    void Write(const std::string& text)
    {
        m_file = NewScratchFolder() + L"tool.ini";
        WriteTextFile(m_file, text);
    }
    std::wstring Read(const std::wstring& section, const std::wstring& key)
    {
        std::wstring value = L"stale";
        ReadProfileString(m_file, section, key, value);
        return value;
    }
    std::wstring Lookup(const std::wstring& section, const std::wstring& key)
    {
        std::wstring value = L"stale";
        LookupSetting(m_file, section, key, value);
        return value;
    }
    std::wstring m_file;
};
} // namespace

TEST(SettingsFilePath, IsTheModulePathUpToItsLastDotThenIni)
{
    EXPECT_EQ(Derived(L"C:\\Apps\\Tool\\tool.exe"), L"C:\\Apps\\Tool\\tool.ini");
    EXPECT_EQ(Derived(L"C:\\Apps\\tool.beta.exe"), L"C:\\Apps\\tool.beta.ini");
    EXPECT_EQ(Derived(L"C:\\My.Apps\\tool"), L"C:\\My.ini");
    EXPECT_EQ(Derived(L"C:\\Apps\\tool"), L"<none>");
}

TEST_F(SettingsFileTest, LongValuesAreReadWhole)
{
    const std::string v255(255, 'a');
    const std::string v256(256, 'b');
    const std::string v511(511, 'c');
    const std::string v5000(5000, 'd');
    Write("[S]\r\nv255=" + v255 + "\r\nv256=" + v256 + "\r\nv511=" + v511 + "\r\nv5000=" + v5000 +
          "\r\n");
    EXPECT_EQ(Read(L"S", L"v255"), std::wstring(v255.begin(), v255.end()));
    EXPECT_EQ(Read(L"S", L"v256"), std::wstring(v256.begin(), v256.end()));
    EXPECT_EQ(Read(L"S", L"v511"), std::wstring(v511.begin(), v511.end()));
    EXPECT_EQ(Read(L"S", L"v5000"), std::wstring(v5000.begin(), v5000.end()));
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyReadsEmpty)
{
    Write("[S]\r\nk=v\r\n");
    EXPECT_EQ(Read(L"S", L"k"), L"v");
    EXPECT_EQ(Read(L"S", L"other"), L"");
    EXPECT_EQ(Read(L"T", L"k"), L"");
    m_file += L".missing";
    EXPECT_EQ(Read(L"S", L"k"), L"");
    EXPECT_EQ(Lookup(L"S", L"k"), L"");
}

TEST_F(SettingsFileTest, PlusSectionIsTheFallbackWithOneLeadingBlank)
{
    Write("[A]\r\nboth=plain\r\nempty=\r\n"
          "[A+]\r\nboth=extended\r\nempty=abc\r\nonly=abc\r\nquoted=\" abc\"\r\n");
    EXPECT_EQ(Lookup(L"A", L"both"), L"plain");
    EXPECT_EQ(Lookup(L"A", L"empty"), L" abc");
    EXPECT_EQ(Lookup(L"A", L"only"), L" abc");
    EXPECT_EQ(Lookup(L"A", L"quoted"), L" abc");
    EXPECT_EQ(Lookup(L"A", L"nowhere"), L"");
    // A plain read never looks at the "+" section.
    EXPECT_EQ(Read(L"A", L"only"), L"");
}
