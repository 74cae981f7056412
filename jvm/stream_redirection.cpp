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
    if (components.size() < 3)
        return 0;
    std::wstring folder = components[0];
    for (size_t i = 1; i + 1 < components.size(); ++i)
    {
        folder += L"\\" + components[i];
        if (!CreateDirectoryW(folder.c_str(), nullptr))
        {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS)
                return error;
        }
    }
    return 0;
}

static bool RedirectStream(const std::wstring& path, const char* pSetterName, JNIEnv* pEnv)
{
    EnsureParentFolders(path);
    return RedirectJavaStream(ToJavaText(path), pSetterName, pEnv);
}

bool CLauncher::RedirectOutputStream()
{
    return RedirectStream(m_outputFile, "setOut", m_pJniEnv);
}

bool CLauncher::RedirectErrorStream()
{
    return RedirectStream(m_errorFile, "setErr", m_pJniEnv);
}
