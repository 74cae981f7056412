// The planned environment and the expansion of %NAME% references in settings values.
#include "plan/planned_environment.h"

#include <windows.h>

namespace
{
bool IsSameName(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
} // namespace

CPlannedEnvironment::CPlannedEnvironment(const CMachineView& machine,
                                         std::vector<SEnvironmentVariable>& planned)
    : m_machine(machine), m_planned(planned)
{
}

void CPlannedEnvironment::Set(const std::wstring& name, const std::wstring& value)
{
    for (SEnvironmentVariable& variable : m_planned)
    {
        if (IsSameName(variable.m_name, name))
        {
            variable.m_value = value;
            return;
        }
    }
    m_planned.push_back({name, value});
}

bool CPlannedEnvironment::Read(const std::wstring& name, std::wstring& value) const
{
    for (const SEnvironmentVariable& variable : m_planned)
    {
        if (IsSameName(variable.m_name, name))
        {
            value = variable.m_value;
            return true;
        }
    }
    return m_machine.ReadVariable(name, value);
}

std::wstring CPlannedEnvironment::Expand(const std::wstring& text) const
{
    // Reference by reference rather than through ExpandEnvironmentStringsW, which cuts its
    // result at 32,767 characters: a class path of many jars is longer than that.
    std::wstring result;
    size_t position = 0;
    for (;;)
    {
        const size_t open = text.find(L'%', position);
        const size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos)
            break;
        result.append(text, position, open - position);
        std::wstring value;
        const std::wstring name = text.substr(open + 1, close - open - 1);
        if (!name.empty() && Read(name, value))
        {
            result += value;
            position = close + 1;
        }
        else
        {
            // Not a reference: the first percent sign stays, the second may open one.
            result.append(text, open, close - open);
            position = close;
        }
    }
    result.append(text, position, std::wstring::npos);
    return result;
}
