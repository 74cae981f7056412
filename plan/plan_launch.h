// PlanLaunch: the launch plan, made in one pure step from the settings, the command line and a
// read-only view of the machine.
#ifndef JVMHOST_PLAN_LAUNCH_H
#define JVMHOST_PLAN_LAUNCH_H

#include "plan/launch_plan.h"

#include <string>

// Searches for a runtime and plans the launch on it, into a plan that is still empty.
void PlanLaunch(const SPlanInput& input, SLaunchPlan& plan);

// When the search found none: plans the launch on the runtime the user picked in the JRE Not
// Found dialog instead.
void PlanLaunchOnChosenRuntime(const SPlanInput& input, const std::wstring& home,
                               const std::wstring& jvmLibraryPath, SLaunchPlan& plan);

#endif
