// The harness must tell icon styles apart, or its checks of the launcher's boxes mean nothing.
#include "message_box_probe.h"
#include "test_folders.h"

#include <gtest/gtest.h>

TEST(MessageBoxProbeOnDesktop, TellsIconStylesApart)
{
    RequireDesktopLock();
    CMessageBoxAnswerer answerer;
    MessageBoxW(nullptr, L"w", L"caption", MB_OK | MB_ICONWARNING);
    MessageBoxW(nullptr, L"i", nullptr, MB_OK | MB_ICONINFORMATION);
    MessageBoxW(nullptr, L"n", nullptr, MB_OK);
    MessageBoxW(nullptr, L"e", nullptr, MB_OK | MB_ICONERROR);
    const std::vector<SMessageBoxInfo> boxes = answerer.Finish();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].icon, L"warning");
    EXPECT_EQ(boxes[0].caption, L"caption");
    EXPECT_EQ(boxes[1].icon, L"information");
    EXPECT_EQ(boxes[2].icon, L"none");
    EXPECT_EQ(boxes[3].icon, L"error");
}
