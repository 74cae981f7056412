// CLauncher: the one object that a launch of jvmhost.exe consists of. The entry function
// builds it and runs Initialize, Run (when Initialize succeeded) and Shutdown.
#ifndef JVMHOST_LAUNCHER_H
#define JVMHOST_LAUNCHER_H

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "base/java_version.h"
#include "config/launch_settings.h"
#include "jre/runtime_search.h"
#include "jvm/java_vm.h"
#include "instance/single_instance.h"
#include "base/argument_list.h"
#include "base/unique_handle.h"
#include "report/reporter.h"
#include "splash/splash.h"

class CLauncher
{
public:
    CLauncher();
    // A launcher whose failures go to reporter instead of message boxes.
    explicit CLauncher(CReporter& reporter);
    ~CLauncher();
    CLauncher(const CLauncher&) = delete;
    CLauncher& operator=(const CLauncher&) = delete;

    // Sequences.
    bool Initialize();
    DWORD Run();
    void Shutdown();

    void SetWorkingDirectoryToModule();
    bool GetModulePath(std::wstring& path);
    bool ReadSettings();

    // The executable's path, read at the first call of GetModulePath.
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

// Fills arguments from the process's own wide command line.
void ParseCommandLine(CArgumentList& arguments);

#endif
