// Binding window objects to windows, routing messages to them, and registering classes.
#include "ui/window_framework.h"

#include <iterator>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The window property that holds a window's object.
static const wchar_t kObjectProperty[] = L"jvmhost.window";

// The framework's one lock: it serialises class registration and the hand-off of objects to
// the windows being created for them.
static SRWLOCK g_frameworkLock = SRWLOCK_INIT;

struct SPendingBinding
{
    DWORD threadId;
    CWindowBase* pWindow;
};

// Objects whose windows are being created: a window's first message arrives on the thread
// that creates it.
static std::vector<SPendingBinding> g_pendingBindings;

struct SWindowBinding
{
    static void Offer(CWindowBase* pWindow)
    {
        AcquireSRWLockExclusive(&g_frameworkLock);
        g_pendingBindings.push_back({GetCurrentThreadId(), pWindow});
        ReleaseSRWLockExclusive(&g_frameworkLock);
    }

    // The object this thread offered last, taken out of the hand-off; null when there is none.
    static CWindowBase* Take()
    {
        CWindowBase* pWindow = nullptr;
        AcquireSRWLockExclusive(&g_frameworkLock);
        for (auto it = g_pendingBindings.rbegin(); it != g_pendingBindings.rend(); ++it)
        {
            if (it->threadId == GetCurrentThreadId())
            {
                pWindow = it->pWindow;
                g_pendingBindings.erase(std::next(it).base());
                break;
            }
        }
        ReleaseSRWLockExclusive(&g_frameworkLock);
        return pWindow;
    }

    // Withdraws an offer that no window has taken (its creation failed early).
    static void Withdraw(CWindowBase* pWindow)
    {
        AcquireSRWLockExclusive(&g_frameworkLock);
        for (auto it = g_pendingBindings.begin(); it != g_pendingBindings.end(); ++it)
        {
            if (it->pWindow == pWindow && it->threadId == GetCurrentThreadId())
            {
                g_pendingBindings.erase(it);
                break;
            }
        }
        ReleaseSRWLockExclusive(&g_frameworkLock);
    }
};

HINSTANCE ModuleInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

CWindowBase::CWindowBase() : m_hWnd(nullptr), m_pfnPreviousProc(nullptr) {}

CWindowBase::~CWindowBase() {}

WNDPROC CWindowBase::GetWindowProc()
{
    return &CWindowBase::WindowProc;
}

void CWindowBase::OnFinalMessage(HWND) {}

CWindowBase* CWindowBase::FromHandle(HWND hWnd)
{
    return static_cast<CWindowBase*>(GetPropW(hWnd, kObjectProperty));
}

void CWindowBase::Bind(HWND hWnd)
{
    m_hWnd = hWnd;
    SetPropW(hWnd, kObjectProperty, this);
}

void CWindowBase::Unbind(HWND hWnd)
{
    RemovePropW(hWnd, kObjectProperty);
    if (m_pfnPreviousProc != nullptr)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPreviousProc));
    m_pfnPreviousProc = nullptr;
    m_hWnd = nullptr;
    OnFinalMessage(hWnd);
}

HWND CWindowBase::Create(ATOM windowClass, DWORD exStyle, DWORD style, const RECT& frame,
                         HWND hParent)
{
    if (windowClass == 0)
        return nullptr;
    SWindowBinding::Offer(this);
    HWND hWnd = CreateWindowExW(exStyle, MAKEINTATOM(windowClass), nullptr, style, frame.left,
                                frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                hParent, nullptr, ModuleInstance(), nullptr);
    SWindowBinding::Withdraw(this);
    return hWnd;
}

bool CWindowBase::Subclass(HWND hControl)
{
    if (hControl == nullptr || m_hWnd != nullptr)
        return false;
    Bind(hControl);
    m_pfnPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetWindowProc())));
    if (m_pfnPreviousProc != nullptr)
        return true;
    RemovePropW(hControl, kObjectProperty);
    m_hWnd = nullptr;
    return false;
}

LRESULT CALLBACK CWindowBase::StartWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = SWindowBinding::Take();
    if (pWindow == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    pWindow->Bind(hWnd);
    const WNDPROC pfnProc = pWindow->GetWindowProc();
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnProc));
    return pfnProc(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = FromHandle(hWnd);
    if (pWindow == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    if (!pWindow->HandleMessage(message, wParam, lParam, result))
    {
        result = pWindow->m_pfnPreviousProc != nullptr
                     ? CallWindowProcW(pWindow->m_pfnPreviousProc, hWnd, message, wParam, lParam)
                     : DefWindowProcW(hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY)
        pWindow->Unbind(hWnd);
    return result;
}

WNDPROC CDialogBase::GetWindowProc()
{
    return reinterpret_cast<WNDPROC>(&CDialogBase::DialogProc);
}

INT_PTR CDialogBase::RunModal(int templateId, HWND hOwner)
{
    SWindowBinding::Offer(this);
    const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), hOwner,
                                           &CDialogBase::StartDialogProc, 0);
    SWindowBinding::Withdraw(this);
    return result;
}

INT_PTR CALLBACK CDialogBase::StartDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = SWindowBinding::Take();
    if (pWindow == nullptr)
        return FALSE;
    pWindow->Bind(hWnd);
    const DLGPROC pfnProc = reinterpret_cast<DLGPROC>(pWindow->GetWindowProc());
    SetWindowLongPtrW(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pfnProc));
    return pfnProc(hWnd, message, wParam, lParam);
}

void CDialogBase::OnInitDialog() {}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = FromHandle(hWnd);
    if (pWindow == nullptr)
        return FALSE;
    if (message == WM_INITDIALOG)
    {
        static_cast<CDialogBase*>(pWindow)->OnInitDialog();
        return FALSE;
    }
    LRESULT result = 0;
    const bool handled = pWindow->HandleMessage(message, wParam, lParam, result);
    if (message == WM_NCDESTROY)
        pWindow->Unbind(hWnd);
    if (!handled)
        return FALSE;
    // These messages answer through the procedure's own result; all others through
    // DWLP_MSGRESULT.
    switch (message)
    {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

ATOM RegisterWindowClass(WNDCLASSEXW& windowClass)
{
    windowClass.cbSize = sizeof(windowClass);
    windowClass.hInstance = ModuleInstance();
    windowClass.lpfnWndProc = &CWindowBase::StartWindowProc;
    AcquireSRWLockExclusive(&g_frameworkLock);
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    // GetClassInfoExW answers with the class's atom.
    ATOM atom = static_cast<ATOM>(
        GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing));
    if (atom == 0)
        atom = RegisterClassExW(&windowClass);
    ReleaseSRWLockExclusive(&g_frameworkLock);
    return atom;
}

void CentreDialog(HWND hDialog)
{
    RECT window = {};
    GetWindowRect(hDialog, &window);
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    HWND hOwner = GetWindow(hDialog, GW_OWNER);
    RECT centre = workArea;
    if (hOwner != nullptr && IsWindowVisible(hOwner) && !IsIconic(hOwner))
        GetWindowRect(hOwner, &centre);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int left = (centre.left + centre.right - width) / 2;
    int top = (centre.top + centre.bottom - height) / 2;
    if (left + width > workArea.right)
        left = workArea.right - width;
    if (top + height > workArea.bottom)
        top = workArea.bottom - height;
    if (left < workArea.left)
        left = workArea.left;
    if (top < workArea.top)
        top = workArea.top;
    SetWindowPos(hDialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
