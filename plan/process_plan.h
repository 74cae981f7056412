// What the launcher's process itself is: the taskbar identity it takes, and whether it only
// supervises the launch, which it starts again when the program ends with a restart code.
#ifndef JVMHOST_PROCESS_PLAN_H
#define JVMHOST_PROCESS_PLAN_H

#include "base/machine_view.h"
#include "config/launch_settings.h"
#include "report/explanation.h"
#include "report/reporter.h"

#include <string>
#include <vector>

// Set in the environment of the launch a supervising process starts: its process id.
extern const wchar_t kRestartSupervisorVariable[];

struct SProcessPlan
{
    // "App User Model ID"; empty: Windows groups the windows by the executable's path.
    std::wstring m_appUserModelId;
    // "Restart Exit Codes", as exit codes.
    std::vector<DWORD> m_restartCodes;
    // This process starts the launch as its child, again on a restart code, and does nothing
    // else: it holds no single-instance objects and no VM.
    bool m_bSupervise = false;
    // This process is that child: the variable is removed before the Java program sees it.
    bool m_bSupervised = false;
    // A setting that cannot be used: the launch stops with it.
    SMessage m_failure;
    CExplanation m_reasons;
};

// Decides from the settings and whether the environment names a supervisor.
void PlanProcess(const SLaunchSettings& settings, const CMachineView& machine, bool bExplain,
                 SProcessPlan& plan);

#endif
