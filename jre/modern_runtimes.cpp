// Runtimes of Java 9 and later, which today's installers register under keys of their own,
// and the one JAVA_HOME names: searched, with "Modern Runtimes", when the classic search has
// found nothing.
#include "base/path_pieces.h"
#include "jre/jvm_resolution.h"
#include "jre/registry_view.h"
#include "report/launch_trace.h"
#include "jre/runtime_search.h"
#include "base/unique_handle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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
    {L"Software\\BellSoft\\Liberica", L"", L"InstallationPath"},
};

// A release file is a few hundred bytes; what lies beyond this is not read.
const size_t kMaxReleaseFileBytes = 65536;

// JAVA_VERSION of the runtime's "release" file (JAVA_VERSION="17.0.2"); false without one.
// Only whole lines count: a line cut off by the size limit is not one.
bool ReadReleaseVersion(const std::wstring& home, CJavaVersion& version)
{
    FILE* pFile = _wfopen((home + L"release").c_str(), L"rb");
    if (pFile == nullptr)
        return false;
    std::string buffer(kMaxReleaseFileBytes, '\0');
    const size_t size = fread(&buffer[0], 1, buffer.size(), pFile);
    fclose(pFile);
    const char* pText = buffer.data();
    for (size_t start = 0; start < size;)
    {
        size_t end = start;
        while (end < size && pText[end] != '\n')
            ++end;
        if (end == size && size == kMaxReleaseFileBytes)
            return false;
        if (end - start >= 13 && memcmp(pText + start, "JAVA_VERSION=", 13) == 0)
            return version.Parse(std::wstring(pText + start + 13, pText + end), kVersionFillLow);
        start = end + 1;
    }
    return false;
}

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

bool CRuntimeSearch::SearchModernRuntimes(int pass, std::wstring& home)
{
    if (pass == 1 && m_settings.m_pairProduct.empty())
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
    // Installs for all users, then (in the native pass: HKEY_CURRENT_USER\Software has one
    // view only) those for the current user, which the same installers can make.
    for (const HKEY hRoot : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    {
        if (hRoot == HKEY_CURRENT_USER && pass == 1)
            break;
        const wchar_t* pRootName = hRoot == HKEY_CURRENT_USER ? L" HKCU\\" : L" HKLM\\";
        for (const SModernKey& key : kModernKeys)
        {
            CUniqueRegistryKey hKey;
            if (RegOpenKeyExW(hRoot, key.path, 0, AccessForPass(pass), hKey.Receive()) !=
                ERROR_SUCCESS)
            {
                if (IsTracing())
                    TraceLine(L"registry " + std::wstring(pView) + pRootName + key.path +
                              L": none");
                continue;
            }
            const std::vector<std::wstring> names = SubkeyNames(hKey.Get());
            hKey.Reset();
            for (const std::wstring& name : names)
            {
                const std::wstring keyPath = key.path + (L"\\" + name) + key.subPath;
                // A runtime of one kind of VM has no key for the other.
                std::wstring folder;
                if (ReadRegistryString(keyPath, key.valueName, pass, folder, hRoot))
                    AddModernCandidate(L"registry " + std::wstring(pView) + pRootName + keyPath,
                                       name, folder, candidates);
            }
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

void CRuntimeSearch::AddModernCandidate(const std::wstring& source, const std::wstring& name,
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
    // The subkey's name is the version where it is wholly one (17.0.2.8); otherwise, as for
    // Zulu's names and JAVA_HOME, the runtime's release file tells.
    if (!IsVersionName(name) || !candidate.version.Parse(name, kVersionFillLow))
        ReadReleaseVersion(candidate.home, candidate.version);
    UseClassicNumbering(candidate.version);
    const std::wstring found =
        !IsTracing() ? std::wstring()
                     : source + L": " + candidate.home + L", version " + candidate.version.Format();
    if (!IsInVersionWindow(candidate.version))
    {
        TraceLine(found + L": outside the version window");
        return;
    }
    candidate.isServerVm = false;
    if (ResolveJvmLibrary(candidate.home, m_settings.m_jvmType, candidate.isServerVm).empty())
    {
        // A JDK 8 keeps its VM in its jre folder.
        const std::wstring jreHome = candidate.home + L"jre\\";
        if (ResolveJvmLibrary(jreHome, m_settings.m_jvmType, candidate.isServerVm).empty())
        {
            TraceLine(found + L": no JVM of the configured type");
            return;
        }
        candidate.home = jreHome;
    }
    candidate.isFavored = false;
    TraceLine(found + L": accepted");
    candidates.push_back(candidate);
}
