// The Java Exception dialog and the launcher's question whether to stop after an exception.
#include "ui/java_exception_dialog.h"
#include "base/text.h"
#include "report/error_report.h"
#include "ui/resources/resource.h"

// An edit control takes ever longer to lay out a long text (under Wine with the square of a
// paragraph's length): the dialog shows this much and says how much it left out.
static const size_t kMaxShownCharacters = 16384;

static std::wstring ShownPart(const std::wstring& text)
{
    if (text.size() <= kMaxShownCharacters)
        return text;
    size_t shown = kMaxShownCharacters;
    // A character beyond the BMP stays whole.
    if (text[shown - 1] >= 0xD800 && text[shown - 1] <= 0xDBFF)
        --shown;
    return text.substr(0, shown) + L"\r\n" +
           FormatText(LoadText(IDS_TEXT_LEFT_OUT),
                      {DecimalText(static_cast<long long>(text.size() - shown))});
}

CJavaExceptionDialog::CJavaExceptionDialog(const std::wstring& text)
    : m_text(ShownPart(text)), m_bResizing(false), m_initialClient{0, 0}, m_minimumWindow{0, 0},
      m_bHasSizeGrip(false)
{
}

bool CJavaExceptionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    switch (message)
    {
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
                return false;
            EndDialog(m_hWnd, LOWORD(wParam));
            return true;
        case WM_GETMINMAXINFO:
            if (!m_bResizing)
                return false;
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_minimumWindow.cx,
                                                                     m_minimumWindow.cy};
            return true;
        case WM_SIZE:
            if (!m_bResizing || wParam == SIZE_MINIMIZED)
                return false;
            if (m_bHasSizeGrip)
                ShowWindow(GetDlgItem(m_hWnd, IDC_SIZE_GRIP),
                           wParam == SIZE_MAXIMIZED ? SW_HIDE : SW_SHOW);
            Layout();
            return true;
        default:
            return false;
    }
}

void CJavaExceptionDialog::OnInitDialog()
{
    SetDlgItemTextW(m_hWnd, IDC_STACK_TRACE, m_text.c_str());
    SendDlgItemMessageW(m_hWnd, IDC_STACK_TRACE, EM_SETREADONLY, TRUE, 0);
    SendDlgItemMessageW(m_hWnd, IDC_ERROR_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_ERROR)), 0);
    CentreDialog(m_hWnd);
    SetUpResizing();
}

void CJavaExceptionDialog::SetUpResizing()
{
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    // No small icon: the caption shows none.
    if (SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0) == 0)
        SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, 0);

    RECT client = {};
    GetClientRect(m_hWnd, &client);
    m_initialClient = {client.right, client.bottom};
    // Created over the whole client area, the grip aligns itself to the bottom-right corner.
    m_bHasSizeGrip = CreateWindowExW(0, L"SCROLLBAR", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP |
                                         SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN,
                                     0, 0, client.right, client.bottom, m_hWnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SIZE_GRIP)),
                                     ModuleInstance(), nullptr) != nullptr;

    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    m_minimumWindow = {window.right - window.left, window.bottom - window.top};

    const struct
    {
        int id;
        int follows;
    } kRules[] = {
        {IDC_EXCEPTION_GROUP, FollowsRight | FollowsBottom},
        {IDC_EXCEPTION_INTRO, FollowsRight},
        {IDC_EXCEPTION_WARNING, FollowsRight | FollowsBottom | FollowsTop},
        {IDC_EXCEPTION_CHOICE, FollowsRight | FollowsBottom | FollowsTop},
        {IDC_STACK_TRACE, FollowsRight | FollowsBottom},
        {IDOK, FollowsCorner},
        {IDCANCEL, FollowsCorner},
        {IDC_SIZE_GRIP, FollowsCorner},
    };
    for (const auto& rule : kRules)
    {
        HWND hControl = GetDlgItem(m_hWnd, rule.id);
        if (hControl == nullptr)
            continue;
        SMappedControl control = {rule.id, rule.follows, {}};
        GetWindowRect(hControl, &control.initial);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&control.initial), 2);
        m_controls.push_back(control);
    }
    m_bResizing = true;
}

void CJavaExceptionDialog::Layout()
{
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const int dx = client.right - m_initialClient.cx;
    const int dy = client.bottom - m_initialClient.cy;
    const bool visible = IsWindowVisible(m_hWnd) != FALSE;
    if (visible)
        SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (const SMappedControl& control : m_controls)
    {
        RECT frame = control.initial;
        if (control.follows & FollowsLeft)
            frame.left += dx;
        if (control.follows & FollowsRight)
            frame.right += dx;
        if (control.follows & FollowsTop)
            frame.top += dy;
        if (control.follows & FollowsBottom)
            frame.bottom += dy;
        SetWindowPos(GetDlgItem(m_hWnd, control.id), nullptr, frame.left, frame.top,
                     frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (visible)
    {
        SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(m_hWnd, nullptr, nullptr,
                     RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

bool AskToStopAfterJavaException(const std::wstring& text)
{
    if (text.empty())
        return false;
    CJavaExceptionDialog dialog(text);
    return dialog.RunModal(IDD_JAVA_EXCEPTION, GetActiveWindow()) != IDOK;
}
