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
#include "jvm/jvm_entries.h"
#include "jvm/vm_option_list.h"
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
    DWORD StartPairProduct();
    DWORD StartMainThread();
    static DWORD WINAPI MainThreadProc(void* pParameter);
    size_t GetDefaultThreadStackSize();

    // Settings file and settings.
    bool GetModulePath(std::wstring& path);
    // The executable's folder with its trailing backslash; empty when the path has none.
    bool GetModuleFolder(std::wstring& folder);
    bool ReadSettings();

    // JVM start-up.
    bool PrepareEnvironment();
    bool LoadJvmLibrary();
    bool BuildVmOptions();
    void ExpandClassPathEntry(const std::wstring& entry, std::wstring& classPath);
    // False, after a message, when an option file named by "@file" cannot be read.
    bool SplitVmParameters(const std::wstring& text, std::vector<std::wstring>& options);
    bool ExpandOptionFiles(std::vector<std::wstring>& tokens, int depth);
    void ProcessVmParameter(std::wstring token, std::vector<std::wstring>& options);
    bool CreateJvm();
    bool InvokeMainClass();
    bool RedirectOutputStream();
    bool RedirectErrorStream();
    // Asks whether to stop after an exception escaped main: true for Stop, or when the
    // question cannot be asked.
    bool ShowJavaExceptionDialog(jthrowable exception, JNIEnv* pEnv);

    // The executable's path, read at the first call of GetModulePath.
    std::wstring m_modulePath;
    SLaunchSettings m_settings;
    SRuntimeChoice m_runtime;
    JavaVM* m_pJavaVM;
    JNIEnv* m_pJniEnv;
    CArgumentList m_arguments;
    CMessageBoxReporter m_messageBoxes;
    CReporter& m_reporter;
    CSplash m_splash;
    CSingleInstance m_singleInstance;
    CVmOptionList m_vmOptions;
    std::wstring m_outputFile;
    std::wstring m_errorFile;
    size_t m_mainThreadStackSize;
    PfnCreateJavaVM m_pfnCreateJavaVM;
    PfnGetDefaultJavaVMInitArgs m_pfnGetDefaultJavaVMInitArgs;
};

// Fills arguments from the process's own wide command line.
void ParseCommandLine(CArgumentList& arguments);

#endif
