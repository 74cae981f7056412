// Single-instance mode: the first start of an executable serves the later ones, which hand it
// their arguments and end with its answer.
#ifndef JVMHOST_SINGLE_INSTANCE_H
#define JVMHOST_SINGLE_INSTANCE_H

#include "base/argument_list.h"
#include "base/unique_handle.h"
#include "config/launch_settings.h"
#include "instance/instance_record.h"
#include "jvm/jvm_entries.h"
#include "report/reporter.h"

#include <atomic>
#include <string>

// The first instance's process, when the record proves itself: the message is this
// executable's, and the listener a thread of a process that runs this executable. Whatever
// wrote the record is trusted with nothing else.
CUniqueHandle OpenPrimaryProcess(const InstanceRecord& record, UINT instanceMessage,
                                 const std::wstring& modulePath);

class CSingleInstance
{
public:
    explicit CSingleInstance(CReporter& reporter);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Takes the first instance's part or, in a later start, hands the arguments over; false,
    // after a message, when a later start cannot reach the first instance.
    bool SetupSingleInstance(const SLaunchSettings& settings, const std::wstring& modulePath,
                             const CArgumentList& arguments);
    bool IsLaterStart() const { return m_bSingleInstance && !m_bPrimaryInstance; }
    // A later start's exit code: the first instance's answer, or its own exit code.
    DWORD WaitForPrimaryInstance();
    // Main has been entered: requests that came before are served now, in that VM. The
    // workers detach from it after each request unless the Java program is to end the
    // process, in which case no thread the launcher attached is ever detached.
    void SignalMainStarted(JavaVM* pJavaVM, bool bDetachWorkers);
    void StopInstanceListener();

private:
    bool StartPrimaryInstance(const std::wstring& objectName, SECURITY_ATTRIBUTES* pSecurity);
    bool HandArgumentsToPrimary(const std::wstring& modulePath, const CArgumentList& arguments);
    static DWORD WINAPI InstanceListenerThread(void* pParameter);
    static DWORD WINAPI SecondaryMainWorker(void* pParameter);
    InstanceRecord* Record() const;

    CReporter& m_reporter;
    bool m_bSingleInstance;
    bool m_bPrimaryInstance;
    // What the workers call: the main class's secondaryMain, in the VM main runs in.
    std::wstring m_mainClass;
    bool m_bDetachWorkers;
    std::atomic<JavaVM*> m_pJavaVM;
    CUniqueHandle m_hInstanceMapping;
    CUniqueMappedView m_pInstanceRecord;
    CUniqueHandle m_hListenerThread;
    CUniqueHandle m_hMainStartedEvent;
    // Later starts write the shared argument area one at a time, each until the first
    // instance has taken what it wrote; a later start also watches the first one's process.
    CUniqueHandle m_hArgumentLock;
    CUniqueHandle m_hArgumentsTaken;
    CUniqueHandle m_hPrimaryProcess;
    // This instance's own copies of what the shared record says, which anyone who can open
    // it could change: the registered message and, in the first instance, its listener.
    UINT m_uInstanceMessage;
    DWORD m_dwListenerThreadId;
    // Workers of the first instance that are serving a later start.
    volatile LONG m_activeWorkers;
};

#endif
