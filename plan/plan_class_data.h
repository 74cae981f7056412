// PlanClassData: the class-data archive of a launch with "Class Data Sharing" = auto.
#ifndef JVMHOST_PLAN_CLASS_DATA_H
#define JVMHOST_PLAN_CLASS_DATA_H

#include "plan/launch_plan.h"

#include <string>

// Decides from the runtime chosen, the class path (';'-separated, as the VM gets it) and the
// options planned so far; the reasons go with the Java start's.
void PlanClassData(const SPlanInput& input, const std::wstring& classPath, SLaunchPlan& plan);

#endif
