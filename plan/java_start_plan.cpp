// What the Java main thread is given: the VM's options, the stack of the thread, main's class
// and arguments, the streams, and who ends the process.
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "plan/java_start_plan.h"
#include "plan/option_tokens.h"
#include "plan/plan_class_data.h"
#include "plan/vm_options.h"
#include "report/message_ids.h"

#include <windows.h>

namespace
{
// Whether both settings name one file: the same whole path, ignoring case, however each is
// written (relative, with "." or "..").
bool NameTheSameFile(const CMachineView& machine, const std::wstring& first,
                     const std::wstring& second)
{
    return !first.empty() && !second.empty() &&
           CompareStringOrdinal(machine.FullPath(first).c_str(), -1,
                                machine.FullPath(second).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The settings that admit IBM VMs have always left the end of the process to the Java program:
// the launcher neither detaches a thread it attached nor destroys the VM, and the process ends
// when the program calls System.exit. Settings written for those VMs rely on it.
EProcessEnd DecideProcessEnd(const SLaunchSettings& settings)
{
    return IsVendorSearched(settings.m_vmProvider, VendorIbm) ? ProcessEndByJavaProgram
                                                              : ProcessEndByLauncher;
}
} // namespace

void PlanJavaStart(const SPlanInput& input, const CPlannedEnvironment& environment,
                   SLaunchPlan& plan)
{
    const SLaunchSettings& settings = *input.m_pSettings;
    const CMachineView& machine = *input.m_pMachine;
    SJavaStart& java = plan.m_java;
    java.m_mainClass = settings.m_mainClass;
    // A console program's exception is printed on its console, as without "Failure Check".
    java.m_bAskAfterException = settings.m_bFailureCheck && !input.m_bConsole;
    java.m_processEnd = DecideProcessEnd(settings);
    if (java.m_processEnd == ProcessEndByJavaProgram)
        plan.m_javaReasons.Add(L"IBM VMs admitted: the Java program ends the process");

    const std::wstring classPath = BuildClassPath(settings, input.m_modulePath, machine);
    if (classPath.empty())
    {
        plan.m_javaFailure = {IDS_NO_CLASS_PATH, {}};
        return;
    }
    const SOptionContext context = {&machine, &environment, FolderWithBackslash(input.m_modulePath),
                                    &plan.m_javaReasons};
    SVmParameters parameters =
        ReadVmParameters(settings.m_vmParameters, settings.m_bVmParametersQuoted, context);
    if (parameters.m_failure.IsSet())
    {
        plan.m_javaFailure = parameters.m_failure;
        return;
    }
    parameters.m_options.insert(parameters.m_options.begin(), L"-Djava.class.path=" + classPath);
    for (const std::wstring& option : parameters.m_options)
        java.m_vmOptions.Append(NarrowForVm(environment.Expand(option)));
    for (size_t i = 0; plan.m_javaReasons.IsWanted() && i < java.m_vmOptions.Count(); ++i)
    {
        // Read back in the code page it was narrowed to.
        plan.m_javaReasons.Add(L"VM option " + DecimalText(static_cast<long long>(i + 1)) + L": " +
                               FromCodePage(java.m_vmOptions.At(i), CP_THREAD_ACP));
    }
    java.m_mainThreadStackSize = parameters.m_mainThreadStackSize;
    PlanClassData(input, classPath, plan);

    // Expanded as they will be seen once the environment is set.
    SRedirection& redirection = java.m_redirection;
    redirection.m_outputFile = environment.Expand(settings.m_outputFile);
    redirection.m_errorFile = environment.Expand(settings.m_errorFile);
    redirection.m_bOneFile =
        NameTheSameFile(machine, redirection.m_outputFile, redirection.m_errorFile);

    java.m_mainArguments = *input.m_pArguments;
    const std::wstring cmd = environment.Expand(settings.m_cmd);
    CArgumentList split;
    SplitArguments(cmd, split);
    std::vector<std::wstring> extra;
    for (size_t i = 0; i < split.Count(); ++i)
        extra.push_back(split.At(i));
    KeepQuotedValueWhole(cmd, settings.m_bCmdQuoted, extra);
    for (const std::wstring& argument : extra)
    {
        if (!argument.empty())
            java.m_mainArguments.Append(argument);
    }
}
