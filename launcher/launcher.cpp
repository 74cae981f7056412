#include "launcher/launcher.h"
#include "report/launch_trace.h"
#include "base/path_pieces.h"

CLauncher::CLauncher() : CLauncher(m_messageBoxes) {}

CLauncher::CLauncher(CReporter& reporter)
    : m_pJavaVM(nullptr), m_pJniEnv(nullptr), m_reporter(reporter), m_splash(m_messageBoxes),
      m_singleInstance(reporter), m_mainThreadStackSize(0), m_pfnCreateJavaVM(nullptr),
      m_pfnGetDefaultJavaVMInitArgs(nullptr)
{
}

CLauncher::~CLauncher() {}

bool CLauncher::Initialize()
{
    ParseCommandLine(m_arguments);
    if (!ReadSettings())
        return false;
    if (!m_singleInstance.SetupSingleInstance(m_settings, m_modulePath, m_arguments))
        return false;
    if (m_singleInstance.IsLaterStart())
        return true;
    if (m_settings.m_bOverrideWorkingDir)
        SetWorkingDirectoryToModule();
    return CRuntimeSearch(m_settings, m_modulePath).LocateJvm(m_runtime);
}

DWORD CLauncher::Run()
{
    if (m_runtime.m_runPairProduct)
        return StartPairProduct();
    if (m_singleInstance.IsLaterStart())
        return m_singleInstance.WaitForPrimaryInstance();
    if (!PrepareEnvironment())
        return kExitFailure;
    if (m_arguments.Find(L"-nosplash") < 0 && m_arguments.Find(L"/nosplash") < 0)
        m_splash.ShowSplash(m_settings, m_runtime.m_jvmLibraryPath);
    if (!LoadJvmLibrary())
        return kExitFailure;
    if (!BuildVmOptions())
        return kExitFailure;
    if (StartMainThread() == 0)
        return 0;
    m_splash.CloseJreSplash();
    return kExitFailure;
}

void CLauncher::Shutdown()
{
    m_splash.StopSplashWindow();
    if (m_pJavaVM != nullptr)
        m_pJavaVM->DestroyJavaVM();
    m_singleInstance.StopInstanceListener();
    m_splash.CloseJreSplash();
    m_arguments.Clear();
    m_vmOptions.Clear();
}

void CLauncher::SetWorkingDirectoryToModule()
{
    std::wstring path;
    if (!GetModulePath(path))
        return;
    // Without a backslash, or with the only one at the very start, there is no folder to use.
    const std::wstring folder = StripLastComponent(path);
    if (folder.size() == path.size() || folder.empty())
        return;
    SetCurrentDirectoryW(folder.c_str());
    TraceLine(L"working directory: " + folder);
}
