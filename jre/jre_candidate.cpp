// The order in which the registry search prefers the runtimes it found.
#include "jre/jre_candidate.h"

#include <algorithm>

bool IsInVersionWindow(const CJavaVersion& version, const SLaunchSettings& settings)
{
    // A maximum that was never given bounds nothing: without it every registered runtime
    // would be out of reach while the user is told that any version will do.
    if (!settings.m_maxVersion.IsUnset() && version.IsGreater(settings.m_maxVersion))
        return false;
    return !version.IsLess(settings.m_minVersion);
}

void SortCandidates(std::vector<SJreCandidate>& candidates, const SLaunchSettings& settings)
{
    const bool byFavor = SearchesBothKinds(settings.m_jvmSource);
    const bool byServer = settings.m_jvmType == JvmTypeFavorServer;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [byFavor, byServer](const SJreCandidate& a, const SJreCandidate& b)
                     {
                         if (byFavor && a.m_bFavored != b.m_bFavored)
                             return a.m_bFavored;
                         if (byServer && a.m_bServerVm != b.m_bServerVm)
                             return a.m_bServerVm;
                         return a.m_version.IsGreater(b.m_version);
                     });
}

const SJreCandidate& ChooseCandidate(const std::vector<SJreCandidate>& candidates,
                                     const CArgumentList& preferredVersions)
{
    for (size_t i = 0; i < preferredVersions.Count(); ++i)
    {
        CJavaVersion pattern;
        pattern.Parse(preferredVersions.At(i), kVersionFillLow);
        for (const SJreCandidate& candidate : candidates)
        {
            if (candidate.m_version.Matches(pattern))
                return candidate;
        }
    }
    return candidates.front();
}
