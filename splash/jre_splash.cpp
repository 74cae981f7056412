// Choosing the splash, and the runtime's own splash library ("splashscreen.dll").
#include "base/path_pieces.h"
#include "jvm/narrow_text.h"
#include "report/launch_trace.h"
#include "launcher/launcher.h"
#include "launcher/library_entry.h"
#include "splash/splash_window.h"

typedef void (*PfnSplashInit)();
typedef void (*PfnSplashClose)();
typedef int (*PfnSplashLoadFile)(const char* pFileName);
typedef void (*PfnSplashSetFileJarName)(const char* pFileName, const char* pJarName);

bool CLauncher::ShowSplash()
{
    if (m_settings.m_splashImage.empty())
    {
        TraceLine(L"splash: none");
        return true;
    }
    const std::wstring library = FindJreSplashLibrary(m_jvmLibraryPath, L"splashscreen.dll");
    if (m_settings.m_bPreferNativeSplash && !library.empty() && StartJreSplash(library))
        return true;
    TraceLine(L"splash: the launcher's own window");
    m_pSplashWindow.reset(new CSplashWindow());
    DWORD threadId = 0;
    m_hSplashThread.Reset(CreateThread(nullptr, 0, &CLauncher::SplashThread, this, 0, &threadId));
    m_dwSplashThreadId = threadId;
    return true;
}

std::wstring CLauncher::FindJreSplashLibrary(const std::wstring& jvmLibraryPath,
                                             const std::wstring& fileName)
{
    // C:\jre\bin\client\jvm.dll gives C:\jre\bin.
    std::wstring path = StripLastComponent(StripLastComponent(jvmLibraryPath));
    if (path.empty())
        return std::wstring();
    if (path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += fileName;
    WIN32_FIND_DATAW found;
    const CUniqueFind hFind(FindFirstFileW(path.c_str(), &found));
    return hFind ? path : std::wstring();
}

bool CLauncher::StartJreSplash(const std::wstring& libraryPath)
{
    // The splash library imports java.dll, which imports jvm.dll from the bin\<type> folder,
    // a folder no search path holds. With the JVM library in the process first, the loader
    // takes that one by its name. Both stay loaded for the life of the process.
    if (LoadLibraryW(m_jvmLibraryPath.c_str()) == nullptr)
        return false;
    HMODULE hLibrary = LoadLibraryW(libraryPath.c_str());
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
    // A path the code page cannot hold is handed over in its short form, which it can.
    const std::string image = NarrowForVm(AnsiSafePath(m_settings.m_splashImage));
    pfnInit();
    const int loaded = pfnLoadFile(image.c_str());
    TraceLine(loaded ? L"splash: the runtime's library"
                     : L"splash: the runtime's library, no picture");
    pfnSetFileJarName(image.c_str(), "");
    return true;
}

void CLauncher::CloseJreSplash()
{
    if (m_pfnSplashClose == nullptr)
        return;
    m_pfnSplashClose();
    m_pfnSplashClose = nullptr;
}
