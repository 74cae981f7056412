// Ending a thread that runs a message loop.
#include "base/thread_quit.h"

void QuitThread(HANDLE hThread, DWORD threadId)
{
    DWORD status = STILL_ACTIVE;
    while (status == STILL_ACTIVE)
    {
        PostThreadMessageW(threadId, WM_QUIT, 0, 0);
        WaitForSingleObject(hThread, 10);
        if (!GetExitCodeThread(hThread, &status))
            return;
    }
}
