// Finds the message boxes a process shows, reads them as a user would see them, and
// answers them. Used by the automation helper and by in-process unit tests.
#ifndef JVMHOST_TESTS_MESSAGE_BOX_PROBE_H
#define JVMHOST_TESTS_MESSAGE_BOX_PROBE_H

#include <windows.h>

#include "wait_bound.h"

#include <memory>
#include <string>
#include <vector>

struct SMessageBoxInfo
{
    std::wstring caption;
    std::wstring text;
    // Class name of the owner window; empty when the box has no owner.
    std::wstring owner;
    // "error", "warning", "information", "question", "none" or "other".
    std::wstring icon;
    std::vector<std::wstring> buttons;
};

// A visible dialog-class top-level window of that process, or null.
HWND FindMessageBox(DWORD processId);
// The same, owned by that window.
HWND FindDialogWindow(DWORD processId, HWND hOwner);

SMessageBoxInfo ReadMessageBox(HWND hBox);
// A dialog read as a box: its text from one control, its icon from another.
SMessageBoxInfo ReadDialog(HWND hBox, int textControlId, int iconControlId);

// A window's text, read so that a window of another process cannot block the reader.
std::wstring ReadWindowText(HWND hWindow);
std::wstring ClassOf(HWND hWindow);

// The pixels of a width x height area of a device context, as 32-bit values 0x00RRGGBB.
std::vector<DWORD> CopyPixels(HDC hSource, int x, int y, int width, int height);

// Presses the box's button with that control id and waits until the box is gone.
void PressMessageBoxButton(HWND hBox, int controlId);

// Answers the message boxes of the current process with OK from a thread of its own, and
// keeps what they showed. That thread never draws or reads the screen: it would share the
// process's X connection with the thread that shows the boxes. The test process ends with a
// message when the code under test has not returned within kAnswerBoundMs.
class CMessageBoxAnswerer
{
public:
    CMessageBoxAnswerer();
    ~CMessageBoxAnswerer();
    // Stops answering and returns every box seen, in order.
    std::vector<SMessageBoxInfo> Finish();

private:
    static DWORD WINAPI ThreadProc(void* pParameter);

    static const DWORD kAnswerBoundMs = 30000;

    std::unique_ptr<CWaitBound> m_pBound;
    HANDLE m_hThread;
    volatile LONG m_bStop;
    std::vector<SMessageBoxInfo> m_boxes;
};

#endif
