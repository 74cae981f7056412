// Showing the splash: the runtime's own splash library ("splashscreen.dll"), or the thread of
// the launcher's own window.
#include "splash/splash.h"
#include "base/thread_quit.h"
#include "report/launch_trace.h"
#include "base/library_entry.h"
#include "splash/splash_window.h"

typedef void (*PfnSplashInit)();
typedef void (*PfnSplashClose)();
typedef int (*PfnSplashLoadFile)(const char* pFileName);
typedef void (*PfnSplashSetFileJarName)(const char* pFileName, const char* pJarName);

CSplash::CSplash(CMessageBoxReporter& messageBoxes)
    : m_messageBoxes(messageBoxes), m_bSplashShadow(false), m_dwSplashThreadId(0),
      m_pfnSplashClose(nullptr)
{
}

CSplash::~CSplash()
{
    StopSplashWindow();
    CloseJreSplash();
}

void CSplash::ShowSplash(const SSplashPlan& plan, const std::wstring& jvmLibraryPath)
{
    if (plan.m_kind == SplashNone)
        return;
    if (plan.m_kind == SplashRuntimeLibrary && StartJreSplash(plan, jvmLibraryPath))
        return;
    TraceLine(L"splash: the launcher's own window");
    m_splashImage = plan.m_image;
    m_bSplashShadow = plan.m_bShadow;
    m_pSplashWindow.reset(new CSplashWindow());
    DWORD threadId = 0;
    m_hSplashThread.Reset(CreateThread(nullptr, 0, &CSplash::SplashThread, this, 0, &threadId));
    m_dwSplashThreadId = threadId;
}

bool CSplash::StartJreSplash(const SSplashPlan& plan, const std::wstring& jvmLibraryPath)
{
    // The splash library imports java.dll, which imports jvm.dll from the bin\<type> folder,
    // a folder no search path holds. With the JVM library in the process first, the loader
    // takes that one by its name. Both stay loaded for the life of the process.
    if (LoadLibraryW(jvmLibraryPath.c_str()) == nullptr)
        return false;
    HMODULE hLibrary = LoadLibraryW(plan.m_runtimeLibrary.c_str());
    if (hLibrary == nullptr)
        return false;
    const auto pfnInit = LookupEntry<PfnSplashInit>(hLibrary, "SplashInit");
    const auto pfnLoadFile = LookupEntry<PfnSplashLoadFile>(hLibrary, "SplashLoadFile");
    const auto pfnSetFileJarName =
        LookupEntry<PfnSplashSetFileJarName>(hLibrary, "SplashSetFileJarName");
    const auto pfnClose = LookupEntry<PfnSplashClose>(hLibrary, "SplashClose");
    CloseJreSplash();
    m_pfnSplashClose = pfnClose;
    if (pfnInit == nullptr || pfnLoadFile == nullptr || pfnSetFileJarName == nullptr)
        return false;
    const char* pImage = plan.m_narrowImage.c_str();
    pfnInit();
    const int loaded = pfnLoadFile(pImage);
    TraceLine(loaded ? L"splash: the runtime's library"
                     : L"splash: the runtime's library, no picture");
    pfnSetFileJarName(pImage, "");
    return true;
}

void CSplash::CloseJreSplash()
{
    if (m_pfnSplashClose == nullptr)
        return;
    m_pfnSplashClose();
    m_pfnSplashClose = nullptr;
}

DWORD WINAPI CSplash::SplashThread(void* pParameter)
{
    CSplash* pSplash = static_cast<CSplash*>(pParameter);
    // The window is destroyed by this thread, which made it, once the loop ends.
    const CUniqueWindow hWindow(pSplash->m_pSplashWindow->CreateSplashWindow(
        pSplash->m_splashImage, pSplash->m_bSplashShadow));
    pSplash->m_messageBoxes.SetOwner(hWindow.Get());
    if (hWindow)
    {
        ShowWindow(hWindow.Get(), SW_SHOWNORMAL);
        UpdateWindow(hWindow.Get());
    }
    MSG message;
    // GetMessageW gives -1 on failure, which would otherwise loop for ever.
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // A box shown after this has no window to belong to.
    pSplash->m_messageBoxes.SetOwner(nullptr);
    return 0;
}

void CSplash::StopSplashWindow()
{
    if (!m_pSplashWindow)
        return;
    if (m_hSplashThread)
    {
        QuitThread(m_hSplashThread.Get(), m_dwSplashThreadId);
        m_hSplashThread.Reset();
    }
    m_pSplashWindow.reset();
}
