#include "message_box_probe.h"

#include <cstdlib>
#include <cstring>

namespace
{
const int kIconControlId = 1088;
const int kTextControlId = 0xFFFF;

} // namespace

std::wstring ReadWindowText(HWND hWindow)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hWindow, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::wstring();
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hWindow, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    return std::wstring(buffer.data(), copied);
}

std::wstring ClassOf(HWND hWindow)
{
    wchar_t name[256] = L"";
    GetClassNameW(hWindow, name, 256);
    return name;
}

namespace
{
struct SSearch
{
    DWORD processId;
    HWND hOwner;
    HWND hFound;
};

BOOL CALLBACK FindBoxProc(HWND hWindow, LPARAM lParam)
{
    SSearch* pSearch = reinterpret_cast<SSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWindow, &processId);
    if (processId != pSearch->processId || !IsWindowVisible(hWindow) ||
        ClassOf(hWindow) != L"#32770" ||
        (pSearch->hOwner != nullptr && GetWindow(hWindow, GW_OWNER) != pSearch->hOwner))
        return TRUE;
    pSearch->hFound = hWindow;
    return FALSE;
}

BOOL CALLBACK CollectButtonProc(HWND hWindow, LPARAM lParam)
{
    // Group boxes are buttons too, but nothing to press.
    if (ClassOf(hWindow) == L"Button" && IsWindowVisible(hWindow) &&
        (GetWindowLongW(hWindow, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX)
        reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(ReadWindowText(hWindow));
    return TRUE;
}

} // namespace

std::vector<DWORD> CopyPixels(HDC hSource, int x, int y, int width, int height)
{
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height, 0);
    HDC hMemory = CreateCompatibleDC(hSource);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(hMemory, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    BitBlt(hMemory, 0, 0, width, height, hSource, x, y, SRCCOPY);
    GdiFlush();
    memcpy(pixels.data(), pBits, pixels.size() * sizeof(DWORD));
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    return pixels;
}

namespace
{

// The icon drawn the way a static control draws it, on the given background.
std::vector<DWORD> RenderIcon(HICON hIcon, int width, int height, DWORD background)
{
    HDC hScreen = GetDC(nullptr);
    HDC hMemory = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, width, height);
    HGDIOBJ hOld = SelectObject(hMemory, hBitmap);
    HBRUSH hBrush = CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT area = {0, 0, width, height};
    FillRect(hMemory, &area, hBrush);
    DeleteObject(hBrush);
    DrawIconEx(hMemory, 0, 0, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
    std::vector<DWORD> pixels = CopyPixels(hMemory, 0, 0, width, height);
    SelectObject(hMemory, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemory);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

long long Distance(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    long long total = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        for (int shift = 0; shift < 24; shift += 8)
            total += std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                              static_cast<int>((b[i] >> shift) & 0xFF));
    }
    return total;
}

const struct
{
    LPCWSTR id;
    const wchar_t* name;
} kKnownIcons[] = {{IDI_ERROR, L"error"},
                   {IDI_WARNING, L"warning"},
                   {IDI_INFORMATION, L"information"},
                   {IDI_QUESTION, L"question"}};

// The icon a box of another process shows, told by what its control shows on the screen
// compared with the system's icons drawn the same way: icon handles of another process mean
// nothing here.
std::wstring ShownIconStyle(HWND hIconControl)
{
    RECT rect = {};
    GetWindowRect(hIconControl, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return L"none";
    HDC hScreen = GetDC(nullptr);
    const std::vector<DWORD> shown = CopyPixels(hScreen, rect.left, rect.top, width, height);
    ReleaseDC(nullptr, hScreen);
    const DWORD background = shown[0];

    std::wstring best = L"other";
    long long bestDistance = Distance(shown, std::vector<DWORD>(shown.size(), background));
    for (const auto& known : kKnownIcons)
    {
        const long long distance =
            Distance(shown, RenderIcon(LoadIconW(nullptr, known.id), width, height, background));
        if (distance < bestDistance)
        {
            bestDistance = distance;
            best = known.name;
        }
    }
    // An empty control is closest to its own background.
    return best == L"other" ? L"none" : best;
}

// A box is found as soon as it is visible, often before it has painted; until then the screen
// shows what was there before (another box's icon, say). The icon is taken once three
// readings in a row, a moment apart, agree on one.
std::wstring SettledIconStyle(HWND hIconControl)
{
    std::wstring style = ShownIconStyle(hIconControl);
    int agreeing = 1;
    for (int attempt = 0; attempt < 100 && (agreeing < 3 || style == L"none"); ++attempt)
    {
        Sleep(30);
        const std::wstring seen = ShownIconStyle(hIconControl);
        agreeing = seen == style ? agreeing + 1 : 1;
        style = seen;
    }
    return style;
}

std::wstring IconStyle(HWND hBox, int iconControlId)
{
    // Whether the control holds an icon at all does not depend on what the screen shows yet.
    HWND hIconControl = GetDlgItem(hBox, iconControlId);
    DWORD_PTR hIcon = 0;
    if (hIconControl == nullptr || !IsWindowVisible(hIconControl) ||
        !SendMessageTimeoutW(hIconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &hIcon) ||
        hIcon == 0)
        return L"none";
    DWORD processId = 0;
    GetWindowThreadProcessId(hBox, &processId);
    if (processId != GetCurrentProcessId())
        return SettledIconStyle(hIconControl);
    // A box of this very process is told by its icon handle: the system icons are shared
    // within a process. Reading the screen from a second thread here would share the
    // process's X connection with the thread that shows the box, and Xlib can deadlock the
    // two (see the README).
    for (const auto& known : kKnownIcons)
    {
        if (reinterpret_cast<HICON>(hIcon) == LoadIconW(nullptr, known.id))
            return known.name;
    }
    return L"other";
}
} // namespace

HWND FindMessageBox(DWORD processId)
{
    return FindDialogWindow(processId, nullptr);
}

HWND FindDialogWindow(DWORD processId, HWND hOwner)
{
    SSearch search = {processId, hOwner, nullptr};
    EnumWindows(FindBoxProc, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

SMessageBoxInfo ReadMessageBox(HWND hBox)
{
    return ReadDialog(hBox, kTextControlId, kIconControlId);
}

SMessageBoxInfo ReadDialog(HWND hBox, int textControlId, int iconControlId)
{
    SMessageBoxInfo info;
    info.caption = ReadWindowText(hBox);
    HWND hText = GetDlgItem(hBox, textControlId);
    if (hText != nullptr)
        info.text = ReadWindowText(hText);
    HWND hOwner = GetWindow(hBox, GW_OWNER);
    if (hOwner != nullptr)
        info.owner = ClassOf(hOwner);
    info.icon = IconStyle(hBox, iconControlId);
    EnumChildWindows(hBox, CollectButtonProc, reinterpret_cast<LPARAM>(&info.buttons));
    return info;
}

void PressMessageBoxButton(HWND hBox, int controlId)
{
    // The command a click sends; unlike a simulated click it does not depend on which
    // window is active.
    HWND hButton = GetDlgItem(hBox, controlId);
    PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hButton));
    for (int i = 0; i < 500 && IsWindow(hBox) && IsWindowVisible(hBox); ++i)
        Sleep(10);
}

CMessageBoxAnswerer::CMessageBoxAnswerer()
    : m_pBound(new CWaitBound("the code under test to return while its message boxes are "
                              "answered (a box the answerer could not close?)",
                              kAnswerBoundMs)),
      m_hThread(nullptr), m_bStop(0)
{
    m_hThread = CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr);
}

CMessageBoxAnswerer::~CMessageBoxAnswerer()
{
    Finish();
}

std::vector<SMessageBoxInfo> CMessageBoxAnswerer::Finish()
{
    if (m_hThread != nullptr)
    {
        InterlockedExchange(&m_bStop, 1);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    m_pBound.reset();
    return m_boxes;
}

DWORD WINAPI CMessageBoxAnswerer::ThreadProc(void* pParameter)
{
    CMessageBoxAnswerer* pSelf = static_cast<CMessageBoxAnswerer*>(pParameter);
    while (InterlockedCompareExchange(&pSelf->m_bStop, 0, 0) == 0)
    {
        HWND hBox = FindMessageBox(GetCurrentProcessId());
        if (hBox == nullptr)
        {
            Sleep(10);
            continue;
        }
        pSelf->m_boxes.push_back(ReadMessageBox(hBox));
        PressMessageBoxButton(hBox, IDOK);
    }
    return 0;
}
