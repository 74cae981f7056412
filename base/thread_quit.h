// Ending a thread that runs a message loop.
#ifndef JVMHOST_THREAD_QUIT_H
#define JVMHOST_THREAD_QUIT_H

#include <windows.h>

// Posts WM_QUIT to the thread until it has ended. A post fails while the thread has no
// message queue yet; it is simply repeated, and the short wait between posts keeps the
// caller from spinning against the thread.
void QuitThread(HANDLE hThread, DWORD threadId);

#endif
