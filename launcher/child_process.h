// Starting another launcher process (the pair product, or the launch again under the restart
// supervisor) with this process's standard streams.
#ifndef JVMHOST_CHILD_PROCESS_H
#define JVMHOST_CHILD_PROCESS_H

#include "base/unique_handle.h"

#include <string>

// Starts path with the whole command line; false, with the thread's last error, when it
// cannot be started.
bool StartChildProcess(const std::wstring& path, std::wstring commandLine, CUniqueHandle& hProcess);

// Waits for the process and gives its exit code.
unsigned long WaitForExitCode(const CUniqueHandle& hProcess);

#endif
