// CLauncher: the sequence of a launch of jvmhost.exe, and the parts it owns. The entry
// function builds it and runs Initialize, Run (when Initialize succeeded) and Shutdown.
#ifndef JVMHOST_LAUNCHER_H
#define JVMHOST_LAUNCHER_H

#include "base/argument_list.h"
#include "config/launch_settings.h"
#include "instance/single_instance.h"
#include "jre/runtime_search.h"
#include "jvm/java_vm.h"
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
    void SetWorkingDirectoryToModule();
    bool ReadSettings();

    // The executable's path, read with the settings, before any other thread starts.
    std::wstring m_modulePath;
    SLaunchSettings m_settings;
    SRuntimeChoice m_runtime;
    CArgumentList m_arguments;
    CMessageBoxReporter m_messageBoxes;
    CReporter& m_reporter;
    CSplash m_splash;
    CSingleInstance m_singleInstance;
    CJavaVm m_vm;
};

#endif
