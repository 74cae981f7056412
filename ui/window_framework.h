// The window framework: C++ objects bound to the windows whose messages they handle: new
// windows (the splash window), modal dialogs, and existing controls taken over by subclassing.
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
    // returns. Messages left alone go to the default procedure, or to the control's own for
    // a subclassed control.
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

    // Binds this object to an existing control; false when it cannot be done.
    bool Subclass(HWND hControl);

protected:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static CWindowBase* FromHandle(HWND hWnd);
    void Bind(HWND hWnd);
    // Undoes the binding after the window's last message and calls OnFinalMessage.
    void Unbind(HWND hWnd);

    HWND m_hWnd;
    // The control's own procedure while it is subclassed; null for windows made here.
    WNDPROC m_pfnPreviousProc;

    friend struct SWindowBinding;
    friend class CDialogBase;
    friend ATOM RegisterWindowClass(WNDCLASSEXW& windowClass);
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A modal dialog from the executable's dialog resources, bound to its object before the
// dialog's first message.
class CDialogBase : public CWindowBase
{
public:
    WNDPROC GetWindowProc() override;

    // Runs the dialog; its result, or -1 when it cannot be shown.
    INT_PTR RunModal(int templateId, HWND hOwner);

protected:
    // Prepares the controls (WM_INITDIALOG). The system is not asked to set the first
    // keyboard focus.
    virtual void OnInitDialog();

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK StartDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Registers a window class once per process; the class procedure binds new windows to their
// objects. A class that already exists under that name is used as it is. The class's
// procedure and instance are filled in here. Returns the class atom, or 0.
ATOM RegisterWindowClass(WNDCLASSEXW& windowClass);

// Places a dialog over its owner when the owner is visible and not minimised, otherwise over
// the desktop's work area, and then within the work area; it keeps its size.
void CentreDialog(HWND hDialog);

// The executable's own module, which holds the resources.
HINSTANCE ModuleInstance();

#endif
