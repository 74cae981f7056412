// The search for the Java runtime a launch loads, through a view of the machine: "JRE Path",
// a runtime beside the executable, the registry in its native view and then in the 32-bit one,
// the modern runtimes; and who loads what it found, this launcher or its pair product (the
// launcher of the other processor width that "Pair Product" names). It reads and decides; it
// shows nothing and writes nothing.
#ifndef JVMHOST_RUNTIME_SEARCH_H
#define JVMHOST_RUNTIME_SEARCH_H

#include "base/java_version.h"
#include "base/machine_view.h"
#include "config/launch_settings.h"
#include "jre/jre_candidate.h"
#include "report/explanation.h"

#include <string>
#include <vector>

// Where a runtime was found.
enum ERuntimeSource
{
    // Nothing was found: the user is asked.
    RuntimeSourceNone,
    RuntimeSourceJrePath,
    RuntimeSourceBesideExecutable,
    RuntimeSourceRegistry,
    RuntimeSourceModernRuntimes,
    // Picked by the user in the JRE Not Found dialog.
    RuntimeSourceUserChoice,
};

struct SRuntimeChoice
{
    ERuntimeSource m_source = RuntimeSourceNone;
    // The view the registry sources found it in.
    ERegistryView m_view = RegistryViewNative;
    // Ends in a backslash.
    std::wstring m_home;
    std::wstring m_jvmLibraryPath;
    // Known for the registry and modern sources only.
    CJavaVersion m_version;
    // The library is the pair product's to load: it takes the launch.
    bool m_bRunPairProduct = false;
    // The launcher that takes it: the pair product, or the ARM64 one.
    std::wstring m_pairProductPath;
};

// Who can load a JVM library: this launcher (built for launcherMachine, x64 unless said), its
// 32-bit pair product, or neither (a library of another processor). Without a pair product, or
// for a file that is no image, this launcher.
enum EPairChoice
{
    PairChoiceThisLauncher,
    PairChoicePairProduct,
    PairChoiceNeither,
};
EPairChoice ChoosePairProduct(const CMachineView& machine, const std::wstring& jvmLibraryPath,
                              bool bHasPairProduct,
                              unsigned short launcherMachine = 0x8664 /* x64 */);

struct SVendorKey;

class CRuntimeSearch
{
public:
    // modulePath: the executable's own path. The reasons of each decision go to explanation.
    CRuntimeSearch(const SLaunchSettings& settings, const std::wstring& modulePath,
                   const CMachineView& machine, unsigned short launcherMachine,
                   CExplanation& explanation);

    // The first source, in the search's order, that gives a library the launch can use; the
    // source RuntimeSourceNone when none does.
    SRuntimeChoice Search();
    // The library the user picked: with a pair product, its processor decides who loads it.
    SRuntimeChoice TakeUserChoice(const std::wstring& home, const std::wstring& jvmLibraryPath);

private:
    // One place to look: a source, and for the registry sources the view.
    struct SSearchStep
    {
        ERuntimeSource m_source;
        ERegistryView m_view;
        // What the trace calls the home found there.
        const wchar_t* m_pTraceName;
    };
    static const SSearchStep kSearchOrder[];

    bool IsSearched(const SSearchStep& step) const;
    // The home (and, from the registry, the version) the step finds; false when none.
    bool FindHome(const SSearchStep& step, SRuntimeChoice& choice);
    bool FindBesideExecutable(std::wstring& home);
    bool SearchRegistry(ERegistryView view, SRuntimeChoice& choice);
    void CollectVendorKey(const SVendorKey& vendorKey, ERegistryView view,
                          std::vector<SJreCandidate>& candidates);
    bool ReadRegistryJre(const SVendorKey& vendorKey, const std::wstring& name, ERegistryView view,
                         SJreCandidate& candidate);
    // Runtimes of Java 9 and later, and JAVA_HOME ("Modern Runtimes").
    bool SearchModernRuntimes(ERegistryView view, SRuntimeChoice& choice);
    void AddModernCandidate(const std::wstring& source, const std::wstring& name,
                            const std::wstring& folder, std::vector<SJreCandidate>& candidates);
    // Whether the choice stands: false for a library of another processor, which the search
    // passes over. Decides whether the pair product loads it.
    bool DecidePairProduct(const SSearchStep& step, SRuntimeChoice& choice);
    // Tests the library's processor for the pair product; true unless neither can load it.
    bool TestLibraryForPairProduct(SRuntimeChoice& choice);
    // Tests a 64-bit library's processor against this launcher's; false when nobody here can
    // load it. An ARM64 library on an ARM64 machine goes to the ARM64 launcher when there is one.
    bool TestLibraryProcessor(SRuntimeChoice& choice);
    // "Pair Product ARM64", else <name>-arm64.exe beside the executable when it is there.
    std::wstring Arm64Launcher() const;

    const SLaunchSettings& m_settings;
    std::wstring m_modulePath;
    const CMachineView& m_machine;
    unsigned short m_launcherMachine;
    CExplanation& m_explanation;
};

// How the trace names a registry view.
const wchar_t* RegistryViewName(ERegistryView view);

#endif
