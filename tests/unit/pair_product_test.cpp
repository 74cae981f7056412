#include "launcher/launcher.h"
#include "recording_reporter.h"
#include "test_folders.h"
#include "wait_bound.h"

#include <gtest/gtest.h>

namespace
{
// A copy of the companion stand-in in a folder of its own, told how to behave.
std::wstring PrepareCompanion(const std::string& exitCode, const std::string& delayMs)
{
    const std::wstring folder = NewScratchFolder() + L"with blank\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"companion.exe";
    CopyFileW((TestBinaryFolder() + L"companion.exe").c_str(), path.c_str(), FALSE);
    WriteTextFile(folder + L"companion.exitcode", exitCode);
    WriteTextFile(folder + L"companion.delay", delayMs);
    return path;
}

std::wstring Utf8ToWide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &wide[0], length);
    return wide;
}
} // namespace

TEST(PairProduct, WaitsForTheCompanionAndReturnsItsExitCode)
{
    CLauncher launcher;
    launcher.m_settings.m_pairProduct = PrepareCompanion("42", "0");
    launcher.m_settings.m_bPairReturnCode = true;
    const CWaitBound bound("the companion stand-in to end", 20000);
    EXPECT_EQ(launcher.StartPairProduct(), 42u);
    // The companion is given the launcher's own arguments, unchanged.
    const std::wstring recorded = Utf8ToWide(ReadTextFile(
        launcher.m_settings.m_pairProduct.substr(0, launcher.m_settings.m_pairProduct.size() - 4) +
        L".cmdline"));
    EXPECT_EQ(recorded, L"\"" + launcher.m_settings.m_pairProduct + L"\"" +
                            CommandLineAfterProgramName(GetCommandLineW()));
}

TEST(PairProduct, PassesLargeExitCodesThrough)
{
    CLauncher launcher;
    launcher.m_settings.m_pairProduct = PrepareCompanion("-7", "0");
    launcher.m_settings.m_bPairReturnCode = true;
    const CWaitBound bound("the companion stand-in to end", 20000);
    EXPECT_EQ(launcher.StartPairProduct(), static_cast<DWORD>(-7));
}

TEST(PairProduct, WithoutPairReturnCodeReturnsZeroAtOnce)
{
    CLauncher launcher;
    launcher.m_settings.m_pairProduct = PrepareCompanion("42", "1500");
    const DWORD start = GetTickCount();
    EXPECT_EQ(launcher.StartPairProduct(), 0u);
    EXPECT_LT(GetTickCount() - start, 1000u);
}

TEST(PairProduct, MissingCompanionIsReportedAndFails)
{
    CRecordingReporter reporter;
    CLauncher launcher(reporter);
    launcher.m_settings.m_pairProduct = NewScratchFolder() + L"absent.exe";
    launcher.m_settings.m_bPairReturnCode = true;
    EXPECT_EQ(launcher.StartPairProduct(), 0xFFFFFFFFu);
    EXPECT_EQ(reporter.m_reports,
              std::vector<std::wstring>{L"Windows exception: " + launcher.m_settings.m_pairProduct +
                                        L" (errno = 2).\n"});
}
