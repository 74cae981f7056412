// The launch's sequence: Initialize, Run and Shutdown, one line a step, each step doing what
// the launch plan decided.
#include "launcher/launcher.h"
#include "base/console_output.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "config/settings_file.h"
#include "config/user_settings.h"
#include "jre/jvm_resolution.h"
#include "jvm/process_environment.h"
#include "launcher/pair_product.h"
#include "launcher/restart_supervisor.h"
#include "plan/plan_launch.h"
#include "report/error_report.h"
#include "report/launch_trace.h"
#include "ui/jre_not_found_dialog.h"
#include "ui/jre_not_found_message.h"
#include "ui/resources/resource.h"
#include "ui/system_libraries.h"

namespace
{
// The processor this launcher is built for: it loads JVM libraries of that one only.
#if defined(__aarch64__)
const unsigned short kLauncherMachine = IMAGE_FILE_MACHINE_ARM64;
#elif defined(__x86_64__)
const unsigned short kLauncherMachine = IMAGE_FILE_MACHINE_AMD64;
#else
const unsigned short kLauncherMachine = IMAGE_FILE_MACHINE_I386;
#endif

// How the JRE Not Found dialog resolves the folder the user picks: as the search does.
std::wstring ResolveOnThisMachine(const std::wstring& home, int jvmType)
{
    return ResolveJvmLibrary(CWindowsMachine(), home, static_cast<EJvmType>(jvmType)).m_path;
}
} // namespace

// A console program tells its failures on its standard error; a windowed one in boxes.
CLauncher::CLauncher()
    : CLauncher(IsConsoleProgram() ? static_cast<CReporter&>(m_consoleLines) : m_messageBoxes)
{
}

CLauncher::CLauncher(CReporter& reporter)
    : m_bConsole(IsConsoleProgram()), m_reporter(reporter), m_splash(m_messageBoxes),
      m_singleInstance(reporter), m_vm(reporter, *this)
{
}

CLauncher::~CLauncher() {}

bool CLauncher::Initialize()
{
    ParseCommandLineText(GetCommandLineW(), m_arguments);
    if (!ReadSettings())
        return false;
    if (!PlanTheProcess())
        return false;
    if (m_process.m_bSupervise)
        return true;
    if (!m_singleInstance.SetupSingleInstance(m_settings, m_modulePath, m_arguments))
        return false;
    if (m_singleInstance.IsLaterStart())
        return true;
    if (m_settings.m_bOverrideWorkingDir)
        SetWorkingDirectoryToModule();
    return PlanTheLaunch();
}

DWORD CLauncher::Run()
{
    if (m_process.m_bSupervise)
        return SuperviseRestarts(m_process, m_modulePath, m_reporter);
    if (m_plan.m_runtime.m_bRunPairProduct)
        return StartPairProduct(m_settings, m_plan.m_runtime.m_pairProductPath, m_modulePath,
                                m_reporter);
    if (m_singleInstance.IsLaterStart())
        return m_singleInstance.WaitForPrimaryInstance();
    if (!SetEnvironment())
        return kExitFailure;
    ShowSplash();
    if (!m_vm.LoadJvmLibrary(m_plan.m_runtime.m_jvmLibraryPath))
        return kExitFailure;
    if (!CheckJavaStart())
        return kExitFailure;
    m_classData.Prepare(m_plan.m_java.m_classData, m_plan.m_java.m_vmOptions);
    if (m_vm.RunMain(m_plan.m_java) == 0)
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
    m_singleInstance.SignalMainStarted(pJavaVM, m_plan.m_java.m_processEnd == ProcessEndByLauncher);
}

void CLauncher::ExceptionEscapedMain()
{
    m_splash.StopSplashWindow();
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
    {
        m_reporter.Report(IDS_NO_SETTINGS_FILE_NAME, m_modulePath);
        return false;
    }
    TraceLine(L"settings file: " + file);
    if (!ReadLaunchSettings(file, m_modulePath, m_settings))
    {
        m_reporter.Report(IDS_NO_MAIN_CLASS);
        return false;
    }
    return true;
}

bool CLauncher::PlanTheProcess()
{
    PlanProcess(m_settings, m_machine, IsTracing(), m_process);
    TraceExplanation(m_process.m_reasons);
    if (m_process.m_failure.IsSet())
    {
        m_reporter.Report(m_process.m_failure);
        return false;
    }
    // The Java program, and what it starts, are not supervised.
    if (m_process.m_bSupervised)
        SetEnvironmentVariableW(kRestartSupervisorVariable, nullptr);
    // Before any window, the splash's and the dialogs' included: the taskbar groups them by it.
    if (!m_process.m_appUserModelId.empty())
    {
        const HRESULT result = SystemLibraries::SetCurrentProcessExplicitAppUserModelID(
            m_process.m_appUserModelId.c_str());
        TraceLine(L"App User Model ID set: " + m_process.m_appUserModelId + L", result " +
                  DecimalText(static_cast<long long>(result)));
    }
    return true;
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

SPlanInput CLauncher::PlanInput() const
{
    return {&m_settings, &m_arguments, m_modulePath,    &m_machine,
            IsTracing(), m_bConsole,   kLauncherMachine};
}

bool CLauncher::PlanTheLaunch()
{
    {
        const CTraceStep step(L"launch plan");
        PlanLaunch(PlanInput(), m_plan);
        TraceExplanation(m_plan.m_runtimeReasons);
    }
    return m_plan.m_runtime.m_source != RuntimeSourceNone || AskForRuntime();
}

bool CLauncher::AskForRuntime()
{
    const std::wstring message = ComposeJreNotFoundMessage(
        m_settings.m_jvmType, m_settings.m_minVersion, m_settings.m_maxVersion);
    TraceLine(L"JRE Not Found dialog: " + message);
    // A console has no dialog: the message and where to download a runtime.
    if (m_bConsole)
    {
        m_reporter.Report(message + L" " + LoadText(IDS_DOWNLOAD_ADDRESS));
        return false;
    }
    CJreNotFoundDialog dialog(message, m_settings.m_jvmType, &ResolveOnThisMachine);
    if (dialog.RunModal(IDD_JRE_NOT_FOUND, GetActiveWindow()) != IDOK)
    {
        TraceLine(L"JRE Not Found dialog: no runtime chosen");
        return false;
    }
    SaveJrePath(m_settings, m_modulePath, dialog.ChosenHome());
    PlanLaunchOnChosenRuntime(PlanInput(), dialog.ChosenHome(), dialog.ChosenJvmPath(), m_plan);
    TraceExplanation(m_plan.m_runtimeReasons);
    return true;
}

bool CLauncher::SetEnvironment()
{
    TraceExplanation(m_plan.m_environmentReasons);
    if (m_plan.m_environmentFailure.IsSet())
    {
        m_reporter.Report(m_plan.m_environmentFailure);
        return false;
    }
    SetProcessEnvironment(m_plan.m_environment);
    return true;
}

void CLauncher::ShowSplash()
{
    TraceExplanation(m_plan.m_splashReasons);
    m_splash.ShowSplash(m_plan.m_splash, m_plan.m_runtime.m_jvmLibraryPath);
}

bool CLauncher::CheckJavaStart()
{
    TraceExplanation(m_plan.m_javaReasons);
    if (!m_plan.m_javaFailure.IsSet())
        return true;
    m_reporter.Report(m_plan.m_javaFailure);
    return false;
}
