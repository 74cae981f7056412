// The order in which the launcher looks for a Java runtime, and who loads the library found.
#include "jre/runtime_search.h"
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"

#include <windows.h>

// "JRE Path" is used whatever its version; a runtime beside the executable next; the registry
// in the view of this launcher's own width first; the modern runtimes only when asked for.
const CRuntimeSearch::SSearchStep CRuntimeSearch::kSearchOrder[] = {
    {RuntimeSourceJrePath, RegistryViewNative, L"JRE Path "},
    {RuntimeSourceBesideExecutable, RegistryViewNative, L"runtime beside the executable "},
    {RuntimeSourceRegistry, RegistryViewNative, L"registry choice "},
    {RuntimeSourceRegistry, RegistryView32, L"registry choice "},
    {RuntimeSourceModernRuntimes, RegistryViewNative, L"modern runtime choice "},
    {RuntimeSourceModernRuntimes, RegistryView32, L"modern runtime choice "},
};

const wchar_t* RegistryViewName(ERegistryView view)
{
    return view == RegistryView32 ? L"32-bit view" : L"native view";
}

EPairChoice ChoosePairProduct(const CMachineView& machine, const std::wstring& jvmLibraryPath,
                              bool bHasPairProduct, unsigned short launcherMachine)
{
    unsigned short machineType = 0;
    if (!bHasPairProduct || !machine.ReadImageMachine(jvmLibraryPath, machineType) ||
        machineType == launcherMachine)
        return PairChoiceThisLauncher;
    // Neither this process nor the pair product can load a library of another processor
    // (ARM64).
    if (machineType != IMAGE_FILE_MACHINE_AMD64 && machineType != IMAGE_FILE_MACHINE_I386)
        return PairChoiceNeither;
    return machineType == IMAGE_FILE_MACHINE_I386 ? PairChoicePairProduct : PairChoiceThisLauncher;
}

CRuntimeSearch::CRuntimeSearch(const SLaunchSettings& settings, const std::wstring& modulePath,
                               const CMachineView& machine, unsigned short launcherMachine,
                               CExplanation& explanation)
    : m_settings(settings), m_modulePath(modulePath), m_machine(machine),
      m_launcherMachine(launcherMachine), m_explanation(explanation)
{
}

SRuntimeChoice CRuntimeSearch::Search()
{
    for (const SSearchStep& step : kSearchOrder)
    {
        SRuntimeChoice choice;
        if (!IsSearched(step) || !FindHome(step, choice))
            continue;
        const SJvmLibrary library =
            ResolveJvmLibrary(m_machine, choice.m_home, m_settings.m_jvmType);
        if (m_explanation.IsWanted())
        {
            // "JRE Path" is named as it was written.
            const std::wstring& home =
                step.m_source == RuntimeSourceJrePath ? m_settings.m_jrePath : choice.m_home;
            m_explanation.Add(step.m_pTraceName + home +
                              (library.m_path.empty() ? L": no JVM of the configured type"
                                                      : L": " + library.m_path));
        }
        if (library.m_path.empty())
            continue;
        choice.m_source = step.m_source;
        choice.m_view = step.m_view;
        choice.m_jvmLibraryPath = library.m_path;
        if (DecidePairProduct(step, choice))
            return choice;
    }
    m_explanation.Add(L"no runtime found: the JRE Not Found dialog asks the user");
    return SRuntimeChoice();
}

SRuntimeChoice CRuntimeSearch::TakeUserChoice(const std::wstring& home,
                                              const std::wstring& jvmLibraryPath)
{
    SRuntimeChoice choice;
    choice.m_source = RuntimeSourceUserChoice;
    choice.m_home = home;
    choice.m_jvmLibraryPath = jvmLibraryPath;
    m_explanation.Add(L"JRE Not Found dialog: the user chose " + jvmLibraryPath);
    // The user's own pick is used even when neither launcher can load it: loading it then says
    // which library failed.
    TestLibraryForPairProduct(choice);
    return choice;
}

bool CRuntimeSearch::IsSearched(const SSearchStep& step) const
{
    // The 32-bit view holds runtimes that only the pair product can load.
    if (step.m_view == RegistryView32 && m_settings.m_pairProduct.empty())
        return false;
    switch (step.m_source)
    {
        case RuntimeSourceJrePath:
            return !m_settings.m_jrePath.empty();
        case RuntimeSourceModernRuntimes:
            return m_settings.m_bModernRuntimes;
        default:
            return true;
    }
}

bool CRuntimeSearch::FindHome(const SSearchStep& step, SRuntimeChoice& choice)
{
    switch (step.m_source)
    {
        case RuntimeSourceJrePath:
            choice.m_home = WithTrailingBackslash(m_settings.m_jrePath);
            return true;
        case RuntimeSourceBesideExecutable:
            return FindBesideExecutable(choice.m_home);
        case RuntimeSourceRegistry:
            return SearchRegistry(step.m_view, choice);
        case RuntimeSourceModernRuntimes:
            return SearchModernRuntimes(step.m_view, choice);
        default:
            return false;
    }
}

bool CRuntimeSearch::FindBesideExecutable(std::wstring& home)
{
    // The executable may sit in a runtime's home itself, or have one in "jre64" beside it.
    const std::wstring folder = FolderWithBackslash(m_modulePath);
    if (!folder.empty() && IsJreHome(m_machine, folder))
        home = folder;
    else if (!folder.empty() && IsJreHome(m_machine, folder + L"jre64\\"))
        home = folder + L"jre64\\";
    else
        m_explanation.Add(L"no runtime beside the executable");
    return !home.empty();
}

bool CRuntimeSearch::DecidePairProduct(const SSearchStep& step, SRuntimeChoice& choice)
{
    // What the 32-bit view holds is the pair product's without a test.
    if (step.m_view == RegistryView32)
    {
        choice.m_bRunPairProduct = true;
        choice.m_pairProductPath = m_settings.m_pairProduct;
        m_explanation.Add(L"found in the 32-bit view: the pair product starts instead");
        return true;
    }
    if (!TestLibraryProcessor(choice))
        return false;
    return choice.m_bRunPairProduct || step.m_source != RuntimeSourceJrePath ||
           TestLibraryForPairProduct(choice);
}

bool CRuntimeSearch::TestLibraryProcessor(SRuntimeChoice& choice)
{
    unsigned short type = 0;
    // The 32-bit launcher, a library of this launcher's processor, a 32-bit one (the pair
    // product's question) or a file that is no image: nothing to decide here.
    if (m_launcherMachine == IMAGE_FILE_MACHINE_I386 ||
        !m_machine.ReadImageMachine(choice.m_jvmLibraryPath, type) || type == m_launcherMachine ||
        type == IMAGE_FILE_MACHINE_I386)
        return true;
    // On Windows on ARM the x64 launcher runs emulated and its ARM64 twin natively, and x64
    // and ARM64 runtimes share the 64-bit registry view: the library's processor decides.
    const std::wstring arm64Launcher =
        type == IMAGE_FILE_MACHINE_ARM64 && m_machine.NativeMachine() == IMAGE_FILE_MACHINE_ARM64
            ? Arm64Launcher()
            : std::wstring();
    if (arm64Launcher.empty())
    {
        m_explanation.Add(L"a library for another processor: skipped");
        return false;
    }
    choice.m_bRunPairProduct = true;
    choice.m_pairProductPath = arm64Launcher;
    m_explanation.Add(L"an ARM64 library on an ARM64 machine: " + arm64Launcher +
                      L" starts instead");
    return true;
}

std::wstring CRuntimeSearch::Arm64Launcher() const
{
    if (!m_settings.m_pairProductArm64.empty())
        return m_settings.m_pairProductArm64;
    const std::wstring beside =
        StripLastComponent(m_modulePath) + L"\\" + ExecutableBaseName(m_modulePath) + L"-arm64.exe";
    return m_machine.FileExists(beside) ? beside : std::wstring();
}

bool CRuntimeSearch::TestLibraryForPairProduct(SRuntimeChoice& choice)
{
    if (m_settings.m_pairProduct.empty())
        return true;
    const EPairChoice pairChoice =
        ChoosePairProduct(m_machine, choice.m_jvmLibraryPath, true, m_launcherMachine);
    if (pairChoice == PairChoiceNeither)
    {
        m_explanation.Add(L"a library for another processor: skipped");
        return false;
    }
    choice.m_bRunPairProduct = pairChoice == PairChoicePairProduct;
    if (choice.m_bRunPairProduct)
        choice.m_pairProductPath = m_settings.m_pairProduct;
    m_explanation.Add(choice.m_bRunPairProduct
                          ? L"not a 64-bit library: the pair product starts instead"
                          : L"the library is not a 32-bit one: no pair product");
    return true;
}
