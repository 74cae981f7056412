// The environment a launch sets for the runtime and the Java program.
#ifndef JVMHOST_ENVIRONMENT_PLAN_H
#define JVMHOST_ENVIRONMENT_PLAN_H

#include "plan/launch_plan.h"
#include "plan/planned_environment.h"

// The variables the runtime and the program see (set through environment, which holds the
// plan's), and the native library path option.
void PlanEnvironment(const SPlanInput& input, SLaunchPlan& plan, CPlannedEnvironment& environment);

#endif
