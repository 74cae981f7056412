// The launch's sequence: Initialize, Run and Shutdown, one line a step.
#include "launcher/launcher.h"
#include "launcher/pair_product.h"
#include "config/settings_file.h"
#include "report/error_report.h"
#include "ui/resources/resource.h"
#include "report/launch_trace.h"
#include "base/path_pieces.h"

CLauncher::CLauncher() : CLauncher(m_messageBoxes) {}

CLauncher::CLauncher(CReporter& reporter)
    : m_reporter(reporter), m_splash(m_messageBoxes), m_singleInstance(reporter),
      m_vm(m_settings, m_modulePath, reporter, *this)
{
}

CLauncher::~CLauncher() {}

bool CLauncher::Initialize()
{
    ParseCommandLineText(GetCommandLineW(), m_arguments);
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
        return StartPairProduct(m_settings, m_modulePath, m_reporter);
    if (m_singleInstance.IsLaterStart())
        return m_singleInstance.WaitForPrimaryInstance();
    if (!m_vm.PrepareEnvironment(m_runtime.m_jvmLibraryPath))
        return kExitFailure;
    if (m_arguments.Find(L"-nosplash") < 0 && m_arguments.Find(L"/nosplash") < 0)
        m_splash.ShowSplash(m_settings, m_runtime.m_jvmLibraryPath);
    if (!m_vm.LoadJvmLibrary(m_runtime.m_jvmLibraryPath))
        return kExitFailure;
    if (!m_vm.BuildVmOptions(m_arguments))
        return kExitFailure;
    if (m_vm.StartMainThread() == 0)
        return 0;
    m_splash.CloseJreSplash();
    return kExitFailure;
}

void CLauncher::Shutdown()
{
    m_splash.StopSplashWindow();
    m_vm.DestroyJavaVm();
    m_singleInstance.StopInstanceListener();
    m_splash.CloseJreSplash();
    m_arguments.Clear();
}

void CLauncher::MainStarted(JavaVM* pJavaVM)
{
    m_singleInstance.SignalMainStarted(pJavaVM);
}

void CLauncher::ExceptionEscapedMain()
{
    m_splash.StopSplashWindow();
}

void CLauncher::SetWorkingDirectoryToModule()
{
    const std::wstring& path = m_modulePath;
    // Without a backslash, or with the only one at the very start, there is no folder to use.
    const std::wstring folder = StripLastComponent(path);
    if (folder.size() == path.size() || folder.empty())
        return;
    SetCurrentDirectoryW(folder.c_str());
    TraceLine(L"working directory: " + folder);
}

bool CLauncher::ReadSettings()
{
    const CTraceStep step(L"settings");
    if (!ReadModulePath(m_modulePath))
    {
        const DWORD errorCode = GetLastError();
        m_reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, LoadText(IDS_MODULE_PATH_FAILED),
                                  errorCode);
        return false;
    }
    std::wstring file;
    if (!DeriveSettingsFilePath(m_modulePath, file))
        return false;
    TraceLine(L"settings file: " + file);
    if (!ReadLaunchSettings(file, m_modulePath, m_settings))
    {
        m_reporter.Report(IDS_NO_MAIN_CLASS);
        return false;
    }
    return true;
}
