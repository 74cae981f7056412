// The class path and "Virtual Machine Parameters" as the options they give the VM.
#ifndef JVMHOST_VM_OPTIONS_H
#define JVMHOST_VM_OPTIONS_H

#include "base/machine_view.h"
#include "config/launch_settings.h"
#include "plan/planned_environment.h"
#include "report/explanation.h"
#include "report/reporter.h"

#include <string>
#include <vector>

// The class path: the entries of "Class Path" (relative ones from the executable's folder,
// wildcards through a file search) each followed by ';', and with "Embedded Jar" the
// executable itself. Empty when nothing is left.
std::wstring BuildClassPath(const SLaunchSettings& settings, const std::wstring& modulePath,
                            const CMachineView& machine);

struct SVmParameters
{
    // In order, %NAME% references not yet expanded.
    std::vector<std::wstring> m_options;
    // Of the last "-Xss"; 0 when there is none, or it cannot be read.
    size_t m_mainThreadStackSize = 0;
    // An option file that cannot be read.
    SMessage m_failure;
};

// What an option file's relative path is taken from, and where its reading is told.
struct SOptionContext
{
    const CMachineView* m_pMachine;
    const CPlannedEnvironment* m_pEnvironment;
    // The executable's folder, with its backslash.
    std::wstring m_moduleFolder;
    CExplanation* m_pExplanation;
};

// The options of "Virtual Machine Parameters": option files (@path) read in their place,
// spaced module options joined into the one-token form the VM knows, memory percentages
// resolved.
// bWhollyQuoted: the settings file wrote the value in quotes (see KeepQuotedValueWhole).
SVmParameters ReadVmParameters(const std::wstring& text, bool bWhollyQuoted,
                               const SOptionContext& context);

#endif
