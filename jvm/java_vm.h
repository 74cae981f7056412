// The VM of a launch: the JVM library and its entries, the options the VM is created with,
// the JavaVM, and main(String[]) called on a thread of the stack size asked for.
#ifndef JVMHOST_JAVA_VM_H
#define JVMHOST_JAVA_VM_H

#include "base/argument_list.h"
#include "config/launch_settings.h"
#include "jvm/jvm_entries.h"
#include "jvm/vm_option_list.h"
#include "report/reporter.h"

#include <string>
#include <vector>

// What the Java main thread tells the rest of the launch, from that thread.
class CMainThreadListener
{
public:
    // main has been entered in that VM.
    virtual void MainStarted(JavaVM* pJavaVM) = 0;
    // An exception escaped main; the Java Exception dialog comes next.
    virtual void ExceptionEscapedMain() = 0;

protected:
    ~CMainThreadListener() = default;
};

class CJavaVm
{
public:
    // modulePath: the executable's own path, read by the time the VM is prepared (kept by
    // reference, as the settings are).
    CJavaVm(const SLaunchSettings& settings, const std::wstring& modulePath, CReporter& reporter,
            CMainThreadListener& listener);
    CJavaVm(const CJavaVm&) = delete;
    CJavaVm& operator=(const CJavaVm&) = delete;

    // The environment the runtime and the Java program see; false, after a message, when the
    // search path does not fit.
    bool PrepareEnvironment(const std::wstring& jvmLibraryPath);
    bool LoadJvmLibrary(const std::wstring& jvmLibraryPath);
    // The options, and main's arguments: those given, then those of "Cmd".
    bool BuildVmOptions(const CArgumentList& arguments);
    // Creates the VM and runs main on the Java main thread: 0 when main returned.
    DWORD StartMainThread();
    void DestroyJavaVm();

    // False, after a message, when an option file named by "@file" cannot be read.
    bool SplitVmParameters(const std::wstring& text, std::vector<std::wstring>& options);
    // The stack size the JVM library proposes for Java threads; 0 before it is loaded.
    size_t GetDefaultThreadStackSize();
    size_t MainThreadStackSize() const { return m_mainThreadStackSize; }
    bool HasEntries() const
    {
        return m_pfnCreateJavaVM != nullptr && m_pfnGetDefaultJavaVMInitArgs != nullptr;
    }

private:
    static DWORD WINAPI MainThreadProc(void* pParameter);
    static void SignalMainStarted(void* pContext);
    void ExpandClassPathEntry(const std::wstring& entry, std::wstring& classPath);
    bool ExpandOptionFiles(std::vector<std::wstring>& tokens, int depth);
    void ProcessVmParameter(std::wstring token, std::vector<std::wstring>& options);
    bool CreateJvm();
    bool InvokeMainClass();
    bool RedirectOutputStream();
    bool RedirectErrorStream();
    // The executable's folder with its trailing backslash; empty when the path has none.
    std::wstring ModuleFolder() const;

    const SLaunchSettings& m_settings;
    const std::wstring& m_modulePath;
    CReporter& m_reporter;
    CMainThreadListener& m_listener;
    std::wstring m_jvmLibraryPath;
    PfnCreateJavaVM m_pfnCreateJavaVM;
    PfnGetDefaultJavaVMInitArgs m_pfnGetDefaultJavaVMInitArgs;
    CVmOptionList m_vmOptions;
    CArgumentList m_arguments;
    std::wstring m_outputFile;
    std::wstring m_errorFile;
    size_t m_mainThreadStackSize;
    JavaVM* m_pJavaVM;
    JNIEnv* m_pJniEnv;
};

#endif
