// Binding window objects to new windows, routing messages to them, and registering classes.
#include "ui/window_framework.h"

#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The framework's one lock: it serialises class registration and the hand-off of objects to
// the windows being created for them.
static SRWLOCK g_frameworkLock = SRWLOCK_INIT;

struct SPendingBinding
{
    DWORD threadId;
    CWindowBase* pWindow;
};

// Objects whose windows are being created, one per creating thread at most: a window's first
// message arrives on the thread that creates it.
static std::vector<SPendingBinding> g_pendingBindings;

struct SWindowBinding
{
    static void Offer(CWindowBase* pWindow)
    {
        AcquireSRWLockExclusive(&g_frameworkLock);
        g_pendingBindings.push_back({GetCurrentThreadId(), pWindow});
        ReleaseSRWLockExclusive(&g_frameworkLock);
    }

    // The object offered by this thread, taken out of the hand-off; null when there is none.
    static CWindowBase* Take()
    {
        CWindowBase* pWindow = nullptr;
        AcquireSRWLockExclusive(&g_frameworkLock);
        for (auto it = g_pendingBindings.begin(); it != g_pendingBindings.end(); ++it)
        {
            if (it->threadId == GetCurrentThreadId())
            {
                pWindow = it->pWindow;
                g_pendingBindings.erase(it);
                break;
            }
        }
        ReleaseSRWLockExclusive(&g_frameworkLock);
        return pWindow;
    }
};

static HINSTANCE ModuleInstance()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

CWindowBase::CWindowBase() : m_hWnd(nullptr) {}

CWindowBase::~CWindowBase() {}

WNDPROC CWindowBase::GetWindowProc()
{
    return &CWindowBase::WindowProc;
}

void CWindowBase::OnFinalMessage(HWND) {}

HWND CWindowBase::Create(ATOM windowClass, DWORD exStyle, DWORD style, const RECT& frame,
                         HWND hParent)
{
    if (windowClass == 0)
        return nullptr;
    SWindowBinding::Offer(this);
    HWND hWnd = CreateWindowExW(exStyle, MAKEINTATOM(windowClass), nullptr, style, frame.left,
                                frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                hParent, nullptr, ModuleInstance(), nullptr);
    // A window that failed before its first message leaves the offer behind.
    SWindowBinding::Take();
    return hWnd;
}

LRESULT CALLBACK CWindowBase::StartWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = SWindowBinding::Take();
    if (pWindow == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    pWindow->m_hWnd = hWnd;
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWindow));
    SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWindow->GetWindowProc()));
    return pWindow->GetWindowProc()(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* pWindow = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (pWindow == nullptr || !pWindow->HandleMessage(message, wParam, lParam, result))
        result = DefWindowProcW(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY && pWindow != nullptr)
    {
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        pWindow->m_hWnd = nullptr;
        pWindow->OnFinalMessage(hWnd);
    }
    return result;
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
