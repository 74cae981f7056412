// The programs the stand-in VM plays, chosen by the main class's name:
//   scripted/Record       writes what it was started with to the record file (below) and one
//                         line to each standard stream; with -Dfakejvm.exitonce=N it then
//                         calls System.exit(N) unless a file "exited-once" beside the
//                         executable exists, which it makes
//   scripted/Throw        lets an IllegalStateException escape main
//   scripted/Exit<n>      calls System.exit(n)
//   scripted/Linger       leaves a non-daemon thread running for a while, which records its
//                         end; the VM's destruction waits for it
//   scripted/ExitLater    starts a daemon thread that calls System.exit(9) a second later
//   scripted/NoMain       has no main(String[]) (the lookup fails with NoSuchMethodError)
//   scripted/NoMainQuiet  has no main(String[]) and the lookup raises nothing
//   scripted/ThrowWide    main throws an IllegalArgumentException with a Cyrillic and Japanese
//                         message and a cause
//   scripted/Serve        main records "main-entered", then waits until a file named "stop"
//                         exists beside the executable (polled every 20 ms; after 60 s it
//                         records "main-gave-up" and goes on), then calls System.exit(N) when
//                         -Dfakejvm.exit=N is given, else returns. It has the void
//                         secondaryMain(String[]), which records
//                           "secondary: " + its arguments as UTF-8, joined with "|"
//                           "secondary-count: " + the number of arguments
//                         as two adjacent lines, then with -Dfakejvm.secondarydelay=MS sleeps
//                         that long and records "secondary-finished"
//   scripted/ServeInt     like Serve, with int secondaryMain(String[]) instead, which returns
//                         its first argument as a decimal int (0 when absent or not a number)
//   scripted/ServeThrow   like ServeInt, but secondaryMain then throws an
//                         IllegalStateException("secondaryMain failed") (the value is 0)
//   scripted/ServeNone    like Serve, without any secondaryMain
//                         With -Dfakejvm.corruptrecord=1, main first plays another process
//                         of the same user: it sets the shared record's listener thread to
//                         one that does not exist, and records "record-corrupted". With
//                         -Dfakejvm.holdlock=1 it takes the later starts' argument lock and
//                         keeps it, and records "lock-held".
// The other scripts have no secondaryMain. With -Dfakejvm.createdelay=MS, JNI_CreateJavaVM
// records "vm-creating", sleeps that long and records "vm-created", so that a later start
// can arrive before main is entered. With -Dfakejvm.watchsplash=1, DetachCurrentThread records
// whether the launcher's splash window still exists ("splash-window-at-detach: shown|none").
// The record file is "-Dfakejvm.record=" or else record.txt beside the executable; UTF-8,
// one "name: value" line each, each written whole even with many threads at once.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0602
#endif
#include "fake_vm.h"

#include <cstdio>
#include <cstdlib>

namespace
{
const char* const kScripts[] = {"Record", "Throw",     "ThrowWide",  "Exit",
                                "Linger", "ExitLater", "NoMain",     "NoMainQuiet",
                                "Serve",  "ServeInt",  "ServeThrow", "ServeNone"};

// How often and how long a Serve script's main looks for the stop file.
const DWORD kStopPollMs = 20;
const ULONGLONG kStopWaitMs = 60000;

// The executable's folder, with a trailing backslash.
std::wstring ExeDirectory()
{
    wchar_t exe[MAX_PATH * 4] = L"";
    GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
    const std::wstring path = exe;
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring RecordPath()
{
    const std::string configured = OptionValue("fakejvm.record");
    if (!configured.empty())
    {
        const std::u16string path = FromAnsi(configured);
        return std::wstring(path.begin(), path.end());
    }
    return ExeDirectory() + L"record.txt";
}

// Appends the lines as one block: other threads' lines never come between them.
void AppendRecord(const std::string& lines)
{
    CVmLock lock;
    FILE* pFile = _wfopen(RecordPath().c_str(), L"ab");
    if (pFile == nullptr)
        Fail("cannot write the record file");
    fputs((lines + "\n").c_str(), pFile);
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
    const std::string exitOnce = OptionValue("fakejvm.exitonce");
    const std::wstring marker = ExeDirectory() + L"exited-once";
    if (!exitOnce.empty() && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        CloseHandle(CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        JavaExit(static_cast<jint>(strtol(exitOnce.c_str(), nullptr, 10)));
    }
}

bool IsServeScript(const std::string& script)
{
    return script == "Serve" || script == "ServeInt" || script == "ServeThrow" ||
           script == "ServeNone";
}

// The single-instance objects' name, as the launcher makes it for this executable.
std::wstring InstanceObjectName()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = std::wstring(L"Local\\") + path;
    for (size_t i = 6; i < name.size(); ++i)
        name[i] = name[i] == L'\\' ? L'_' : name[i];
    return name;
}

void CorruptInstanceRecord()
{
    HANDLE hMapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, InstanceObjectName().c_str());
    void* pView = hMapping != nullptr ? MapViewOfFile(hMapping, FILE_MAP_WRITE, 0, 0, 0) : nullptr;
    if (pView != nullptr)
    {
        // The record's first field: the listener's thread id.
        *static_cast<volatile DWORD*>(pView) = 0x7FFFFFF0;
        UnmapViewOfFile(pView);
        AppendRecord("record-corrupted");
    }
    if (hMapping != nullptr)
        CloseHandle(hMapping);
}

// Takes the later starts' argument lock and keeps it while main runs.
void HoldArgumentLock()
{
    HANDLE hLock = OpenMutexW(SYNCHRONIZE, FALSE, (InstanceObjectName() + L"_upr_lock").c_str());
    if (hLock != nullptr && WaitForSingleObject(hLock, 0) == WAIT_OBJECT_0)
        AppendRecord("lock-held");
}

// The main of the Serve scripts: stays inside main until the test lets it go, so that later
// starts are served while main runs.
void Serve()
{
    if (!OptionValue("fakejvm.corruptrecord").empty())
        CorruptInstanceRecord();
    if (!OptionValue("fakejvm.holdlock").empty())
        HoldArgumentLock();
    AppendRecord("main-entered");
    const std::wstring stopPath = ExeDirectory() + L"stop";
    const ULONGLONG start = GetTickCount64();
    while (GetFileAttributesW(stopPath.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        if (GetTickCount64() - start > kStopWaitMs)
        {
            AppendRecord("main-gave-up");
            break;
        }
        Sleep(kStopPollMs);
    }
    const std::string exitCode = OptionValue("fakejvm.exit");
    if (!exitCode.empty())
        JavaExit(static_cast<jint>(strtol(exitCode.c_str(), nullptr, 10)));
}

// The text as a decimal int, as Integer.parseInt reads it; 0 when it is none.
jint ParseInt(const std::u16string& text)
{
    size_t i = (!text.empty() && (text[0] == u'-' || text[0] == u'+')) ? 1 : 0;
    if (i == text.size())
        return 0;
    long long value = 0;
    for (; i < text.size(); ++i)
    {
        if (text[i] < u'0' || text[i] > u'9')
            return 0;
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL)
            return 0;
    }
    if (text[0] == u'-')
        value = -value;
    return value >= -2147483648LL && value <= 2147483647LL ? static_cast<jint>(value) : 0;
}

DWORD WINAPI ExitLaterThread(void*)
{
    Sleep(1000);
    JavaExit(9);
}

DWORD WINAPI LingerThread(void*)
{
    Sleep(1500);
    AppendRecord("linger: done");
    return 0;
}
} // namespace

void RecordLine(const std::string& line)
{
    AppendRecord(line);
}

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
        SetPending(
            "java.lang.IllegalStateException", u"scripted failure",
            "\tat scripted.Throw.fail(Throw.java:9)\n\tat scripted.Throw.main(Throw.java:4)\n");
    }
    else if (script == "ThrowWide")
    {
        SetPending(
            "java.lang.IllegalArgumentException", u"\u0441\u0431\u043e\u0439 \u5931\u6557",
            "\tat scripted.ThrowWide.main(ThrowWide.java:5)\n"
            "Caused by: java.io.IOException: disk\n\tat scripted.ThrowWide.read(ThrowWide.java:9)\n"
            "\t... 1 more\n");
    }
    else if (IsServeScript(script))
    {
        Serve();
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
        JavaExit(static_cast<jint>(strtoul(script.c_str() + 4, nullptr, 10)));
    }
}

ESecondaryForm SecondaryFormOf(const std::string& name)
{
    if (name == "scripted/Serve")
        return SecondaryVoid;
    if (name == "scripted/ServeInt" || name == "scripted/ServeThrow")
        return SecondaryInt;
    return SecondaryNone;
}

jint RunSecondaryScript(const std::string& name, const std::vector<std::u16string>& arguments)
{
    std::string joined;
    for (size_t i = 0; i < arguments.size(); ++i)
        joined += (i == 0 ? "" : "|") + ToUtf8(arguments[i]);
    AppendRecord("secondary: " + joined + "\nsecondary-count: " + std::to_string(arguments.size()));
    const std::string delay = OptionValue("fakejvm.secondarydelay");
    if (!delay.empty())
    {
        Sleep(strtoul(delay.c_str(), nullptr, 10));
        AppendRecord("secondary-finished");
    }
    if (name == "scripted/ServeThrow")
    {
        SetPending("java.lang.IllegalStateException", u"secondaryMain failed",
                   "\tat scripted.ServeThrow.secondaryMain(ServeThrow.java:15)\n");
        return 0;
    }
    return arguments.empty() ? 0 : ParseInt(arguments[0]);
}
