// The VM of a launch: created with the plan's options on a Java main thread of the plan's
// stack size, which then runs main(String[]); destroyed at the end.
#ifndef JVMHOST_JAVA_VM_H
#define JVMHOST_JAVA_VM_H

#include "jvm/jvm_library.h"
#include "plan/launch_plan.h"
#include "report/reporter.h"

#include <string>

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
    CJavaVm(CReporter& reporter, CMainThreadListener& listener);
    CJavaVm(const CJavaVm&) = delete;
    CJavaVm& operator=(const CJavaVm&) = delete;

    // False, after a message, when the library cannot be loaded or lacks its entries.
    bool LoadJvmLibrary(const std::wstring& jvmLibraryPath);
    // Creates the VM and runs main on the Java main thread, as start says: 0 when main
    // returned. start is kept until the thread has ended.
    DWORD RunMain(const SJavaStart& start);
    void DestroyJavaVm();

private:
    static DWORD WINAPI MainThreadProc(void* pParameter);
    static void SignalMainStarted(void* pContext);
    bool CreateJvm();
    void RedirectStreams();
    bool InvokeMainClass();

    CReporter& m_reporter;
    CMainThreadListener& m_listener;
    SJvmEntries m_entries;
    const SJavaStart* m_pStart;
    JavaVM* m_pJavaVM;
    JNIEnv* m_pJniEnv;
};

#endif
