// The search among runtimes that installers registered under HKEY_LOCAL_MACHINE.
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "jre/registry_view.h"
#include "report/launch_trace.h"
#include "jre/runtime_search.h"
#include "base/unique_handle.h"

#include <algorithm>

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

bool CRuntimeSearch::SearchRegistry(int pass, std::wstring& home)
{
    if (pass == 1 && m_settings.m_pairProduct.empty())
        return false;
    std::vector<CJreCandidate> candidates;
    for (const SVendorKey& vendorKey : kVendorKeys)
    {
        const bool kindSearched = SearchesBothKinds(m_settings.m_jvmSource) ||
                                  PrefersKind(m_settings.m_jvmSource, vendorKey.isJdk);
        const bool vendorSearched = IsVendorSearched(m_settings.m_vmProvider, vendorKey.vendor);
        if (kindSearched && vendorSearched)
            CollectVendorKey(vendorKey, pass, candidates);
    }
    if (candidates.empty())
        return false;
    SortCandidates(candidates);
    ChooseCandidate(candidates, home, m_foundJreVersion);
    if (pass == 1)
        m_runPairProduct = true;
    return true;
}

void CRuntimeSearch::CollectVendorKey(const SVendorKey& vendorKey, int pass,
                                      std::vector<CJreCandidate>& candidates)
{
    CUniqueRegistryKey hVendorKey;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, vendorKey.path, 0, AccessForPass(pass),
                      hVendorKey.Receive()) != ERROR_SUCCESS)
    {
        if (IsTracing())
            TraceLine(std::wstring(L"registry ") + (pass == 1 ? L"32-bit view" : L"native view") +
                      L" HKLM\\" + vendorKey.path + L": none");
        return;
    }
    const std::vector<std::wstring> names = SubkeyNames(hVendorKey.Get());
    hVendorKey.Reset();

    const bool favoredVendor = IsVendorFavored(m_settings.m_vmProvider, vendorKey.vendor);
    for (const std::wstring& name : names)
    {
        CJreCandidate candidate;
        candidate.version.Parse(name, kVersionFillLow);
        // Only a trace reads it: an ordinary start puts nothing together.
        const std::wstring found =
            !IsTracing() ? std::wstring()
                         : std::wstring(L"registry ") +
                               (pass == 1 ? L"32-bit view" : L"native view") + L" HKLM\\" +
                               vendorKey.path + name + L", version " + candidate.version.Format();
        if (!IsInVersionWindow(candidate.version))
        {
            TraceLine(found + L": outside the version window");
            continue;
        }
        candidate.isServerVm = false;
        if (!ReadRegistryJre(vendorKey, name, pass, candidate.home, candidate.isServerVm))
        {
            TraceLine(found + L": no JavaHome, or no JVM of the configured type there");
            continue;
        }
        candidate.isFavored = PrefersKind(m_settings.m_jvmSource, vendorKey.isJdk) && favoredVendor;
        TraceLine(found + L": accepted, " + candidate.home);
        candidates.push_back(candidate);
    }
}

bool CRuntimeSearch::IsInVersionWindow(const CJavaVersion& version) const
{
    // A maximum that was never given bounds nothing: without it every registered runtime
    // would be out of reach while the user is told that any version will do.
    if (!m_settings.m_maxVersion.IsUnset() && version.IsGreater(m_settings.m_maxVersion))
        return false;
    return !version.IsLess(m_settings.m_minVersion);
}

bool CRuntimeSearch::ReadRegistryJre(const SVendorKey& vendorKey, const std::wstring& name,
                                     int pass, std::wstring& home, bool& isServerVm)
{
    std::wstring javaHome;
    ReadRegistryString(std::wstring(vendorKey.path) + name, L"JavaHome", pass, javaHome);
    if (javaHome.empty())
        return false;
    home = WithTrailingBackslash(javaHome);
    if (vendorKey.isJdk)
        home += L"jre\\";
    int jvmType = m_settings.m_jvmType;
    if (jvmType == JvmTypeFavorServer && std::wstring(vendorKey.path) == kJavaSoftJreKey)
        jvmType = JvmTypeDefault;
    bool isServer = false;
    if (ResolveJvmLibrary(home, jvmType, isServer).empty())
        return false;
    isServerVm = isServer;
    return true;
}

void CRuntimeSearch::SortCandidates(std::vector<CJreCandidate>& candidates) const
{
    const bool byFavor = SearchesBothKinds(m_settings.m_jvmSource);
    const bool byServer = m_settings.m_jvmType == JvmTypeFavorServer;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [byFavor, byServer](const CJreCandidate& a, const CJreCandidate& b)
                     {
                         if (byFavor && a.isFavored != b.isFavored)
                             return a.isFavored;
                         if (byServer && a.isServerVm != b.isServerVm)
                             return a.isServerVm;
                         return a.version.IsGreater(b.version);
                     });
}

void CRuntimeSearch::ChooseCandidate(const std::vector<CJreCandidate>& candidates,
                                     std::wstring& home, CJavaVersion& version) const
{
    for (size_t i = 0; i < m_settings.m_preferredVersions.Count(); ++i)
    {
        CJavaVersion pattern;
        pattern.Parse(m_settings.m_preferredVersions.At(i), kVersionFillLow);
        for (const CJreCandidate& candidate : candidates)
        {
            if (candidate.version.Matches(pattern))
            {
                home = candidate.home;
                version = candidate.version;
                return;
            }
        }
    }
    home = candidates.front().home;
    version = candidates.front().version;
}
