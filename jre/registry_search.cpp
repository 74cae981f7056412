// The search among runtimes that installers registered under HKEY_LOCAL_MACHINE.
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "jre/runtime_search.h"

// A key under HKEY_LOCAL_MACHINE whose subkeys are registered runtimes, one per version.
struct SVendorKey
{
    const wchar_t* m_pPath;
    bool m_bJdk;
    EVendor m_vendor;
};

namespace
{
const SVendorKey kVendorKeys[] = {
    {L"Software\\JavaSoft\\Java Development Kit\\", true, VendorSun},
    {L"Software\\JavaSoft\\Java Runtime Environment\\", false, VendorSun},
    {L"Software\\JRockit\\Java Runtime Environment\\", false, VendorJRockit},
    {L"Software\\JRockit\\Java Development Kit\\", true, VendorJRockit},
    {L"Software\\IBM\\Java2 Runtime Environment\\", false, VendorIbm},
};

const wchar_t kJavaSoftJreKey[] = L"Software\\JavaSoft\\Java Runtime Environment\\";
} // namespace

bool CRuntimeSearch::SearchRegistry(ERegistryView view, SRuntimeChoice& choice)
{
    std::vector<SJreCandidate> candidates;
    for (const SVendorKey& vendorKey : kVendorKeys)
    {
        const bool kindSearched = SearchesBothKinds(m_settings.m_jvmSource) ||
                                  PrefersKind(m_settings.m_jvmSource, vendorKey.m_bJdk);
        if (kindSearched && IsVendorSearched(m_settings.m_vmProvider, vendorKey.m_vendor))
            CollectVendorKey(vendorKey, view, candidates);
    }
    if (candidates.empty())
        return false;
    SortCandidates(candidates, m_settings);
    const SJreCandidate& chosen = ChooseCandidate(candidates, m_settings.m_preferredVersions);
    choice.m_home = chosen.m_home;
    choice.m_version = chosen.m_version;
    return true;
}

void CRuntimeSearch::CollectVendorKey(const SVendorKey& vendorKey, ERegistryView view,
                                      std::vector<SJreCandidate>& candidates)
{
    std::vector<std::wstring> names;
    if (!m_machine.ReadSubkeyNames(RegistryRootLocalMachine, view, vendorKey.m_pPath, names))
    {
        if (m_explanation.IsWanted())
            m_explanation.Add(std::wstring(L"registry ") + RegistryViewName(view) + L" HKLM\\" +
                              vendorKey.m_pPath + L": none");
        return;
    }
    const bool favoredVendor = IsVendorFavored(m_settings.m_vmProvider, vendorKey.m_vendor);
    for (const std::wstring& name : names)
    {
        SJreCandidate candidate;
        candidate.m_version.Parse(name, kVersionFillLow);
        const std::wstring found = !m_explanation.IsWanted()
                                       ? std::wstring()
                                       : std::wstring(L"registry ") + RegistryViewName(view) +
                                             L" HKLM\\" + vendorKey.m_pPath + name + L", version " +
                                             candidate.m_version.Format();
        if (!IsInVersionWindow(candidate.m_version, m_settings))
        {
            m_explanation.Add(found + L": outside the version window");
            continue;
        }
        if (!ReadRegistryJre(vendorKey, name, view, candidate))
        {
            m_explanation.Add(found + L": no JavaHome, or no JVM of the configured type there");
            continue;
        }
        candidate.m_bFavored =
            PrefersKind(m_settings.m_jvmSource, vendorKey.m_bJdk) && favoredVendor;
        m_explanation.Add(found + L": accepted, " + candidate.m_home);
        candidates.push_back(candidate);
    }
}

bool CRuntimeSearch::ReadRegistryJre(const SVendorKey& vendorKey, const std::wstring& name,
                                     ERegistryView view, SJreCandidate& candidate)
{
    std::wstring javaHome;
    m_machine.ReadRegistryString(RegistryRootLocalMachine, view, vendorKey.m_pPath + name,
                                 L"JavaHome", javaHome);
    if (javaHome.empty())
        return false;
    std::wstring home = WithTrailingBackslash(javaHome);
    if (vendorKey.m_bJdk)
        home += L"jre\\";
    // A JavaSoft JRE is taken with any VM even when "favor_server" prefers the server one.
    EJvmType jvmType = m_settings.m_jvmType;
    if (jvmType == JvmTypeFavorServer && std::wstring(vendorKey.m_pPath) == kJavaSoftJreKey)
        jvmType = JvmTypeDefault;
    const SJvmLibrary library = ResolveJvmLibrary(m_machine, home, jvmType);
    if (library.m_path.empty())
        return false;
    candidate.m_home = home;
    candidate.m_bServerVm = library.m_bServerVm;
    return true;
}
