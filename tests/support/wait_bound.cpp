#include "wait_bound.h"

#include <cstdio>

CWaitBound::CWaitBound(const std::string& what, DWORD milliseconds)
    : m_what(what), m_milliseconds(milliseconds),
      m_hDone(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_hWatcher(nullptr)
{
    m_hWatcher = CreateThread(nullptr, 0, WatchProc, this, 0, nullptr);
}

CWaitBound::~CWaitBound()
{
    SetEvent(m_hDone);
    WaitForSingleObject(m_hWatcher, INFINITE);
    CloseHandle(m_hWatcher);
    CloseHandle(m_hDone);
}

DWORD WINAPI CWaitBound::WatchProc(void* pParameter)
{
    CWaitBound* pSelf = static_cast<CWaitBound*>(pParameter);
    if (WaitForSingleObject(pSelf->m_hDone, pSelf->m_milliseconds) == WAIT_OBJECT_0)
        return 0;
    std::fprintf(stderr, "\nFAILED: waited more than %lu ms for %s\n", pSelf->m_milliseconds,
                 pSelf->m_what.c_str());
    std::fflush(stderr);
    // Whatever blocks the test (a window nobody answers, a process that does not end) cannot
    // be undone from here; the process ends so that the run goes on.
    TerminateProcess(GetCurrentProcess(), 3);
    return 0;
}
