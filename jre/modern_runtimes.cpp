// Runtimes of Java 9 and later, which today's installers register under keys of their own,
// and the one JAVA_HOME names: searched, with "Modern Runtimes", when the classic search has
// found nothing.
#include "config/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "jre/registry_view.h"
#include "launcher/launch_trace.h"
#include "launcher/launcher.h"
#include "launcher/unique_handle.h"

#include <algorithm>
#include <cstdio>

namespace
{
// A key under HKEY_LOCAL_MACHINE with one subkey per installed runtime; the runtime's folder
// is the value named valueName of the subkey's subPath.
struct SModernKey
{
    const wchar_t* path;
    const wchar_t* subPath;
    const wchar_t* valueName;
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
};

// JAVA_VERSION of the runtime's "release" file (JAVA_VERSION="17.0.2"); false without one.
bool ReadReleaseVersion(const std::wstring& home, CJavaVersion& version)
{
    FILE* pFile = _wfopen((home + L"release").c_str(), L"rb");
    if (pFile == nullptr)
        return false;
    char line[512];
    bool found = false;
    while (!found && fgets(line, sizeof(line), pFile) != nullptr)
    {
        const std::string text = line;
        if (text.compare(0, 13, "JAVA_VERSION=") == 0)
            found = version.Parse(std::wstring(text.begin() + 13, text.end()), kVersionFillLow);
    }
    fclose(pFile);
    return found;
}
} // namespace

bool CLauncher::SearchModernRuntimes(int pass, std::wstring& home)
{
    if (pass == 1 && m_pairProduct.empty())
        return false;
    std::vector<CJreCandidate> candidates;
    const wchar_t* pView = pass == 1 ? L"32-bit view" : L"native view";
    if (pass == 0)
    {
        wchar_t javaHome[MAX_PATH] = L"";
        const DWORD length = GetEnvironmentVariableW(L"JAVA_HOME", javaHome, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            AddModernCandidate(L"JAVA_HOME", L"", javaHome, candidates);
    }
    for (const SModernKey& key : kModernKeys)
    {
        CUniqueRegistryKey hKey;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.path, 0, AccessForPass(pass), hKey.Receive()) !=
            ERROR_SUCCESS)
            continue;
        const std::vector<std::wstring> names = SubkeyNames(hKey.Get());
        hKey.Reset();
        for (const std::wstring& name : names)
        {
            const std::wstring keyPath = key.path + (L"\\" + name) + key.subPath;
            // A runtime of one kind of VM has no key for the other.
            std::wstring folder;
            if (ReadRegistryString(keyPath, key.valueName, pass, folder))
                AddModernCandidate(L"registry " + std::wstring(pView) + L" HKLM\\" + keyPath, name,
                                   folder, candidates);
        }
    }
    if (candidates.empty())
        return false;
    // The highest version first; "Preferred versions" decide before that.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const CJreCandidate& a, const CJreCandidate& b)
                     { return a.version.IsGreater(b.version); });
    ChooseCandidate(candidates, home, m_foundJreVersion);
    TraceLine(L"modern runtime chosen: " + home + L" (version " + m_foundJreVersion.Format() +
              L")");
    if (pass == 1)
        m_runPairProduct = true;
    return true;
}

void CLauncher::AddModernCandidate(const std::wstring& source, const std::wstring& name,
                                   const std::wstring& folder,
                                   std::vector<CJreCandidate>& candidates)
{
    if (folder.empty())
    {
        TraceLine(source + L": no runtime folder named");
        return;
    }
    CJreCandidate candidate;
    candidate.home = WithTrailingBackslash(folder);
    // The subkey's name is the version where it is one (17.0.2.8); otherwise, as for Zulu's
    // names and JAVA_HOME, the runtime's release file tells.
    if (!candidate.version.Parse(name, kVersionFillLow))
        ReadReleaseVersion(candidate.home, candidate.version);
    const std::wstring found =
        !IsTracing() ? std::wstring()
                     : source + L": " + candidate.home + L", version " + candidate.version.Format();
    if (!IsInVersionWindow(candidate.version))
    {
        TraceLine(found + L": outside the version window");
        return;
    }
    candidate.isServerVm = false;
    if (ResolveJvmLibrary(candidate.home, m_jvmType, candidate.isServerVm).empty())
    {
        TraceLine(found + L": no JVM of the configured type");
        return;
    }
    candidate.isFavored = false;
    TraceLine(found + L": accepted");
    candidates.push_back(candidate);
}
