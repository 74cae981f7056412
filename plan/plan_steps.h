// The steps PlanLaunch takes once the runtime is known, each filling its part of the plan.
#ifndef JVMHOST_PLAN_STEPS_H
#define JVMHOST_PLAN_STEPS_H

#include "plan/launch_plan.h"
#include "plan/planned_environment.h"

// The variables the runtime and the program see (set through environment, which holds the
// plan's), and the native library path option.
void PlanEnvironment(const SPlanInput& input, SLaunchPlan& plan, CPlannedEnvironment& environment);

// The VM's options, the main thread's stack, main's class and arguments, the streams.
void PlanJavaStart(const SPlanInput& input, const CPlannedEnvironment& environment,
                   SLaunchPlan& plan);

#endif
