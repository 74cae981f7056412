// The window framework: C++ objects bound to the windows whose messages they handle. The splash
// window and the dialogs are built on it.
#ifndef JVMHOST_WINDOW_FRAMEWORK_H
#define JVMHOST_WINDOW_FRAMEWORK_H

#include <windows.h>

class CWindowBase
{
public:
    CWindowBase();
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;

    // Returns whether the message was handled; result is then what the window procedure
    // returns. Messages left alone go to the default window procedure.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual ~CWindowBase();
    // The procedure that routes the bound window's messages to this object.
    virtual WNDPROC GetWindowProc();
    // Called after the window's last message (WM_NCDESTROY), once it is no longer bound.
    virtual void OnFinalMessage(HWND hWnd);

    HWND GetHandle() const { return m_hWnd; }

    // Creates a window of a class registered with RegisterWindowClass and binds this object
    // to it before the window's first message. Returns the window, or null.
    HWND Create(ATOM windowClass, DWORD exStyle, DWORD style, const RECT& frame, HWND hParent);

protected:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;

private:
    friend ATOM RegisterWindowClass(WNDCLASSEXW& windowClass);
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Registers a window class once per process; the class procedure binds new windows to their
// objects. A class that already exists under that name is used as it is. The class's
// procedure and instance are filled in here. Returns the class atom, or 0.
ATOM RegisterWindowClass(WNDCLASSEXW& windowClass);

#endif
