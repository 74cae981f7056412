// The environment a launch sets for the runtime and the Java program, and the native library
// path option that follows from it.
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "plan/environment_plan.h"
#include "report/message_ids.h"

#include <windows.h>

namespace
{
// An environment variable holds at most 32,767 characters.
const size_t kMaxVariableLength = 32767;

void AppendWithSeparator(std::wstring& list, const std::wstring& part)
{
    list += part;
    if (list.empty() || list[list.size() - 1] != L';')
        list += L';';
}
} // namespace

void PlanEnvironment(const SPlanInput& input, SLaunchPlan& plan, CPlannedEnvironment& environment)
{
    const SLaunchSettings& settings = *input.m_pSettings;
    const std::wstring& library = plan.m_runtime.m_jvmLibraryPath;
    // C:\jre\bin\server\jvm.dll: the bin folder C:\jre\bin, the home C:\jre.
    const std::wstring binFolder = StripLastComponent(StripLastComponent(library));
    const std::wstring home = StripLastComponent(binFolder);
    // The two variables tell the program which VM runs it, and the settings' own references
    // may use them.
    environment.Set(L"QV_JVM_PATH", library);
    environment.Set(L"QV_JVM_HOME", home);
    plan.m_environmentReasons.Add(L"environment QV_JVM_PATH = " + library + L", QV_JVM_HOME = " +
                                  home);

    if (!settings.m_libraryPath.empty())
    {
        // %Path% is still the machine's own here.
        std::wstring libraryPath = settings.m_libraryPath;
        AppendWithSeparator(libraryPath, L"");
        libraryPath += FolderWithBackslash(input.m_modulePath) + L";.;%Path%;" +
                       FolderWithBackslash(binFolder) + L"lib";
        // A folder the ANSI code page cannot spell reaches the VM in its short form.
        plan.m_java.m_vmOptions.Append(
            "-Djava.library.path=" +
            NarrowForVm(AnsiSafePathList(*input.m_pMachine, environment.Expand(libraryPath))));
    }

    std::wstring searchPath;
    if (!settings.m_systemPath.empty())
        AppendWithSeparator(searchPath, settings.m_systemPath);
    searchPath = environment.Expand(searchPath + L"%Path%;" + binFolder);
    // A longer search path cannot be set, and a cut one would lose the runtime's bin folder at
    // its end.
    if (searchPath.size() >= kMaxVariableLength)
    {
        plan.m_environmentFailure =
            MessageWithCode(IDS_WINDOWS_EXCEPTION, L"Path", ERROR_FILENAME_EXCED_RANGE);
        return;
    }
    environment.Set(L"Path", searchPath);
    plan.m_environmentReasons.Add(L"environment Path = " + searchPath);
}
