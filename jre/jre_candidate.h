// A runtime that the registry search found and that passed every test, and the order in which
// the search prefers such runtimes.
#ifndef JVMHOST_JRE_CANDIDATE_H
#define JVMHOST_JRE_CANDIDATE_H

#include "base/argument_list.h"
#include "base/java_version.h"
#include "config/launch_settings.h"

#include <string>
#include <vector>

struct SJreCandidate
{
    CJavaVersion m_version;
    std::wstring m_home;
    bool m_bServerVm = false;
    bool m_bFavored = false;
};

// Not below "Minimum Version" and, when one was given, not above "Maximum Version".
bool IsInVersionWindow(const CJavaVersion& version, const SLaunchSettings& settings);

// Favoured ones first (when both kinds are searched), then server VMs (with "favor_server"),
// then the higher version; candidates equal in all three keep their order.
void SortCandidates(std::vector<SJreCandidate>& candidates, const SLaunchSettings& settings);

// The first of the sorted candidates that the first matching text of "Preferred versions"
// matches; the first candidate when none does. candidates is not empty.
const SJreCandidate& ChooseCandidate(const std::vector<SJreCandidate>& candidates,
                                     const CArgumentList& preferredVersions);

#endif
