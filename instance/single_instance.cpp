// Single-instance mode: the first start of an executable serves the later ones, which hand it
// their arguments and end with its answer.
#include "config/settings_file.h"
#include "instance/instance_record.h"
#include "launcher/launcher.h"
#include "launcher/error_report.h"
#include "launcher/launch_trace.h"

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

InstanceRecord* Record(CLauncher& launcher)
{
    return static_cast<InstanceRecord*>(launcher.m_pInstanceRecord.Get());
}
} // namespace

bool CLauncher::SetupSingleInstance()
{
    std::wstring file;
    if (!GetSettingsFilePath(file))
        return false;
    std::wstring value;
    LookupSetting(file, kApplicationSection, L"Application Type", value);
    if (value == L"service")
        return true;
    LookupSetting(file, kApplicationSection, L"Single Instance", value);
    if (value != L"yes")
        return true;

    std::wstring modulePath;
    if (!GetModulePath(modulePath))
        return false;
    const std::wstring name = GetInstanceObjectName(modulePath);
    SetLastError(0);
    m_hInstanceMapping.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                sizeof(InstanceRecord), name.c_str()));
    const bool bPrimary = GetLastError() == 0;
    if (!m_hInstanceMapping)
        return true;
    m_pInstanceRecord.Reset(MapViewOfFile(m_hInstanceMapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
    if (!m_pInstanceRecord)
        return true;
    m_bSingleInstance = true;
    m_bPrimaryInstance = bPrimary;
    m_hArgumentLock.Reset(CreateMutexW(nullptr, FALSE, (name + kArgumentLockSuffix).c_str()));
    m_hArgumentsTaken.Reset(
        CreateEventW(nullptr, FALSE, FALSE, (name + kArgumentsTakenSuffix).c_str()));
    TraceLine(bPrimary ? L"single instance: the first instance"
                       : L"single instance: a later start, for the first instance");
    return bPrimary ? StartPrimaryInstance(name) : HandArgumentsToPrimary();
}

bool CLauncher::CreateMainStartedEvent(const std::wstring& objectName)
{
    m_hMainStartedEvent.Reset(
        CreateEventW(nullptr, TRUE, FALSE, (objectName + kMainStartedSuffix).c_str()));
    return m_hMainStartedEvent.IsValid();
}

bool CLauncher::StartPrimaryInstance(const std::wstring& objectName)
{
    InstanceRecord* pRecord = Record(*this);
    CreateMainStartedEvent(objectName);
    const UINT message = RegisterWindowMessageW(objectName.c_str());
    if (message == 0)
    {
        m_bSingleInstance = false;
        return true;
    }
    pRecord->dwProcessId = GetCurrentProcessId();
    m_hListenerThread.Reset(CreateThread(nullptr, 0, &CLauncher::InstanceListenerThread, this, 0,
                                         &pRecord->dwListenerThreadId));
    if (!m_hListenerThread)
    {
        m_bSingleInstance = false;
        return true;
    }
    // A thread gets its message queue with its first message call: until a post to it
    // succeeds, a later start's request would be lost. Only then is the record published.
    for (int attempt = 0; attempt < 500; ++attempt)
    {
        if (PostThreadMessageW(pRecord->dwListenerThreadId, WM_NULL, 0, 0))
            break;
        Sleep(2);
    }
    InterlockedExchange(reinterpret_cast<volatile LONG*>(&pRecord->uMessage),
                        static_cast<LONG>(message));
    return true;
}

bool CLauncher::HandArgumentsToPrimary()
{
    InstanceRecord* pRecord = Record(*this);
    volatile LONG* pMessage = reinterpret_cast<volatile LONG*>(&pRecord->uMessage);
    const DWORD start = GetTickCount();
    while (InterlockedCompareExchange(pMessage, 0, 0) == 0)
    {
        // A first instance whose set-up failed half way never publishes.
        if (GetTickCount() - start > kPublishWaitMs)
            return false;
        Sleep(5);
    }
    m_hPrimaryProcess.Reset(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pRecord->dwProcessId));

    // One later start at a time writes the area, until the listener has taken it.
    const DWORD locked = WaitForSingleObject(m_hArgumentLock.Get(), INFINITE);
    const bool bLocked = locked == WAIT_OBJECT_0 || locked == WAIT_ABANDONED;
    bool bPosted =
        WriteInstanceArguments(m_arguments, pRecord->abArguments) &&
        PostThreadMessageW(pRecord->dwListenerThreadId, pRecord->uMessage, GetCurrentThreadId(), 0);
    if (bPosted)
    {
        HANDLE handles[] = {m_hArgumentsTaken.Get(), m_hPrimaryProcess.Get()};
        WaitForMultipleObjects(m_hPrimaryProcess ? 2 : 1, handles, FALSE, kTakeWaitMs);
    }
    if (bLocked)
        ReleaseMutex(m_hArgumentLock.Get());
    return bPosted;
}

DWORD CLauncher::WaitForPrimaryInstance()
{
    if (!m_hPrimaryProcess)
        return 0;
    const UINT message = Record(*this)->uMessage;
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

void CLauncher::StopInstanceListener()
{
    if (m_bSingleInstance)
    {
        if (m_bPrimaryInstance && m_hListenerThread)
        {
            const DWORD listenerThreadId = Record(*this)->dwListenerThreadId;
            DWORD exitCode = STILL_ACTIVE;
            do
            {
                PostThreadMessageW(listenerThreadId, WM_QUIT, 0, 0);
                WaitForSingleObject(m_hListenerThread.Get(), 10);
            } while (GetExitCodeThread(m_hListenerThread.Get(), &exitCode) &&
                     exitCode == STILL_ACTIVE);
            m_hListenerThread.Reset();
        }
        m_pInstanceRecord.Reset();
        m_hInstanceMapping.Reset();
    }
    m_hMainStartedEvent.Reset();
}
