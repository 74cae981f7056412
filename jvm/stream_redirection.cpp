// Sending the Java program's standard output and error streams into files.
#include "jvm/stream_redirection.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"
#include "jre/jvm_resolution.h"
#include "launcher/launcher.h"

std::vector<std::wstring> SplitPathComponents(const std::wstring& path)
{
    static const wchar_t kLongPrefix[] = L"\\\\?\\";
    std::wstring prefix;
    std::wstring rest = path;
    if (rest.compare(0, 4, kLongPrefix) == 0)
    {
        prefix = kLongPrefix;
        rest = rest.substr(4);
    }
    const bool isServer =
        rest.size() >= 3 && rest[0] == L'\\' && rest[1] == L'\\' && rest[2] != L'?';
    const size_t slash = rest.find(L'\\', isServer ? 2 : 0);
    std::vector<std::wstring> components;
    const std::wstring root = prefix + (slash == std::wstring::npos ? rest : rest.substr(0, slash));
    if (!root.empty())
        components.push_back(root);
    if (slash != std::wstring::npos)
    {
        CArgumentList parts;
        SplitString(rest.substr(slash + 1), L"\\", parts);
        for (size_t i = 0; i < parts.Count(); ++i)
            components.push_back(parts.At(i));
    }
    return components;
}

unsigned long EnsureParentFolders(const std::wstring& path)
{
    const bool isAbsolute =
        !path.empty() && (path[0] == L'\\' || path.find(L':') != std::wstring::npos);
    if (isAbsolute && FileExists(path))
        return 0;
    const std::vector<std::wstring> components = SplitPathComponents(path);
    // A path with a drive or a server starts with that root, which is not made. A path from
    // the current folder (logs\out.txt) or from the current drive's root (\logs\out.txt)
    // starts with its first folder.
    const bool hasRoot = path.find(L':') != std::wstring::npos || path.compare(0, 2, L"\\\\") == 0;
    const size_t firstFolder = hasRoot ? 1 : 0;
    std::wstring folder = hasRoot ? components[0] : std::wstring();
    for (size_t i = firstFolder; i + 1 < components.size(); ++i)
    {
        const bool isFirst = i == 0 && path[0] != L'\\';
        folder += (isFirst ? L"" : L"\\") + components[i];
        if (!CreateDirectoryW(folder.c_str(), nullptr))
        {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS)
                return error;
        }
    }
    return 0;
}

static bool RedirectStream(const std::wstring& path, const char* pSetterName, JNIEnv* pEnv,
                           const char* pSecondSetterName = nullptr)
{
    EnsureParentFolders(path);
    return RedirectJavaStream(ToJavaText(path), pSetterName, pEnv, pSecondSetterName);
}

// Whether both settings name one file: the same text, ignoring case.
static bool IsSameFile(const std::wstring& first, const std::wstring& second)
{
    return !first.empty() &&
           CompareStringOrdinal(first.c_str(), -1, second.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool CLauncher::RedirectOutputStream()
{
    // Two streams opened on one file would each write from its start: one file for both is
    // written through one stream, in the order written.
    if (IsSameFile(m_outputFile, m_errorFile))
        return RedirectStream(m_outputFile, "setOut", m_pJniEnv, "setErr");
    return RedirectStream(m_outputFile, "setOut", m_pJniEnv);
}

bool CLauncher::RedirectErrorStream()
{
    if (IsSameFile(m_outputFile, m_errorFile))
        return true;
    return RedirectStream(m_errorFile, "setErr", m_pJniEnv);
}
