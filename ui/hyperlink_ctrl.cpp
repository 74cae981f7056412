// The link control of the JRE Not Found dialog.
#include "ui/hyperlink_ctrl.h"
#include "ui/link_colors.h"
#include "ui/system_libraries.h"

#include <shellapi.h>

// The hand cursor, 32 x 32 with its hot spot at the tip of the index finger (5, 0): rows of
// four bytes, the leftmost pixel in the highest bit. The rows below 21 are all transparent.
static const int kCursorRows = 22;
static const DWORD kHandAnd[kCursorRows] = {
    0xF9FFFFFF, 0xF0FFFFFF, 0xF0FFFFFF, 0xF0FFFFFF, 0xF0FFFFFF, 0xF03FFFFF, 0xF007FFFF, 0xF001FFFF,
    0xF000FFFF, 0x10007FFF, 0x00007FFF, 0x00007FFF, 0x80007FFF, 0xC0007FFF, 0xC0007FFF, 0xE0007FFF,
    0xE000FFFF, 0xF000FFFF, 0xF000FFFF, 0xF801FFFF, 0xF801FFFF, 0xF801FFFF};
static const DWORD kHandXor[kCursorRows] = {
    0x00000000, 0x06000000, 0x06000000, 0x06000000, 0x06000000, 0x06000000, 0x06C00000, 0x06D80000,
    0x06DA0000, 0x06DB0000, 0x67FB0000, 0x77FF0000, 0x37FF0000, 0x17FF0000, 0x1FFF0000, 0x0FFF0000,
    0x0FFE0000, 0x07FE0000, 0x07FE0000, 0x03FC0000, 0x03FC0000, 0x00000000};

static HCURSOR CreateHandCursor()
{
    BYTE andPlane[32 * 4];
    BYTE xorPlane[32 * 4];
    for (int row = 0; row < 32; ++row)
    {
        const DWORD andBits = row < kCursorRows ? kHandAnd[row] : 0xFFFFFFFF;
        const DWORD xorBits = row < kCursorRows ? kHandXor[row] : 0;
        for (int column = 0; column < 4; ++column)
        {
            andPlane[row * 4 + column] = static_cast<BYTE>(andBits >> (24 - 8 * column));
            xorPlane[row * 4 + column] = static_cast<BYTE>(xorBits >> (24 - 8 * column));
        }
    }
    return CreateCursor(ModuleInstance(), 5, 0, 32, 32, andPlane, xorPlane);
}

CHyperLinkCtrl::CHyperLinkCtrl()
    : m_hTextFont(nullptr), m_rcText{0, 0, 0, 0}, m_crNormal(RGB(0, 0, 255)),
      m_crVisited(RGB(128, 0, 128)), m_fState(0)
{
}

void CHyperLinkCtrl::Attach()
{
    wchar_t className[8] = L"";
    GetClassNameW(m_hWnd, className, 8);
    if (lstrcmpiW(className, L"static") == 0)
    {
        const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
        if ((style & SS_NOTIFY) == 0)
            SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | SS_NOTIFY);
    }
    m_hHandCursor.Reset(CreateHandCursor());

    m_hTextFont = reinterpret_cast<HFONT>(SendMessageW(GetParent(m_hWnd), WM_GETFONT, 0, 0));
    if (m_hTextFont == nullptr)
        m_hTextFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTW font;
    if (m_hTextFont != nullptr && !m_hUnderlineFont &&
        GetObjectW(m_hTextFont, sizeof(font), &font) != 0)
    {
        font.lfUnderline = TRUE;
        m_hUnderlineFont.Reset(CreateFontIndirectW(&font));
    }

    // The tooltip class is registered by the common controls library.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    SystemLibraries::InitCommonControlsEx(&controls);
    m_hToolTip.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                     ModuleInstance(), nullptr));

    const int length = GetWindowTextLengthW(m_hWnd);
    if (m_pszText.empty() && length > 0)
    {
        std::wstring text(length + 1, L'\0');
        text.resize(GetWindowTextW(m_hWnd, &text[0], length + 1));
        m_pszText = text;
        MeasureText();
        SetWindowTextW(m_hWnd, m_pszText.c_str());
    }
    MeasureText();
    if (!m_pszText.empty())
        SetTarget(m_pszText);
    ReadLinkColors(m_crNormal, m_crVisited);
}

bool CHyperLinkCtrl::SetTarget(const std::wstring& target)
{
    m_pszTarget = target;
    if (m_hToolTip && IsWindow(m_hToolTip.Get()))
    {
        SendMessageW(m_hToolTip.Get(), TTM_ACTIVATE, 1, 0);
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = m_hWnd;
        tool.uId = 1;
        tool.rect = m_rcText;
        tool.hinst = ModuleInstance();
        tool.lpszText = &m_pszTarget[0];
        SendMessageW(m_hToolTip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

bool CHyperLinkCtrl::OpenTarget()
{
    const HINSTANCE hResult = SystemLibraries::ShellExecuteW(nullptr, L"open", m_pszTarget.c_str(),
                                                             nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(hResult) <= 32)
        return false;
    m_fState |= kStateVisited;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

const std::wstring& CHyperLinkCtrl::ShownText() const
{
    return m_pszText.empty() ? m_pszTarget : m_pszText;
}

UINT CHyperLinkCtrl::AlignmentFlags() const
{
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_CENTER)
        return DT_CENTER;
    if ((style & SS_TYPEMASK) == SS_RIGHT)
        return DT_RIGHT;
    return 0;
}

void CHyperLinkCtrl::MeasureText()
{
    if (m_hWnd == nullptr || ShownText().empty())
        return;
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    RECT measured = client;
    const CWindowDc window(m_hWnd);
    HGDIOBJ hPrevious =
        m_hUnderlineFont ? SelectObject(window.Get(), m_hUnderlineFont.Get()) : nullptr;
    const UINT alignment = AlignmentFlags();
    DrawTextW(window.Get(), ShownText().c_str(), -1, &measured,
              DT_WORDBREAK | DT_CALCRECT | alignment);
    if (hPrevious != nullptr)
        SelectObject(window.Get(), hPrevious);
    int shift = 0;
    if (alignment == DT_CENTER)
        shift = (client.right - measured.right) / 2;
    else if (alignment == DT_RIGHT)
        shift = client.right - measured.right;
    OffsetRect(&measured, shift, 0);
    m_rcText = measured;
}

void CHyperLinkCtrl::PaintLink(HDC hDc)
{
    HBRUSH hBrush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(m_hWnd), WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(hDc),
                                                          reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush != nullptr)
    {
        RECT client = {};
        GetClientRect(m_hWnd, &client);
        FillRect(hDc, &client, hBrush);
    }
    SetBkMode(hDc, TRANSPARENT);
    COLORREF color = m_crNormal;
    if (!IsWindowEnabled(m_hWnd))
        color = GetSysColor(COLOR_GRAYTEXT);
    else if ((m_fState & kStateVisited) != 0)
        color = m_crVisited;
    const COLORREF previousColor = SetTextColor(hDc, color);
    HFONT hFont = m_hUnderlineFont ? m_hUnderlineFont.Get() : m_hTextFont;
    const CSelection selection(hDc, hFont);
    RECT text = m_rcText;
    DrawTextW(hDc, ShownText().c_str(), -1, &text, DT_WORDBREAK | AlignmentFlags());
    if (GetFocus() == m_hWnd)
        DrawFocusRect(hDc, &m_rcText);
    SetTextColor(hDc, previousColor);
}

bool CHyperLinkCtrl::IsOverText(POINT point) const
{
    return !m_pszTarget.empty() && PtInRect(&m_rcText, point);
}

void CHyperLinkCtrl::Repaint(bool updateNow)
{
    InvalidateRect(m_hWnd, nullptr, TRUE);
    if (updateNow)
        UpdateWindow(m_hWnd);
}

static POINT PointFrom(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool CHyperLinkCtrl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_DESTROY)
    {
        // Destroyed with its owner already, or still to destroy.
        if (!IsWindow(m_hToolTip.Get()))
            m_hToolTip.Release();
        m_hToolTip.Reset();
        return false;
    }
    if (message >= WM_MOUSEFIRST && message <= WM_XBUTTONDBLCLK && m_hToolTip &&
        IsWindow(m_hToolTip.Get()))
    {
        MSG relayed = {m_hWnd, message, wParam, lParam, 0, {0, 0}};
        SendMessageW(m_hToolTip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    result = 0;
    switch (message)
    {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            if (wParam != 0)
            {
                PaintLink(reinterpret_cast<HDC>(wParam));
            }
            else
            {
                PAINTSTRUCT paint;
                HDC hDc = BeginPaint(m_hWnd, &paint);
                if (hDc != nullptr)
                    PaintLink(hDc);
                EndPaint(m_hWnd, &paint);
            }
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Repaint(false);
            return true;
        case WM_MOUSEMOVE:
            if (!IsOverText(PointFrom(lParam)))
                return false;
            SetCursor(m_hHandCursor.Get());
            return true;
        case WM_LBUTTONDOWN:
            if (PtInRect(&m_rcText, PointFrom(lParam)))
            {
                SetFocus(m_hWnd);
                SetCapture(m_hWnd);
            }
            return true;
        case WM_LBUTTONUP:
            if (GetCapture() == m_hWnd)
            {
                ReleaseCapture();
                if (PtInRect(&m_rcText, PointFrom(lParam)))
                    OpenTarget();
            }
            return true;
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_SPACE)
                OpenTarget();
            return true;
        case WM_GETDLGCODE:
            result = DLGC_WANTCHARS;
            return true;
        case WM_SETCURSOR:
        {
            POINT point = {};
            GetCursorPos(&point);
            ScreenToClient(m_hWnd, &point);
            if (!IsOverText(point))
                return false;
            result = 1;
            return true;
        }
        case WM_ENABLE:
            Repaint(true);
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(m_hTextFont);
            return true;
        case WM_SETFONT:
            m_hTextFont = reinterpret_cast<HFONT>(wParam);
            if (lParam != 0)
                Repaint(true);
            return true;
        case WM_UPDATEUISTATE:
            return true;
        case WM_SIZE:
            MeasureText();
            Repaint(false);
            return true;
        default:
            return false;
    }
}
