// A bound on a wait in a test process: when the wait lasts longer, the process ends at once
// with a message that says what it waited for, long before the test runner's own timeout.
#ifndef JVMHOST_TESTS_WAIT_BOUND_H
#define JVMHOST_TESTS_WAIT_BOUND_H

#include <windows.h>

#include <string>

class CWaitBound
{
public:
    CWaitBound(const std::string& what, DWORD milliseconds);
    ~CWaitBound();
    CWaitBound(const CWaitBound&) = delete;
    CWaitBound& operator=(const CWaitBound&) = delete;

private:
    static DWORD WINAPI WatchProc(void* pParameter);

    std::string m_what;
    DWORD m_milliseconds;
    HANDLE m_hDone;
    HANDLE m_hWatcher;
};

#endif
