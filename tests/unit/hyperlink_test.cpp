#include "ui/hyperlink_ctrl.h"
#include "ui/link_colors.h"

#include "test_folders.h"

#include <gtest/gtest.h>

TEST(LinkColors, ParsedAsRedGreenBlue)
{
    const struct
    {
        const wchar_t* text;
        bool valid;
        COLORREF color;
    } kCases[] = {
        {L"255,0,0", true, RGB(255, 0, 0)},
        {L"300,0,0", true, RGB(44, 0, 0)},
        {L"0,0", false, 0},
        {L"-1,0,0", false, 0},
        {L"0,-1,0", false, 0},
        {L"0,0,-1", true, RGB(0, 0, 255)},
        {L" 12, +34,56x", true, RGB(12, 34, 56)},
        {L"a,b,c", true, RGB(0, 0, 0)},
        {L"1,2,", false, 0},
        {L"", false, 0},
    };
    for (const auto& test : kCases)
    {
        COLORREF color = 0x123456;
        EXPECT_EQ(ParseColorValue(test.text, color), test.valid) << test.text;
        if (test.valid)
        {
            EXPECT_EQ(color, test.color) << test.text;
        }
    }
}

// The user's colours replace the defaults only when they fit 11 characters and parse.
TEST(LinkColorsOnDesktop, ReadFromTheUsersBrowserSettings)
{
    RequireDesktopLock();
    const wchar_t kKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";
    CUniqueRegistryKey hKey;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              hKey.Receive(), nullptr),
              ERROR_SUCCESS);
    const auto set = [&](const wchar_t* pName, const std::wstring& text)
    {
        RegSetValueExW(hKey.Get(), pName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    const COLORREF kNormal = RGB(0, 0, 255);
    const COLORREF kVisited = RGB(128, 0, 128);

    set(L"Anchor Color", L"255,255,2550");
    set(L"Anchor Color Visited", L"0,128,0");
    COLORREF normal = kNormal;
    COLORREF visited = kVisited;
    ReadLinkColors(normal, visited);
    EXPECT_EQ(normal, kNormal);
    EXPECT_EQ(visited, RGB(0, 128, 0));

    const DWORD number = 255;
    RegSetValueExW(hKey.Get(), L"Anchor Color", 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&number), sizeof(number));
    set(L"Anchor Color Visited", L"1,2,3");
    normal = kNormal;
    visited = kVisited;
    ReadLinkColors(normal, visited);
    EXPECT_EQ(normal, kNormal);
    EXPECT_EQ(visited, RGB(1, 2, 3));
    hKey.Reset();
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

// A static control of a window of this thread made into a link to an executable, which the
// shell can open.
class CLinkWindow
{
public:
    CLinkWindow()
        : m_hParent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr,
                                    nullptr, nullptr)),
          m_hControl(CreateWindowExW(0, L"STATIC", (TestBinaryFolder() + L"shell_open.exe").c_str(),
                                     WS_CHILD | WS_VISIBLE, 0, 0, 2000, 40, m_hParent.Get(),
                                     nullptr, nullptr, nullptr))
    {
        if (m_link.Subclass(m_hControl))
            m_link.Attach();
    }

    LRESULT Send(UINT message, int x, int y)
    {
        return SendMessageW(m_hControl, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                            MAKELPARAM(x, y));
    }

    CUniqueWindow m_hParent;
    HWND m_hControl;
    CHyperLinkCtrl m_link;
};

TEST(HyperLinkOnDesktop, OpensOnlyWhenTheButtonIsReleasedOverTheText)
{
    RequireDesktopLock();
    CLinkWindow window;
    ASSERT_NE(window.m_link.GetHandle(), nullptr);
    EXPECT_NE(GetWindowLongW(window.m_hControl, GWL_STYLE) & SS_NOTIFY, 0);
    EXPECT_EQ(SendMessageW(window.m_hControl, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS);
    LOGFONTW font = {};
    GetObjectW(window.m_link.m_hUnderlineFont.Get(), sizeof(font), &font);
    EXPECT_TRUE(font.lfUnderline);
    const RECT text = window.m_link.m_rcText;
    ASSERT_GT(text.right, 10);
    ASSERT_LT(text.right, 1900);

    // Over the text the hand, beside it the control's own handling.
    window.Send(WM_MOUSEMOVE, 2, 2);
    EXPECT_EQ(GetCursor(), window.m_link.m_hHandCursor.Get());
    LRESULT result = 0;
    EXPECT_FALSE(window.m_link.HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1950, 2), result));

    window.Send(WM_LBUTTONDOWN, 2, 2);
    window.Send(WM_LBUTTONUP, 1950, 2);
    EXPECT_EQ(window.m_link.m_fState & CHyperLinkCtrl::kStateVisited, 0);
    window.Send(WM_LBUTTONDOWN, 2, 2);
    window.Send(WM_LBUTTONUP, 2, 2);
    EXPECT_NE(window.m_link.m_fState & CHyperLinkCtrl::kStateVisited, 0);
}
