// The splash of a launch: the runtime's own splash library when the settings prefer it and
// the runtime has one, else the launcher's own window, run by a thread of its own.
#ifndef JVMHOST_SPLASH_H
#define JVMHOST_SPLASH_H

#include "base/unique_handle.h"
#include "config/launch_settings.h"
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

    void ShowSplash(const SLaunchSettings& settings, const std::wstring& jvmLibraryPath);
    // Takes the launcher's own window down, from any thread but the window's.
    void StopSplashWindow();
    // Calls the runtime splash library's "SplashClose", once.
    void CloseJreSplash();

    // The runtime's splash library beside the bin folder of its JVM library; empty when none.
    static std::wstring FindJreSplashLibrary(const std::wstring& jvmLibraryPath,
                                             const std::wstring& fileName);

private:
    bool StartJreSplash(const std::wstring& libraryPath, const std::wstring& jvmLibraryPath);
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
