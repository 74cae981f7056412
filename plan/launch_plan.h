// The launch plan: every decision of a launch, as PlanLaunch makes them before anything is
// done. The parts that act (the VM, the splash, the single instance, the launcher's sequence)
// take their orders from it and decide nothing themselves.
#ifndef JVMHOST_LAUNCH_PLAN_H
#define JVMHOST_LAUNCH_PLAN_H

#include "base/argument_list.h"
#include "base/machine_view.h"
#include "config/launch_settings.h"
#include "jre/runtime_search.h"
#include "plan/planned_environment.h"
#include "base/vm_option_list.h"
#include "plan/class_data_plan.h"
#include "report/explanation.h"
#include "report/reporter.h"

#include <string>
#include <vector>

// Who ends the process once main has returned.
enum EProcessEnd
{
    // The launcher: the Java main thread detaches, the VM is destroyed (which waits for the
    // program's other threads), and the process ends with the launch's exit code.
    ProcessEndByLauncher,
    // The Java program, through System.exit: no thread the launcher attached is ever
    // detached, and the Java main thread waits without end after main.
    ProcessEndByJavaProgram,
};

// The runtime's own splash library, or the launcher's window, or none.
enum ESplashKind
{
    SplashNone,
    // "splashscreen.dll" of the runtime; the launcher's window when it cannot be started.
    SplashRuntimeLibrary,
    SplashOwnWindow,
};

struct SSplashPlan
{
    ESplashKind m_kind = SplashNone;
    std::wstring m_image;
    // For the runtime's library, in the code page it takes.
    std::string m_narrowImage;
    bool m_bShadow = false;
    std::wstring m_runtimeLibrary;
};

// Where the Java program's standard streams go; empty: where the VM puts them.
struct SRedirection
{
    std::wstring m_outputFile;
    std::wstring m_errorFile;
    // Both name one file, which is then written through one stream.
    bool m_bOneFile = false;
};

// What the Java main thread is given.
struct SJavaStart
{
    // Exactly as the VM receives them, in order.
    CVmOptionList m_vmOptions;
    // 0: the size the JVM library proposes.
    size_t m_mainThreadStackSize = 0;
    // Slash form, as FindClass takes it.
    std::wstring m_mainClass;
    // The command line's, then those of "Cmd".
    CArgumentList m_mainArguments;
    SRedirection m_redirection;
    // "Failure Check": an exception that escapes main opens the Java Exception dialog.
    bool m_bAskAfterException = false;
    EProcessEnd m_processEnd = ProcessEndByLauncher;
    // The application's class-data archive, whose options follow the others.
    SClassDataPlan m_classData;
};

struct SLaunchPlan
{
    // When no runtime was found, or the pair product takes the launch, nothing further is
    // planned.
    SRuntimeChoice m_runtime;
    CExplanation m_runtimeReasons;

    // Set, in order, before the JVM library is loaded.
    std::vector<SEnvironmentVariable> m_environment;
    // The environment cannot be set (a search path too long for a variable).
    SMessage m_environmentFailure;
    CExplanation m_environmentReasons;

    SSplashPlan m_splash;
    CExplanation m_splashReasons;

    SJavaStart m_java;
    // The options cannot be made (no class path, an option file that cannot be read): told
    // once the JVM library is loaded, as a launch always told it.
    SMessage m_javaFailure;
    CExplanation m_javaReasons;
};

// What a plan is made from.
struct SPlanInput
{
    const SLaunchSettings* m_pSettings;
    // The command line's arguments.
    const CArgumentList* m_pArguments;
    // The executable's own path.
    std::wstring m_modulePath;
    const CMachineView* m_pMachine;
    // Whether the plan gives its reasons, for the launch trace.
    bool m_bExplain;
    // The console launcher: no splash, no dialog after an exception.
    bool m_bConsole;
    // The processor this launcher is built for (IMAGE_FILE_MACHINE_...).
    unsigned short m_launcherMachine;
};

#endif
