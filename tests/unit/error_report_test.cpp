#include "report/error_report.h"
#include "base/text.h"
#include "message_box_probe.h"
#include "recording_reporter.h"
#include "test_folders.h"
#include "ui/resources/resource.h"

#include <gtest/gtest.h>

TEST(StringTable, EveryTextIsExact)
{
    const struct
    {
        UINT id;
        const wchar_t* text;
    } kTexts[] = {
        {202, L"Windows exception: %s (errno = %d).\n"},
        {203, L"JNI exception: %s\nReason: %s.\n"},
        {206, L"The Java Runtime Environment (JRE) was not found. Please  download and install a "
              L"JRE with a server JVM (%s) from:"},
        {207, L"The Java Runtime Environment (JRE) was not found. Please  download and install a "
              L"JRE (%s) from:"},
        {208, L"failed to get the module path"},
        {209, L"Java Class Path was not specified in INI file."},
        {210, L"Main class was not specified in INI file."},
        {211, L"Failed to load Main Class: %s.\n"},
        {212, L"cannot find CreateJavaVM JNI"},
        {213, L"failed to create the Java VM"},
        {214, L"Browse for JRE folder"},
        {215, L"Could not find the main class %s.\n"},
        {216, L"No main method found in specified class.\n"},
        {217, L"latest version"},
        {218, L"maximum version %s"},
        {219, L"minimum version %s"},
        {220, L"version %s is required"},
        {221, L"version between %s and %s"},
        {222, L"Failed to load Java VM library: %s (errno = %d).\n"},
        {225, L"unknown"},
        {226, L"thread detached from VM"},
        {227, L"JNI version error"},
        {228, L"not enough memory"},
        {229, L"VM already created"},
        {230, L"invalid arguments"},
    };
    for (const auto& entry : kTexts)
        EXPECT_EQ(LoadText(entry.id), entry.text) << "string " << entry.id;
}

TEST(StringTable, MissingStringIsEmpty)
{
    EXPECT_EQ(LoadText(223), L"");
    EXPECT_EQ(LoadText(9999), L"");
}

TEST(FormatText, FillsPlaceholdersInOrderAndCutsNothing)
{
    EXPECT_EQ(FormatText(L"JNI exception: %s\nReason: %s.\n", {L"a", L""}),
              L"JNI exception: a\nReason: .\n");
    EXPECT_EQ(FormatText(L"%s (errno = %d).", {L"x", L"-5"}), L"x (errno = -5).");
    EXPECT_EQ(FormatText(L"100%% %s %q", {L"done"}), L"100% done %q");
    EXPECT_EQ(FormatText(L"%s and %s", {L"one"}), L"one and %s");
    EXPECT_EQ(FormatText(L"", {L"unused"}), L"");
    const std::wstring longText(5000, L'x');
    EXPECT_EQ(FormatText(L"[%s]", {longText}), L"[" + longText + L"]");
}

TEST(MessageBoxOnDesktop, ErrorBoxWithoutOwnerHasErrorIconAndOkOnly)
{
    RequireDesktopLock();
    CMessageBoxAnswerer answerer;
    ShowErrorMessage(nullptr, L"first line\nsecond line \u00e9\U0001F600");
    const std::vector<SMessageBoxInfo> boxes = answerer.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"first line\nsecond line \u00e9\U0001F600");
    EXPECT_EQ(boxes[0].caption, L"Error");
    EXPECT_EQ(boxes[0].owner, L"");
    EXPECT_EQ(boxes[0].icon, L"error");
    EXPECT_EQ(boxes[0].buttons, std::vector<std::wstring>{L"OK"});
}

TEST(Reporter, FormatsTheTextAndPrintsTheCodeAsSignedNumber)
{
    CRecordingReporter reporter;
    reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, L"C:\\x.exe", 0xFFFFFFFEu);
    reporter.Report(IDS_JNI_EXCEPTION, LoadText(IDS_CREATE_JAVA_VM_FAILED),
                    LoadText(IDS_REASON_VERSION));
    reporter.Report(IDS_MAIN_CLASS_NOT_FOUND, L"com/example/App");
    reporter.Report(IDS_NO_MAIN_CLASS);
    EXPECT_EQ(reporter.m_reports,
              (std::vector<std::wstring>{
                  L"Windows exception: C:\\x.exe (errno = -2).\n",
                  L"JNI exception: failed to create the Java VM\nReason: JNI version error.\n",
                  L"Could not find the main class com/example/App.\n",
                  L"Main class was not specified in INI file."}));
}
