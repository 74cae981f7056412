// Stand-in for a JRE's jvm.dll, for tests only. It exports the Invocation API entries under
// their real names, checks what it is given as strictly as a real VM would, and plays a
// scripted program chosen by the main class's name (see scripts.cpp). Anything a real VM
// would not accept ends the process loudly with exit code 0xFA11. Built twice: fakejvm.dll,
// and fakejvm_nodefaults.dll without JNI_GetDefaultJavaVMInitArgs.
#include "fake_vm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "jvm/jvm_entries.h"

SFakeVm g_vm;

// The Java thread stack size this VM proposes: above Wine's floor of 1 MiB for thread stacks
// and unlike the executable's default, so that a test can tell where a size came from.
static const jint kProposedJavaStackSize = 1572864;

// How long DestroyJavaVM waits for attached threads to detach before it calls the run broken.
static const DWORD kDetachWaitMs = 60000;

static CRITICAL_SECTION& VmSection()
{
    struct SSection
    {
        CRITICAL_SECTION section;
        SSection() { InitializeCriticalSection(&section); }
    };
    static SSection s_section;
    return s_section.section;
}

CVmLock::CVmLock()
{
    EnterCriticalSection(&VmSection());
}

CVmLock::~CVmLock()
{
    LeaveCriticalSection(&VmSection());
}

// Everything below is touched only under CVmLock.
static std::set<SObject*>& LiveObjects()
{
    static std::set<SObject*> s_objects;
    return s_objects;
}

// Pending exceptions by thread id.
static std::map<DWORD, SObject*>& PendingByThread()
{
    static std::map<DWORD, SObject*> s_pending;
    return s_pending;
}

// Attached threads by id, with the number in their Java name.
static std::map<DWORD, int>& AttachedThreads()
{
    static std::map<DWORD, int> s_threads;
    return s_threads;
}

void Fail(const std::string& what)
{
    fprintf(stderr, "fakejvm: %s\n", what.c_str());
    fflush(stderr);
    ExitProcess(0xFA11);
}

SObject* NewFakeObject(EObjectKind kind, const std::string& name)
{
    SObject* pObject = new SObject();
    pObject->kind = kind;
    pObject->name = name;
    pObject->hFile = nullptr;
    pObject->bDeleted = false;
    CVmLock lock;
    LiveObjects().insert(pObject);
    return pObject;
}

// The object behind a reference of any kind, known and alive; called under the lock.
static SObject* CheckedLive(void* reference, const char* pWhere)
{
    SObject* pObject = static_cast<SObject*>(reference);
    if (pObject == nullptr)
        Fail(std::string(pWhere) + ": null reference");
    if (LiveObjects().count(pObject) == 0)
        Fail(std::string(pWhere) + ": not a reference of this VM");
    if (pObject->bDeleted)
        Fail(std::string(pWhere) + ": reference used after DeleteLocalRef");
    return pObject;
}

SObject* CheckedAnyKind(void* reference, const char* pWhere)
{
    CVmLock lock;
    return CheckedLive(reference, pWhere);
}

SObject* Checked(void* reference, EObjectKind kind, const char* pWhere)
{
    CVmLock lock;
    SObject* pObject = CheckedLive(reference, pWhere);
    if (pObject->kind != kind)
        Fail(std::string(pWhere) + ": reference of the wrong kind");
    return pObject;
}

void DeleteReference(void* reference, const char* pWhere)
{
    CVmLock lock;
    CheckedLive(reference, pWhere)->bDeleted = true;
}

std::string ToUtf8(const std::u16string& text)
{
    const wchar_t* pText = reinterpret_cast<const wchar_t*>(text.c_str());
    const int length = WideCharToMultiByte(CP_UTF8, 0, pText, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? length - 1 : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, pText, -1, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

std::u16string FromAnsi(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return std::u16string(wide.begin(), wide.end());
}

std::string OptionValue(const std::string& name)
{
    const std::string prefix = "-D" + name + "=";
    std::string value;
    for (const std::string& option : g_vm.options)
    {
        if (option.compare(0, prefix.size(), prefix) == 0)
            value = option.substr(prefix.size());
    }
    return value;
}

void WriteStream(bool toError, const std::string& text)
{
    // One write per call under the lock, so that threads' texts do not interleave.
    CVmLock lock;
    HANDLE hTarget = toError ? g_vm.hErr : g_vm.hOut;
    if (hTarget == nullptr)
        hTarget = GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (hTarget != nullptr && hTarget != INVALID_HANDLE_VALUE)
        WriteFile(hTarget, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void SetPending(const std::string& throwableClass, const std::u16string& message,
                const std::string& trace)
{
    SObject* pThrowable = NewFakeObject(ObjectThrowable, throwableClass);
    pThrowable->text = message;
    pThrowable->trace = trace;
    CVmLock lock;
    PendingByThread()[GetCurrentThreadId()] = pThrowable;
}

SObject* PendingException()
{
    CVmLock lock;
    const auto found = PendingByThread().find(GetCurrentThreadId());
    return found != PendingByThread().end() ? found->second : nullptr;
}

void ClearPending()
{
    CVmLock lock;
    PendingByThread().erase(GetCurrentThreadId());
}

bool IsVmThread()
{
    CVmLock lock;
    const DWORD dwThread = GetCurrentThreadId();
    return dwThread == g_vm.dwCreatorThread || AttachedThreads().count(dwThread) != 0;
}

std::string JavaThreadName()
{
    CVmLock lock;
    const auto found = AttachedThreads().find(GetCurrentThreadId());
    if (found == AttachedThreads().end())
        return "main";
    return "Thread-" + std::to_string(found->second);
}

// Options a real VM of this kind would not recognise fail the creation.
void JavaExit(jint code)
{
    if (g_vm.pfnExitHook != nullptr)
        g_vm.pfnExitHook(code);
    ExitProcess(static_cast<UINT>(code));
}

static bool IsRecognisedOption(const std::string& option)
{
    static const char* const kPrefixes[] = {
        "-D",       "-Xms", "-Xmx", "-Xss",  "-ea",     "-da",
        "-verbose", "-XX:", "-Xrs", "-Xint", "-Xbatch", "-Xcheck:jni"};
    for (const char* pPrefix : kPrefixes)
    {
        if (option.compare(0, strlen(pPrefix), pPrefix) == 0)
            return true;
    }
    return false;
}

static jint JNICALL DestroyJavaVM(JavaVM*)
{
    if (!g_vm.bCreated || g_vm.bDestroyed)
        Fail("DestroyJavaVM: no VM to destroy");
    // Like a real VM, wait for the program's other non-daemon threads.
    if (g_vm.hLingerThread != nullptr)
        WaitForSingleObject(g_vm.hLingerThread, INFINITE);
    // Attached threads are non-daemon threads too; a hang here would only show as a timeout.
    const ULONGLONG start = GetTickCount64();
    for (;;)
    {
        {
            CVmLock lock;
            const bool bCreatorAway =
                !g_vm.bCreatorAttached || GetCurrentThreadId() == g_vm.dwCreatorThread;
            if (AttachedThreads().empty() && bCreatorAway)
            {
                g_vm.bDestroyed = true;
                return JNI_OK;
            }
        }
        if (GetTickCount64() - start > kDetachWaitMs)
            Fail("DestroyJavaVM: attached threads never detached");
        Sleep(10);
    }
}

static jint JNICALL AttachCurrentThread(JavaVM*, void** ppEnv, void* pArgs)
{
    if (ppEnv == nullptr)
        Fail("AttachCurrentThread: null environment pointer");
    if (pArgs != nullptr && static_cast<JavaVMAttachArgs*>(pArgs)->version < JNI_VERSION_1_2)
        return JNI_EVERSION;
    static int s_nextNumber = 0;
    CVmLock lock;
    if (!g_vm.bCreated || g_vm.bDestroyed)
        return JNI_ERR;
    const DWORD dwThread = GetCurrentThreadId();
    // Attaching a thread that already belongs to the VM changes nothing, as with a real VM.
    if (dwThread != g_vm.dwCreatorThread && AttachedThreads().count(dwThread) == 0)
        AttachedThreads()[dwThread] = s_nextNumber++;
    *ppEnv = FakeEnv();
    return JNI_OK;
}

static BOOL CALLBACK FindSplashWindowProc(HWND hWnd, LPARAM lParam)
{
    DWORD processId = 0;
    wchar_t className[64] = L"";
    GetWindowThreadProcessId(hWnd, &processId);
    GetClassNameW(hWnd, className, 64);
    if (processId != GetCurrentProcessId() || wcscmp(className, L"SplashScreenWindow") != 0)
        return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

static jint JNICALL DetachCurrentThread(JavaVM*)
{
    // Whether the launcher's splash window is still up once main is over.
    if (!OptionValue("fakejvm.watchsplash").empty())
    {
        bool shown = false;
        EnumWindows(FindSplashWindowProc, reinterpret_cast<LPARAM>(&shown));
        RecordLine(std::string("splash-window-at-detach: ") + (shown ? "shown" : "none"));
    }
    CVmLock lock;
    const DWORD dwThread = GetCurrentThreadId();
    if (dwThread != g_vm.dwCreatorThread && AttachedThreads().count(dwThread) == 0)
        Fail("DetachCurrentThread: thread is not attached");
    if (PendingException() != nullptr)
        Fail("DetachCurrentThread: an exception is still pending");
    AttachedThreads().erase(dwThread);
    if (dwThread == g_vm.dwCreatorThread)
        g_vm.bCreatorAttached = false;
    return JNI_OK;
}

static jint JNICALL UnimplementedInvoke(JavaVM*)
{
    Fail("JavaVM function not implemented by the stand-in (GetEnv, AttachCurrentThreadAsDaemon)");
}

JavaVM* FakeJavaVm()
{
    static JNIInvokeInterface_ s_functions = {
        nullptr,
        nullptr,
        nullptr,
        DestroyJavaVM,
        AttachCurrentThread,
        DetachCurrentThread,
        reinterpret_cast<jint(JNICALL*)(JavaVM*, void**, jint)>(
            reinterpret_cast<void (*)()>(UnimplementedInvoke)),
        reinterpret_cast<jint(JNICALL*)(JavaVM*, void**, void*)>(
            reinterpret_cast<void (*)()>(UnimplementedInvoke)),
    };
    static JavaVM s_vm = {&s_functions};
    return &s_vm;
}

// With FAKEJVM_TIMING naming a file, appends the milliseconds since the process was created.
static void RecordStartupTime()
{
    wchar_t path[MAX_PATH * 4] = L"";
    if (GetEnvironmentVariableW(L"FAKEJVM_TIMING", path, MAX_PATH * 4) == 0)
        return;
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& time)
    { return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    FILE* pFile = _wfopen(path, L"ab");
    if (pFile == nullptr)
        return;
    fprintf(pFile, "%.3f\n", static_cast<double>(ticks(now) - ticks(created)) / 10000.0);
    fclose(pFile);
}

extern "C" JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** ppVm, void** ppEnv, void* pArgs)
{
    RecordStartupTime();
    if (ppVm == nullptr || ppEnv == nullptr || pArgs == nullptr)
        Fail("JNI_CreateJavaVM: null argument");
    const JavaVMInitArgs* pInitArgs = static_cast<const JavaVMInitArgs*>(pArgs);
    if (pInitArgs->version != JNI_VERSION_1_2)
        Fail("JNI_CreateJavaVM: version is not JNI_VERSION_1_2");
    if (pInitArgs->ignoreUnrecognized != JNI_FALSE)
        Fail("JNI_CreateJavaVM: unrecognised options must not be ignored");
    if (pInitArgs->nOptions < 0 || (pInitArgs->nOptions > 0 && pInitArgs->options == nullptr))
        Fail("JNI_CreateJavaVM: bad option array");
    if (g_vm.bCreated)
        return JNI_EEXIST;
    std::vector<std::string> options;
    for (jint i = 0; i < pInitArgs->nOptions; ++i)
    {
        const JavaVMOption& option = pInitArgs->options[i];
        // As in a real VM, "exit" carries its hook as extra info.
        if (option.optionString != nullptr && strcmp(option.optionString, "exit") == 0 &&
            option.extraInfo != nullptr)
        {
            g_vm.pfnExitHook = reinterpret_cast<void(JNICALL*)(jint)>(option.extraInfo);
            continue;
        }
        // "vfprintf" carries the hook that the VM prints through; the stand-in prints nothing.
        if (option.optionString != nullptr && strcmp(option.optionString, "vfprintf") == 0 &&
            option.extraInfo != nullptr)
            continue;
        if (option.optionString == nullptr || option.extraInfo != nullptr)
            Fail("JNI_CreateJavaVM: option without text or with extra info");
        options.push_back(option.optionString);
    }
    g_vm.options = options;
    // Lets a later start of the launcher arrive before main is entered.
    const std::string createDelay = OptionValue("fakejvm.createdelay");
    if (!createDelay.empty())
    {
        RecordLine("vm-creating");
        Sleep(strtoul(createDelay.c_str(), nullptr, 10));
        RecordLine("vm-created");
    }
    const std::string scriptedResult = OptionValue("fakejvm.create");
    if (!scriptedResult.empty())
        return static_cast<jint>(strtol(scriptedResult.c_str(), nullptr, 10));
    for (const std::string& option : options)
    {
        if (!IsRecognisedOption(option))
        {
            fprintf(stderr, "Unrecognized option: %s\n", option.c_str());
            return JNI_ERR;
        }
    }
    g_vm.bCreated = true;
    g_vm.dwCreatorThread = GetCurrentThreadId();
    g_vm.bCreatorAttached = true;
    *ppVm = FakeJavaVm();
    *ppEnv = FakeEnv();
    return JNI_OK;
}

#ifndef FAKEJVM_WITHOUT_DEFAULT_ARGS
extern "C" JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* pArgs)
{
    if (pArgs == nullptr)
        Fail("JNI_GetDefaultJavaVMInitArgs: null record");
    SJdk11InitArgs* pRecord = static_cast<SJdk11InitArgs*>(pArgs);
    if (pRecord->version != kJniVersion11)
        Fail("JNI_GetDefaultJavaVMInitArgs: version is not JNI_VERSION_1_1");
    pRecord->javaStackSize = kProposedJavaStackSize;
    // Like the VMs of today, refuse the 1.1 record after filling in the stack size.
    return JNI_ERR;
}
#endif
