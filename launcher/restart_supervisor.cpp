// Starting the launch again on a restart code, from one process that outlives every run, so
// that restarts never make a chain of processes waiting for each other.
#include "launcher/restart_supervisor.h"
#include "base/text.h"
#include "launcher/child_process.h"
#include "report/launch_trace.h"
#include "report/message_ids.h"

#include <algorithm>

namespace
{
const size_t kMaxRestarts = 5;
const ULONGLONG kRestartWindowMs = 60000;

// Ctrl+C and Ctrl+Break are the child's: its VM runs the program's shutdown hooks and ends
// with its own code, which this process waits for.
BOOL WINAPI LeaveInterruptsToTheChild(DWORD type)
{
    return type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT;
}

} // namespace

DWORD SuperviseRestarts(const SProcessPlan& plan, const std::wstring& modulePath,
                        CReporter& reporter)
{
    SetConsoleCtrlHandler(&LeaveInterruptsToTheChild, TRUE);
    SetEnvironmentVariableW(kRestartSupervisorVariable,
                            DecimalText(static_cast<long long>(GetCurrentProcessId())).c_str());
    std::vector<ULONGLONG> restarts;
    for (;;)
    {
        CUniqueHandle hChild;
        if (!StartChildProcess(modulePath, GetCommandLineW(), hChild))
        {
            const DWORD errorCode = GetLastError();
            reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, modulePath, errorCode);
            return kExitFailure;
        }
        const DWORD exitCode = WaitForExitCode(hChild);
        const std::vector<DWORD>& codes = plan.m_restartCodes;
        if (std::find(codes.begin(), codes.end(), exitCode) == codes.end())
            return exitCode;
        const ULONGLONG now = GetTickCount64();
        restarts.push_back(now);
        if (restarts.size() > kMaxRestarts &&
            now - restarts[restarts.size() - 1 - kMaxRestarts] < kRestartWindowMs)
        {
            reporter.Report(IDS_RESTART_LOOP, DecimalText(static_cast<long long>(exitCode)));
            return exitCode;
        }
        TraceLine(L"restart: the program ended with " +
                  DecimalText(static_cast<long long>(exitCode)) + L", the launch starts again");
    }
}
