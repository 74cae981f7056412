// CLauncher: the sequence of a launch of jvmhost.exe, and the parts it owns. The entry
// function builds it and runs Initialize, Run (when Initialize succeeded) and Shutdown.
#ifndef JVMHOST_LAUNCHER_H
#define JVMHOST_LAUNCHER_H

#include "base/argument_list.h"
#include "base/windows_machine.h"
#include "config/launch_settings.h"
#include "instance/single_instance.h"
#include "jvm/class_data_archive.h"
#include "jvm/java_vm.h"
#include "plan/launch_plan.h"
#include "plan/process_plan.h"
#include "report/reporter.h"
#include "splash/splash.h"

#include <windows.h>

#include <string>

// The base is public: a private one would bring the C++ runtime's type information for such
// bases, 3 KB of the release.
class CLauncher : public CMainThreadListener
{
public:
    CLauncher();
    // A launcher whose failures go to reporter instead of message boxes.
    explicit CLauncher(CReporter& reporter);
    ~CLauncher();
    CLauncher(const CLauncher&) = delete;
    CLauncher& operator=(const CLauncher&) = delete;

    bool Initialize();
    DWORD Run();
    void Shutdown();

private:
    // The Java main thread's news goes to the single instance and the splash.
    void MainStarted(JavaVM* pJavaVM) override;
    void ExceptionEscapedMain() override;
    bool ReadSettings();
    // The process's identity and the restart supervision; false after a message when a
    // setting cannot be used.
    bool PlanTheProcess();
    void SetWorkingDirectoryToModule();
    // Plans the launch; when no runtime was found, the user is asked for one. False when
    // there is none to start.
    bool PlanTheLaunch();
    bool AskForRuntime();
    SPlanInput PlanInput() const;
    bool SetEnvironment();
    void ShowSplash();
    // Whether the options for the VM could be made; false after the message that says why.
    bool CheckJavaStart();

    // The executable's path, read with the settings, before any other thread starts.
    std::wstring m_modulePath;
    SLaunchSettings m_settings;
    CArgumentList m_arguments;
    CWindowsMachine m_machine;
    bool m_bConsole;
    SProcessPlan m_process;
    SLaunchPlan m_plan;
    CMessageBoxReporter m_messageBoxes;
    CConsoleReporter m_consoleLines;
    CReporter& m_reporter;
    CSplash m_splash;
    CSingleInstance m_singleInstance;
    CClassDataArchive m_classData;
    CJavaVm m_vm;
};

#endif
