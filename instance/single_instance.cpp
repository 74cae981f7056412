// Single-instance mode: setting up, handing a later start's arguments over, waiting for the
// answer, stopping.
#include "instance/single_instance.h"
#include "base/text.h"
#include "base/thread_quit.h"
#include "instance/instance_record.h"
#include "instance/instance_security.h"
#include "report/reporter.h"
#include "report/launch_trace.h"
#include "report/message_ids.h"

#include <cstring>

namespace
{
const wchar_t kMainStartedSuffix[] = L"_upr_evt";
const wchar_t kArgumentLockSuffix[] = L"_upr_lock";
const wchar_t kArgumentsTakenSuffix[] = L"_upr_taken";

// A first instance publishes its record once its listener can take messages; a later start
// waits this long for one that is still setting up.
const DWORD kPublishWaitMs = 10000;
// The listener takes the arguments as soon as the request arrives; this only guards against
// a first instance that stopped listening.
const DWORD kTakeWaitMs = 10000;
// Another later start holds the argument area at most for kTakeWaitMs and a little more.
const DWORD kLockWaitMs = 15000;
} // namespace

CSingleInstance::CSingleInstance(CReporter& reporter)
    : m_reporter(reporter), m_bSingleInstance(false), m_bPrimaryInstance(false),
      m_bDetachWorkers(true), m_pJavaVM(nullptr), m_uInstanceMessage(0), m_dwListenerThreadId(0),
      m_activeWorkers(0)
{
}

CSingleInstance::~CSingleInstance()
{
    StopInstanceListener();
}

InstanceRecord* CSingleInstance::Record() const
{
    return static_cast<InstanceRecord*>(m_pInstanceRecord.Get());
}

bool CSingleInstance::SetupSingleInstance(const SLaunchSettings& settings,
                                          const std::wstring& modulePath,
                                          const CArgumentList& arguments)
{
    if (!settings.m_bSingleInstance)
        return true;
    m_mainClass = settings.m_mainClass;
    // The objects live in the session's own namespace and admit the current user only.
    const std::wstring baseName = GetInstanceObjectName(modulePath);
    const std::wstring name = L"Local\\" + baseName;
    CInstanceSecurity security;
    SetLastError(0);
    m_hInstanceMapping.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, security.Attributes(),
                                                PAGE_READWRITE, 0, sizeof(InstanceRecord),
                                                name.c_str()));
    const bool bPrimary = GetLastError() == 0;
    // Objects made first by another user are not used: this start runs on its own, as it
    // would without single-instance mode, rather than not at all.
    if (m_hInstanceMapping && !bPrimary && !security.IsOwnedByCurrentUser(m_hInstanceMapping.Get()))
        m_hInstanceMapping.Reset();
    if (m_hInstanceMapping)
        m_pInstanceRecord.Reset(MapViewOfFile(m_hInstanceMapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    m_hArgumentLock.Reset(
        CreateMutexW(security.Attributes(), FALSE, (name + kArgumentLockSuffix).c_str()));
    m_hArgumentsTaken.Reset(
        CreateEventW(security.Attributes(), FALSE, FALSE, (name + kArgumentsTakenSuffix).c_str()));
    m_uInstanceMessage = RegisterWindowMessageW(baseName.c_str());
    if (!m_pInstanceRecord || !m_hArgumentLock || !m_hArgumentsTaken || m_uInstanceMessage == 0)
    {
        TraceLine(L"single instance: no shared objects, so off");
        m_pInstanceRecord.Reset();
        m_hInstanceMapping.Reset();
        return true;
    }
    m_bSingleInstance = true;
    m_bPrimaryInstance = bPrimary;
    TraceLine(bPrimary ? L"single instance: the first instance"
                       : L"single instance: a later start");
    return bPrimary ? StartPrimaryInstance(name, security.Attributes())
                    : HandArgumentsToPrimary(modulePath, arguments);
}

bool CSingleInstance::StartPrimaryInstance(const std::wstring& objectName,
                                           SECURITY_ATTRIBUTES* pSecurity)
{
    InstanceRecord* pRecord = Record();
    m_hMainStartedEvent.Reset(
        CreateEventW(pSecurity, TRUE, FALSE, (objectName + kMainStartedSuffix).c_str()));
    pRecord->dwProcessId = GetCurrentProcessId();
    m_hListenerThread.Reset(CreateThread(nullptr, 0, &CSingleInstance::InstanceListenerThread, this,
                                         0, &m_dwListenerThreadId));
    if (!m_hListenerThread)
    {
        m_bSingleInstance = false;
        return true;
    }
    pRecord->dwListenerThreadId = m_dwListenerThreadId;
    // A thread gets its message queue with its first message call: until a post to it
    // succeeds, a later start's request would be lost. Only then is the record published.
    for (int attempt = 0; attempt < 500; ++attempt)
    {
        if (PostThreadMessageW(m_dwListenerThreadId, WM_NULL, 0, 0))
            break;
        Sleep(2);
    }
    InterlockedExchange(reinterpret_cast<volatile LONG*>(&pRecord->uMessage),
                        static_cast<LONG>(m_uInstanceMessage));
    return true;
}

CUniqueHandle OpenPrimaryProcess(const InstanceRecord& record, UINT instanceMessage,
                                 const std::wstring& modulePath)
{
    if (record.uMessage != instanceMessage)
        return CUniqueHandle();
    CUniqueHandle hProcess(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, record.dwProcessId));
    if (!hProcess)
        return CUniqueHandle();
    wchar_t image[32768];
    DWORD length = ARRAYSIZE(image);
    if (!QueryFullProcessImageNameW(hProcess.Get(), 0, image, &length) ||
        CompareStringOrdinal(image, static_cast<int>(length), modulePath.c_str(),
                             static_cast<int>(modulePath.size()), TRUE) != CSTR_EQUAL)
        return CUniqueHandle();
    const CUniqueHandle hThread(
        OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, record.dwListenerThreadId));
    if (!hThread || GetProcessIdOfThread(hThread.Get()) != record.dwProcessId)
        return CUniqueHandle();
    return hProcess;
}

bool CSingleInstance::HandArgumentsToPrimary(const std::wstring& modulePath,
                                             const CArgumentList& arguments)
{
    InstanceRecord* pRecord = Record();
    volatile LONG* pMessage = reinterpret_cast<volatile LONG*>(&pRecord->uMessage);
    const DWORD start = GetTickCount();
    // A first instance whose set-up failed half way never publishes.
    while (InterlockedCompareExchange(pMessage, 0, 0) == 0 &&
           GetTickCount() - start <= kPublishWaitMs)
        Sleep(5);
    const InstanceRecord header = *pRecord;
    m_hPrimaryProcess = OpenPrimaryProcess(header, m_uInstanceMessage, modulePath);
    if (!m_hPrimaryProcess)
    {
        TraceLine(L"single instance: the record names no first instance");
        m_reporter.Report(IDS_INSTANCE_UNREACHABLE);
        return false;
    }

    // One later start at a time writes the area, and the area belongs to its request until
    // the listener has taken it or the first instance is gone.
    const DWORD locked = WaitForSingleObject(m_hArgumentLock.Get(), kLockWaitMs);
    if (locked != WAIT_OBJECT_0 && locked != WAIT_ABANDONED)
    {
        TraceLine(L"single instance: the argument area stays locked");
        m_reporter.Report(IDS_INSTANCE_UNREACHABLE);
        return false;
    }
    if (!WriteInstanceArguments(arguments, pRecord->abArguments))
    {
        ReleaseMutex(m_hArgumentLock.Get());
        m_reporter.Report(IDS_INSTANCE_ARGUMENTS_TOO_LONG);
        return false;
    }
    ResetEvent(m_hArgumentsTaken.Get());
    const DWORD requester = GetCurrentThreadId();
    bool bTaken = PostThreadMessageW(header.dwListenerThreadId, m_uInstanceMessage, requester,
                                     HashInstanceRequest(pRecord->abArguments, requester)) != 0;
    if (bTaken)
    {
        HANDLE handles[] = {m_hArgumentsTaken.Get(), m_hPrimaryProcess.Get()};
        const DWORD waited = WaitForMultipleObjects(2, handles, FALSE, kTakeWaitMs);
        // Taken, or the first instance is gone and its exit code is the answer.
        bTaken = waited == WAIT_OBJECT_0 || waited == WAIT_OBJECT_0 + 1;
    }
    if (!bTaken)
    {
        // Cleared, the area can be taken for no request: the listener checks the hash.
        memset(pRecord->abArguments, 0, kInstanceArgumentAreaSize);
        bTaken = WaitForSingleObject(m_hArgumentsTaken.Get(), 0) == WAIT_OBJECT_0;
    }
    ReleaseMutex(m_hArgumentLock.Get());
    if (!bTaken)
    {
        TraceLine(L"single instance: the arguments were not taken");
        m_reporter.Report(IDS_INSTANCE_UNREACHABLE);
    }
    return bTaken;
}

DWORD CSingleInstance::WaitForPrimaryInstance()
{
    if (!m_hPrimaryProcess)
        return kExitFailure;
    const UINT message = m_uInstanceMessage;
    for (;;)
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message != message)
                continue;
            TraceLine(L"single instance: the first instance answered " +
                      DecimalText(static_cast<long long>(msg.wParam)));
            return static_cast<DWORD>(msg.wParam);
        }
        DWORD exitCode = 0;
        if (!GetExitCodeProcess(m_hPrimaryProcess.Get(), &exitCode) || exitCode != STILL_ACTIVE)
        {
            TraceLine(L"single instance: the first instance ended with " +
                      DecimalText(static_cast<long long>(exitCode)));
            return exitCode;
        }
        // Wakes for the reply or for the first instance's end, whichever comes first; the
        // queue is looked at again before the end counts, so a reply posted just before it
        // is not lost.
        HANDLE hProcess = m_hPrimaryProcess.Get();
        MsgWaitForMultipleObjects(1, &hProcess, FALSE, INFINITE, QS_POSTMESSAGE);
    }
}

void CSingleInstance::SignalMainStarted(JavaVM* pJavaVM, bool bDetachWorkers)
{
    // Written before the event is set, which the workers wait for before they read either.
    m_bDetachWorkers = bDetachWorkers;
    m_pJavaVM = pJavaVM;
    if (m_hMainStartedEvent)
        SetEvent(m_hMainStartedEvent.Get());
}

void CSingleInstance::StopInstanceListener()
{
    if (m_bSingleInstance)
    {
        if (m_bPrimaryInstance && m_hListenerThread)
        {
            QuitThread(m_hListenerThread.Get(), m_dwListenerThreadId);
            m_hListenerThread.Reset();
        }
        m_pInstanceRecord.Reset();
        m_hInstanceMapping.Reset();
    }
    m_hMainStartedEvent.Reset();
}
