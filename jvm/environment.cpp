// The process environment the Java program starts with, and the native library path.
#include "report/launch_trace.h"
#include "jvm/environment.h"
#include "base/path_pieces.h"
#include "base/narrow_text.h"
#include "report/reporter.h"
#include "jvm/java_vm.h"
#include "ui/resources/resource.h"

#include <vector>

// The value of an environment variable; false when it is not set.
static bool ReadEnvironmentVariable(const std::wstring& name, std::wstring& value)
{
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0)
        return false;
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), buffer.data(), size);
    if (length >= size)
        return false;
    value.assign(buffer.data(), length);
    return true;
}

void ExpandEnvironmentReferences(std::wstring& text)
{
    // Reference by reference rather than through ExpandEnvironmentStringsW, which cuts its
    // result at 32,767 characters: a class path of many jars is longer than that.
    std::wstring result;
    size_t position = 0;
    for (;;)
    {
        const size_t open = text.find(L'%', position);
        const size_t close = open == std::wstring::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring::npos)
            break;
        result.append(text, position, open - position);
        std::wstring value;
        const std::wstring name = text.substr(open + 1, close - open - 1);
        if (!name.empty() && ReadEnvironmentVariable(name, value))
        {
            result += value;
            position = close + 1;
        }
        else
        {
            // Not a reference: the first percent sign stays, the second may open one.
            result.append(text, open, close - open);
            position = close;
        }
    }
    result.append(text, position, std::wstring::npos);
    text = result;
}

static void AppendWithSeparator(std::wstring& list, const std::wstring& part)
{
    list += part;
    if (list.empty() || list[list.size() - 1] != L';')
        list += L';';
}

bool CJavaVm::PrepareEnvironment(const std::wstring& jvmLibraryPath)
{
    const CTraceStep step(L"environment");
    m_jvmLibraryPath = jvmLibraryPath;
    const std::wstring& library = m_jvmLibraryPath;
    const std::wstring binFolder = StripLastComponent(StripLastComponent(library));
    const std::wstring home = StripLastComponent(binFolder);
    SetEnvironmentVariableW(L"QV_JVM_PATH", library.c_str());
    SetEnvironmentVariableW(L"QV_JVM_HOME", home.c_str());
    TraceLine(L"environment QV_JVM_PATH = " + library + L", QV_JVM_HOME = " + home);

    if (!m_settings.m_libraryPath.empty())
    {
        const std::wstring moduleFolder = FolderWithBackslash(m_modulePath);
        const std::wstring libFolder = FolderWithBackslash(binFolder) + L"lib";
        std::wstring libraryPath = m_settings.m_libraryPath;
        AppendWithSeparator(libraryPath, L"");
        libraryPath += moduleFolder + L";.;%Path%;" + libFolder;
        ExpandEnvironmentReferences(libraryPath);
        // A folder the ANSI code page cannot spell reaches the VM in its short form.
        m_vmOptions.Append("-Djava.library.path=" + NarrowForVm(AnsiSafePathList(libraryPath)));
    }

    std::wstring searchPath;
    if (!m_settings.m_systemPath.empty())
        AppendWithSeparator(searchPath, m_settings.m_systemPath);
    searchPath += L"%Path%;" + binFolder;
    ExpandEnvironmentReferences(searchPath);
    // An environment variable holds at most 32,767 characters. A longer search path cannot be
    // set, and a cut one would lose the runtime's bin folder at its end.
    const DWORD kMaxVariableLength = 32767;
    if (searchPath.size() >= kMaxVariableLength)
    {
        m_reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, L"Path", ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    SetEnvironmentVariableW(L"Path", searchPath.c_str());
    TraceLine(L"environment Path = " + searchPath);
    return true;
}
