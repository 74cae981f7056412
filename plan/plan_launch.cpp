// PlanLaunch: the runtime first, then, when this launcher is to start it, everything else.
#include "plan/plan_launch.h"
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "plan/environment_plan.h"
#include "plan/java_start_plan.h"

namespace
{
// The runtime's splash library sits in its bin folder: C:\jre\bin\client\jvm.dll gives
// C:\jre\bin\splashscreen.dll.
std::wstring FindRuntimeSplashLibrary(const CMachineView& machine,
                                      const std::wstring& jvmLibraryPath)
{
    const std::wstring binFolder = FolderWithBackslash(StripLastComponent(jvmLibraryPath));
    const std::wstring path = binFolder + L"splashscreen.dll";
    return !binFolder.empty() && machine.FileExists(path) ? path : std::wstring();
}

void PlanSplash(const SPlanInput& input, SLaunchPlan& plan)
{
    const SLaunchSettings& settings = *input.m_pSettings;
    SSplashPlan& splash = plan.m_splash;
    // Only the command line's own arguments count, not those of "Cmd".
    if (input.m_pArguments->Find(L"-nosplash") >= 0 || input.m_pArguments->Find(L"/nosplash") >= 0)
    {
        plan.m_splashReasons.Add(L"splash: none, as the command line asks");
        return;
    }
    if (input.m_bConsole)
    {
        plan.m_splashReasons.Add(L"splash: none in a console launcher");
        return;
    }
    if (settings.m_splashImage.empty())
    {
        plan.m_splashReasons.Add(L"splash: none");
        return;
    }
    splash.m_image = settings.m_splashImage;
    splash.m_bShadow = settings.m_splashShadow == L"true";
    splash.m_kind = SplashOwnWindow;
    const std::wstring library =
        FindRuntimeSplashLibrary(*input.m_pMachine, plan.m_runtime.m_jvmLibraryPath);
    if (!settings.m_bPreferNativeSplash || library.empty())
        return;
    splash.m_kind = SplashRuntimeLibrary;
    splash.m_runtimeLibrary = library;
    // A path the code page cannot hold is handed over in its short form, which it can.
    splash.m_narrowImage = NarrowForVm(AnsiSafePath(*input.m_pMachine, splash.m_image));
}

// Everything that follows from a runtime this launcher loads.
void PlanOnRuntime(const SPlanInput& input, SLaunchPlan& plan)
{
    if (plan.m_runtime.m_source == RuntimeSourceNone || plan.m_runtime.m_bRunPairProduct)
        return;
    CPlannedEnvironment environment(*input.m_pMachine, plan.m_environment);
    PlanEnvironment(input, plan, environment);
    if (plan.m_environmentFailure.IsSet())
        return;
    PlanSplash(input, plan);
    PlanJavaStart(input, environment, plan);
}
} // namespace

void PlanLaunch(const SPlanInput& input, SLaunchPlan& plan)
{
    plan.m_runtimeReasons.Restart(input.m_bExplain);
    plan.m_environmentReasons.Restart(input.m_bExplain);
    plan.m_splashReasons.Restart(input.m_bExplain);
    plan.m_javaReasons.Restart(input.m_bExplain);
    CRuntimeSearch search(*input.m_pSettings, input.m_modulePath, *input.m_pMachine,
                          input.m_launcherMachine, plan.m_runtimeReasons);
    plan.m_runtime = search.Search();
    PlanOnRuntime(input, plan);
}

void PlanLaunchOnChosenRuntime(const SPlanInput& input, const std::wstring& home,
                               const std::wstring& jvmLibraryPath, SLaunchPlan& plan)
{
    // Nothing but the runtime was planned: the search's reasons have been told already.
    plan.m_runtimeReasons.Restart(input.m_bExplain);
    CRuntimeSearch search(*input.m_pSettings, input.m_modulePath, *input.m_pMachine,
                          input.m_launcherMachine, plan.m_runtimeReasons);
    plan.m_runtime = search.TakeUserChoice(home, jvmLibraryPath);
    PlanOnRuntime(input, plan);
}
