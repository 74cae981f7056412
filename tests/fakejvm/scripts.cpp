// The programs the stand-in VM plays, chosen by the main class's name:
//   scripted/Record       writes what it was started with to the record file (below) and one
//                         line to each standard stream
//   scripted/Throw        lets an IllegalStateException escape main
//   scripted/Exit<n>      calls System.exit(n)
//   scripted/Linger       leaves a non-daemon thread running for a while, which records its
//                         end; the VM's destruction waits for it
//   scripted/ExitLater    starts a daemon thread that calls System.exit(9) a second later
//   scripted/NoMain       has no main(String[]) (the lookup fails with NoSuchMethodError)
//   scripted/NoMainQuiet  has no main(String[]) and the lookup raises nothing
// The record file is "-Dfakejvm.record=" or else record.txt beside the executable; UTF-8,
// one "name: value" line each.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#endif
#include "fake_vm.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const char* const kScripts[] = {"Record", "Throw", "Exit", "Linger", "ExitLater", "NoMain", "NoMainQuiet"};

std::wstring RecordPath()
{
    const std::string configured = OptionValue("fakejvm.record");
    if (!configured.empty())
    {
        const std::u16string path = FromAnsi(configured);
        return std::wstring(path.begin(), path.end());
    }
    wchar_t exe[MAX_PATH * 4] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
    std::wstring path = exe;
    return path.substr(0, path.rfind(L'\\') + 1) + L"record.txt";
}

void AppendRecord(const std::string& line)
{
    FILE* pFile = _wfopen(RecordPath().c_str(), L"ab");
    if (pFile == nullptr)
        Fail("cannot write the record file");
    fputs((line + "\n").c_str(), pFile);
    fclose(pFile);
}

std::string Environment(const wchar_t* pName)
{
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(pName, value, 32768);
    if (length == 0 || length >= 32768)
        return "<unset>";
    std::wstring wide(value, length);
    return ToUtf8(std::u16string(wide.begin(), wide.end()));
}

// Reserved stack of the calling thread, in bytes.
unsigned long long StackSize()
{
    ULONG_PTR low = 0;
    ULONG_PTR high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    return high - low;
}

void RecordClassPath()
{
    const std::string classPath = OptionValue("java.class.path");
    size_t start = 0;
    while (start < classPath.size())
    {
        size_t end = classPath.find(';', start);
        if (end == std::string::npos)
            end = classPath.size();
        const std::string entry = classPath.substr(start, end - start);
        const bool exists = GetFileAttributesA(entry.c_str()) != INVALID_FILE_ATTRIBUTES;
        AppendRecord("classpath-entry: " + ToUtf8(FromAnsi(entry)) +
                     (exists ? " exists" : " missing"));
        start = end + 1;
    }
}

void Record(const std::vector<std::u16string>& arguments)
{
    for (const std::string& option : g_vm.options)
        AppendRecord("option: " + ToUtf8(FromAnsi(option)));
    RecordClassPath();
    for (const std::u16string& argument : arguments)
        AppendRecord("argument: " + ToUtf8(argument));
    AppendRecord("argument-count: " + std::to_string(arguments.size()));
    AppendRecord("env QV_JVM_PATH: " + Environment(L"QV_JVM_PATH"));
    AppendRecord("env QV_JVM_HOME: " + Environment(L"QV_JVM_HOME"));
    AppendRecord("env Path: " + Environment(L"Path"));
    AppendRecord("main-thread-stack: " + std::to_string(StackSize()));
    AppendRecord(std::string("main-on-creating-thread: ") +
                 (GetCurrentThreadId() == g_vm.dwCreatorThread ? "yes" : "no"));
    wchar_t directory[MAX_PATH * 4] = L"";
    GetCurrentDirectoryW(MAX_PATH * 4, directory);
    std::wstring current = directory;
    AppendRecord("current-directory: " + ToUtf8(std::u16string(current.begin(), current.end())));
    WriteStream(false, "record: standard output\r\n");
    WriteStream(true, "record: standard error\r\n");
}

DWORD WINAPI ExitLaterThread(void*)
{
    Sleep(1000);
    ExitProcess(9);
}

DWORD WINAPI LingerThread(void*)
{
    Sleep(1500);
    AppendRecord("linger: done");
    return 0;
}
} // namespace

bool IsScriptedClass(const std::string& name)
{
    if (name.compare(0, 9, "scripted/") != 0)
        return false;
    const std::string script = name.substr(9);
    for (const char* pScript : kScripts)
    {
        if (script == pScript)
            return true;
    }
    return script.compare(0, 4, "Exit") == 0 && script.size() > 4 &&
           script.find_first_not_of("0123456789", 4) == std::string::npos;
}

void RunScript(const std::string& name, const std::vector<std::u16string>& arguments)
{
    const std::string script = name.substr(9);
    if (script == "Record")
    {
        Record(arguments);
    }
    else if (script == "Throw")
    {
        SetPending("java.lang.IllegalStateException", u"scripted failure");
    }
    else if (script == "Linger")
    {
        AppendRecord("linger: started");
        g_vm.hLingerThread = CreateThread(nullptr, 0, LingerThread, nullptr, 0, nullptr);
    }
    else if (script == "ExitLater")
    {
        CloseHandle(CreateThread(nullptr, 0, ExitLaterThread, nullptr, 0, nullptr));
    }
    else if (script.compare(0, 4, "Exit") == 0)
    {
        ExitProcess(static_cast<UINT>(strtoul(script.c_str() + 4, nullptr, 10)));
    }
}
