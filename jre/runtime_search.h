// The search for the Java runtime a launch loads: "JRE Path", beside the executable, the
// registry, the modern runtimes, and at last the user through the JRE Not Found dialog.
#ifndef JVMHOST_RUNTIME_SEARCH_H
#define JVMHOST_RUNTIME_SEARCH_H

#include "base/java_version.h"
#include "config/launch_settings.h"
#include "jre/jre_candidate.h"

#include <string>
#include <vector>

// What the search chose.
struct SRuntimeChoice
{
    std::wstring m_jvmLibraryPath;
    // A 32-bit library: the companion executable runs the launch instead.
    bool m_runPairProduct = false;
};

// Who can load a JVM library: this launcher, its 32-bit companion, or neither (a library of
// another processor). Without a companion, or for a file that is no image, this launcher.
enum EPairChoice
{
    PairChoiceThisLauncher,
    PairChoiceCompanion,
    PairChoiceNeither,
};
EPairChoice ChoosePairProduct(const std::wstring& jvmLibraryPath, bool bHasCompanion);

class CRuntimeSearch
{
public:
    // modulePath: the executable's own path.
    CRuntimeSearch(const SLaunchSettings& settings, const std::wstring& modulePath);

    // False when no runtime was found and the user chose none.
    bool LocateJvm(SRuntimeChoice& choice);

    void SortCandidates(std::vector<CJreCandidate>& candidates) const;
    void ChooseCandidate(const std::vector<CJreCandidate>& candidates, std::wstring& home,
                         CJavaVersion& version) const;
    bool IsInVersionWindow(const CJavaVersion& version) const;

private:
    // Whether the companion takes the launch; false (and the library dropped) for a library
    // of another processor, so that the search goes on.
    bool CheckPairProduct();
    bool FindJvm();
    bool FindLocalJre(std::wstring& home);
    bool SearchRegistry(int pass, std::wstring& home);
    void CollectVendorKey(const SVendorKey& vendorKey, int pass,
                          std::vector<CJreCandidate>& candidates);
    bool ReadRegistryJre(const SVendorKey& vendorKey, const std::wstring& name, int pass,
                         std::wstring& home, bool& isServerVm);
    // Runtimes of Java 9 and later and JAVA_HOME ("Modern Runtimes"), in the registry view of
    // the pass as SearchRegistry does.
    bool SearchModernRuntimes(int pass, std::wstring& home);
    void AddModernCandidate(const std::wstring& source, const std::wstring& name,
                            const std::wstring& folder, std::vector<CJreCandidate>& candidates);
    bool AskForJre(const std::wstring& message);
    void TraceFind(const wchar_t* pSource, const std::wstring& home, const std::wstring& library);

    const SLaunchSettings& m_settings;
    std::wstring m_modulePath;
    // The library the search holds now, and whether the companion is to load it.
    std::wstring m_jvmLibraryPath;
    bool m_runPairProduct;
    CJavaVersion m_foundJreVersion;
};

#endif
