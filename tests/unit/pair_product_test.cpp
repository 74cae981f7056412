#include "launcher/pair_product.h"
#include "base/argument_list.h"
#include "base/text.h"
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

DWORD Start(const SLaunchSettings& settings, CReporter& reporter)
{
    return StartPairProduct(settings, settings.m_pairProduct, TestProgramPath(), reporter);
}
} // namespace

TEST(PairProduct, WaitsForTheCompanionAndReturnsItsExitCode)
{
    CRecordingReporter reporter;
    SLaunchSettings settings;
    settings.m_pairProduct = PrepareCompanion("42", "0");
    settings.m_bPairReturnCode = true;
    const CWaitBound bound("the companion stand-in to end", 20000);
    EXPECT_EQ(Start(settings, reporter), 42u);
    // The companion is given the launcher's own arguments, unchanged.
    const std::wstring recorded = FromUtf8(ReadTextFile(
        settings.m_pairProduct.substr(0, settings.m_pairProduct.size() - 4) + L".cmdline"));
    EXPECT_EQ(recorded, L"\"" + settings.m_pairProduct + L"\"" +
                            CommandLineAfterProgramName(GetCommandLineW()));
}

TEST(PairProduct, PassesLargeExitCodesThrough)
{
    CRecordingReporter reporter;
    SLaunchSettings settings;
    settings.m_pairProduct = PrepareCompanion("-7", "0");
    settings.m_bPairReturnCode = true;
    const CWaitBound bound("the companion stand-in to end", 20000);
    EXPECT_EQ(Start(settings, reporter), static_cast<DWORD>(-7));
}

TEST(PairProduct, WithoutPairReturnCodeReturnsZeroAtOnce)
{
    CRecordingReporter reporter;
    SLaunchSettings settings;
    settings.m_pairProduct = PrepareCompanion("42", "1500");
    const DWORD start = GetTickCount();
    EXPECT_EQ(Start(settings, reporter), 0u);
    EXPECT_LT(GetTickCount() - start, 1000u);
}

TEST(PairProduct, MissingCompanionIsReportedAndFails)
{
    CRecordingReporter reporter;
    SLaunchSettings settings;
    settings.m_pairProduct = NewScratchFolder() + L"absent.exe";
    settings.m_bPairReturnCode = true;
    EXPECT_EQ(Start(settings, reporter), 0xFFFFFFFFu);
    EXPECT_EQ(reporter.m_reports,
              std::vector<std::wstring>{L"Windows exception: " + settings.m_pairProduct +
                                        L" (errno = 2).\n"});
}
