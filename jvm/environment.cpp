// The process environment the Java program starts with, and the native library path.
#include "jvm/environment.h"
#include "jvm/narrow_text.h"
#include "launcher/launcher.h"

#include <vector>

void ExpandEnvironmentReferences(std::wstring& text)
{
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0)
        return;
    std::vector<wchar_t> buffer(size + 1, L'\0');
    if (ExpandEnvironmentStringsW(text.c_str(), buffer.data(), size + 1) == 0)
        return;
    text = buffer.data();
}

// The text before its last backslash; a text without backslash stays as it is.
static std::wstring StripLastComponent(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash);
}

static void AppendWithSeparator(std::wstring& list, const std::wstring& part)
{
    list += part;
    if (list.empty() || list[list.size() - 1] != L';')
        list += L';';
}

void CLauncher::PrepareEnvironment()
{
    const std::wstring& library = m_jvmLibraryPath;
    const std::wstring binFolder = StripLastComponent(StripLastComponent(library));
    const std::wstring home = StripLastComponent(binFolder);
    SetEnvironmentVariableW(L"QV_JVM_PATH", library.c_str());
    SetEnvironmentVariableW(L"QV_JVM_HOME", home.c_str());

    if (!m_libraryPath.empty())
    {
        std::wstring moduleFolder;
        GetModuleFolder(moduleFolder);
        const size_t slash = binFolder.rfind(L'\\');
        const std::wstring libFolder =
            (slash == std::wstring::npos ? std::wstring() : binFolder.substr(0, slash + 1)) +
            L"lib";
        AppendWithSeparator(m_libraryPath, L"");
        m_libraryPath += moduleFolder + L";.;%Path%;" + libFolder;
        ExpandEnvironmentReferences(m_libraryPath);
        // A folder the ANSI code page cannot spell reaches the VM in its short form.
        m_vmOptions.Append("-Djava.library.path=" + NarrowForVm(AnsiSafePathList(m_libraryPath)));
    }

    std::wstring searchPath;
    if (!m_systemPath.empty())
        AppendWithSeparator(searchPath, m_systemPath);
    searchPath += L"%Path%;" + binFolder;
    ExpandEnvironmentReferences(searchPath);
    SetEnvironmentVariableW(L"Path", searchPath.c_str());
}
