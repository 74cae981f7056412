// The splash of a launch, as the plan chose it: the runtime's own splash library, or the
// launcher's own window, run by a thread of its own (also when the library cannot start).
#ifndef JVMHOST_SPLASH_H
#define JVMHOST_SPLASH_H

#include "base/unique_handle.h"
#include "plan/launch_plan.h"
#include "report/reporter.h"

#include <memory>
#include <string>

class CSplashWindow;

class CSplash
{
public:
    // The launcher's own window owns the message boxes while it is shown.
    explicit CSplash(CMessageBoxReporter& messageBoxes);
    ~CSplash();
    CSplash(const CSplash&) = delete;
    CSplash& operator=(const CSplash&) = delete;

    void ShowSplash(const SSplashPlan& plan, const std::wstring& jvmLibraryPath);
    // Takes the launcher's own window down, from any thread but the window's.
    void StopSplashWindow();
    // Calls the runtime splash library's "SplashClose", once.
    void CloseJreSplash();

private:
    bool StartJreSplash(const SSplashPlan& plan, const std::wstring& jvmLibraryPath);
    static DWORD WINAPI SplashThread(void* pParameter);

    CMessageBoxReporter& m_messageBoxes;
    std::wstring m_splashImage;
    bool m_bSplashShadow;
    std::unique_ptr<CSplashWindow> m_pSplashWindow;
    CUniqueHandle m_hSplashThread;
    DWORD m_dwSplashThreadId;
    void (*m_pfnSplashClose)();
};

#endif
