// The environment the runtime and the Java program will see: the variables the plan sets, over
// the machine's own.
#ifndef JVMHOST_PLANNED_ENVIRONMENT_H
#define JVMHOST_PLANNED_ENVIRONMENT_H

#include "base/machine_view.h"

#include <string>
#include <vector>

struct SEnvironmentVariable
{
    std::wstring m_name;
    std::wstring m_value;
};

class CPlannedEnvironment
{
public:
    // The variables the plan sets go to planned, in the order they are first set.
    CPlannedEnvironment(const CMachineView& machine, std::vector<SEnvironmentVariable>& planned);

    // Sets or replaces the variable (names are compared without regard to case, as Windows
    // compares them).
    void Set(const std::wstring& name, const std::wstring& value);
    bool Read(const std::wstring& name, std::wstring& value) const;
    // The text with every %NAME% replaced by the variable's value; unknown names and lone
    // percent signs stay.
    std::wstring Expand(const std::wstring& text) const;

private:
    const CMachineView& m_machine;
    std::vector<SEnvironmentVariable>& m_planned;
};

#endif
