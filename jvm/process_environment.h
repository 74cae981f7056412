// Setting the environment the runtime and the Java program see.
#ifndef JVMHOST_PROCESS_ENVIRONMENT_H
#define JVMHOST_PROCESS_ENVIRONMENT_H

#include "plan/launch_plan.h"

#include <vector>

// Sets each variable in this process, in order.
void SetProcessEnvironment(const std::vector<SEnvironmentVariable>& variables);

#endif
