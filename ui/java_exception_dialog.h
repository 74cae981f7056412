// The Java Exception dialog: the stack trace of an exception that escaped main, and the
// choice to ignore it or to stop the application. The dialog can be resized.
#ifndef JVMHOST_JAVA_EXCEPTION_DIALOG_H
#define JVMHOST_JAVA_EXCEPTION_DIALOG_H

#include <string>
#include <vector>

#include "ui/window_framework.h"

class CJavaExceptionDialog : public CDialogBase
{
public:
    explicit CJavaExceptionDialog(const std::wstring& text);

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Which edges of a control follow the dialog's bottom-right corner.
    enum EFollows
    {
        FollowsRight = 1,
        FollowsLeft = 2,
        FollowsBottom = 4,
        FollowsTop = 8,
        FollowsCorner = FollowsRight | FollowsLeft | FollowsBottom | FollowsTop,
    };

    struct SMappedControl
    {
        int id;
        int follows;
        RECT initial; // in the dialog's client coordinates
    };

    void OnInitDialog() override;
    void SetUpResizing();
    void Layout();

    std::wstring m_text;
    bool m_bResizing;
    SIZE m_initialClient;
    SIZE m_minimumWindow;
    std::vector<SMappedControl> m_controls;
    bool m_bHasSizeGrip;
};

// Asks whether to stop after an exception escaped main, showing its stack trace: true for
// Stop, false for Ignore or when there is no text to show.
bool AskToStopAfterJavaException(const std::wstring& text);

#endif
