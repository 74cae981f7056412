// Setting the planned environment in this process, which the VM and the program inherit.
#include "jvm/process_environment.h"
#include "report/launch_trace.h"

#include <windows.h>

void SetProcessEnvironment(const std::vector<SEnvironmentVariable>& variables)
{
    const CTraceStep step(L"environment");
    for (const SEnvironmentVariable& variable : variables)
        SetEnvironmentVariableW(variable.m_name.c_str(), variable.m_value.c_str());
}
