// What the Java main thread is given.
#ifndef JVMHOST_JAVA_START_PLAN_H
#define JVMHOST_JAVA_START_PLAN_H

#include "plan/launch_plan.h"
#include "plan/planned_environment.h"

// The VM's options, the main thread's stack, main's class and arguments, the streams.
void PlanJavaStart(const SPlanInput& input, const CPlannedEnvironment& environment,
                   SLaunchPlan& plan);

#endif
