// The restart supervisor: a launcher process that starts the launch as its child, the same
// executable with the same command line, folder and environment, and starts it again whenever
// the program ends with one of the restart codes.
#ifndef JVMHOST_RESTART_SUPERVISOR_H
#define JVMHOST_RESTART_SUPERVISOR_H

#include "plan/process_plan.h"
#include "report/reporter.h"

#include <windows.h>

#include <string>

// The last run's exit code; kExitFailure, after a message, when the child cannot be started.
// More than five restarts within 60 seconds stop with a message and the last code.
DWORD SuperviseRestarts(const SProcessPlan& plan, const std::wstring& modulePath,
                        CReporter& reporter);

#endif
