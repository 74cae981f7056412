// Runtimes of Java 9 and later, which today's installers register under keys of their own,
// and the one JAVA_HOME names: searched, with "Modern Runtimes", when the classic search has
// found nothing.
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "jre/runtime_search.h"

#include <windows.h>


namespace
{
// A key under HKEY_LOCAL_MACHINE with one subkey per installed runtime; the runtime's folder
// is the value named m_pValueName of the subkey's m_pSubPath.
struct SModernKey
{
    const wchar_t* m_pPath;
    const wchar_t* m_pSubPath;
    const wchar_t* m_pValueName;
};

const SModernKey kModernKeys[] = {
    {L"Software\\JavaSoft\\JDK", L"", L"JavaHome"},
    {L"Software\\JavaSoft\\JRE", L"", L"JavaHome"},
    // Eclipse Adoptium, and the names its builds had before.
    {L"Software\\Eclipse Adoptium\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Adoptium\\JDK", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Eclipse Adoptium\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Adoptium\\JRE", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Eclipse Foundation\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Foundation\\JDK", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Eclipse Foundation\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\Eclipse Foundation\\JRE", L"\\openj9\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JDK", L"\\openj9\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JRE", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\AdoptOpenJDK\\JRE", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Semeru\\JDK", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Semeru\\JRE", L"\\openj9\\MSI", L"Path"},
    {L"Software\\Microsoft\\JDK", L"\\hotspot\\MSI", L"Path"},
    {L"Software\\Azul Systems\\Zulu", L"", L"InstallationPath"},
    {L"Software\\BellSoft\\Liberica", L"", L"InstallationPath"},
};

// Whether a key's name is wholly a version (17.0.2.8, 1.8.0_392) rather than a name that holds
// one (zulu-17).
bool IsVersionName(const std::wstring& name)
{
    return !name.empty() && name.find_first_not_of(L"0123456789._") == std::wstring::npos;
}

// Today's installers number Java 8 and older as 8.0.392.8; the version window and the
// preferred versions number them as 1.8.0_392.
void UseClassicNumbering(CJavaVersion& version)
{
    const int* pParts = version.m_parts;
    if (version.m_count > 0 && pParts[0] >= 2 && pParts[0] <= 8)
        version.Set(1, pParts[0], pParts[1], pParts[2]);
}
} // namespace

bool CRuntimeSearch::SearchModernRuntimes(ERegistryView view, SRuntimeChoice& choice)
{
    std::vector<SJreCandidate> candidates;
    const std::wstring viewName = m_explanation.IsWanted() ? RegistryViewName(view) : L"";
    if (view == RegistryViewNative)
    {
        std::wstring javaHome;
        if (m_machine.ReadVariable(L"JAVA_HOME", javaHome) && !javaHome.empty() &&
            javaHome.size() < MAX_PATH)
            AddModernCandidate(L"JAVA_HOME", L"", javaHome, candidates);
    }
    // Installs for all users, then (in the native view: HKEY_CURRENT_USER\Software has one
    // view only) those for the current user, which the same installers can make.
    for (const ERegistryRoot root : {RegistryRootLocalMachine, RegistryRootCurrentUser})
    {
        if (root == RegistryRootCurrentUser && view == RegistryView32)
            break;
        const wchar_t* pRootName = root == RegistryRootCurrentUser ? L" HKCU\\" : L" HKLM\\";
        for (const SModernKey& key : kModernKeys)
        {
            std::vector<std::wstring> names;
            if (!m_machine.ReadSubkeyNames(root, view, key.m_pPath, names))
            {
                if (m_explanation.IsWanted())
                    m_explanation.Add(L"registry " + viewName + pRootName + key.m_pPath +
                                      L": none");
                continue;
            }
            for (const std::wstring& name : names)
            {
                const std::wstring keyPath = key.m_pPath + (L"\\" + name) + key.m_pSubPath;
                // A runtime of one kind of VM has no key for the other.
                std::wstring folder;
                if (m_machine.ReadRegistryString(root, view, keyPath, key.m_pValueName, folder))
                    AddModernCandidate(L"registry " + viewName + pRootName + keyPath, name, folder,
                                       candidates);
            }
        }
    }
    if (candidates.empty())
        return false;
    // None is favoured or a server VM: the highest version first. "Preferred versions"
    // decide before that.
    SortCandidates(candidates, m_settings);
    const SJreCandidate& chosen = ChooseCandidate(candidates, m_settings.m_preferredVersions);
    choice.m_home = chosen.m_home;
    choice.m_version = chosen.m_version;
    m_explanation.Add(L"modern runtime chosen: " + chosen.m_home + L" (version " +
                      chosen.m_version.Format() + L")");
    return true;
}

void CRuntimeSearch::AddModernCandidate(const std::wstring& source, const std::wstring& name,
                                        const std::wstring& folder,
                                        std::vector<SJreCandidate>& candidates)
{
    if (folder.empty())
    {
        m_explanation.Add(source + L": no runtime folder named");
        return;
    }
    SJreCandidate candidate;
    candidate.m_home = WithTrailingBackslash(folder);
    // The subkey's name is the version where it is wholly one (17.0.2.8); otherwise, as for
    // Zulu's names and JAVA_HOME, the runtime's release file tells.
    if (!IsVersionName(name) || !candidate.m_version.Parse(name, kVersionFillLow))
        ReadReleaseVersion(m_machine, candidate.m_home, candidate.m_version);
    UseClassicNumbering(candidate.m_version);
    const std::wstring found =
        !m_explanation.IsWanted()
            ? std::wstring()
            : source + L": " + candidate.m_home + L", version " + candidate.m_version.Format();
    if (!IsInVersionWindow(candidate.m_version, m_settings))
    {
        m_explanation.Add(found + L": outside the version window");
        return;
    }
    if (ResolveJvmLibrary(m_machine, candidate.m_home, m_settings.m_jvmType).m_path.empty())
    {
        // A JDK 8 keeps its VM in its jre folder.
        const std::wstring jreHome = candidate.m_home + L"jre\\";
        if (ResolveJvmLibrary(m_machine, jreHome, m_settings.m_jvmType).m_path.empty())
        {
            m_explanation.Add(found + L": no JVM of the configured type");
            return;
        }
        candidate.m_home = jreHome;
    }
    m_explanation.Add(found + L": accepted");
    candidates.push_back(candidate);
}
