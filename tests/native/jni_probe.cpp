// Runs the launcher's Java calls against a real VM. A process can create a VM only once, so the
// tests start one jni_probe per case:
//
//   jni_probe [VM option]... [-- action [parameter]...]...
//
// The probe asks the library for its 1.1-style defaults, creates the VM with the options on a
// thread of its own, performs the actions in order, destroys the VM and exits with 0. It reports
// on stdout, one "key=value" line per fact, keys prefixed with the action's name:
//
//   main <class> [argument]...  CallMainMethod: main.beforeMain, main.result, main.className,
//                               main.escaped (class of the escaped exception or null),
//                               main.exceptionText (GetExceptionText of it, UTF-8 in hex),
//                               main.pending
//   setOut <path>, setErr <path>  RedirectJavaStream: <action>.redirected, <action>.pending
//                               (a pending exception is then described)
//   exit                        CallSystemExit: exit.returned, if it returns
//   roundtrip <text>            NewJavaString, then GetStringUTFChars and DecodeModifiedUtf8:
//                               roundtrip.length, roundtrip.modified (hex), roundtrip.decoded
//   localRefs                   localRefs.count: the JNI local references the VM's thread holds,
//                               counted through JVMTI
//   secondary <class> [argument]...  CallSecondaryMain: secondary.reply as the value is replied
//                               (none when nothing is), secondary.result, secondary.pending
//   secondaryAtMain <class> [argument]...  CallSecondaryMain as the launcher's worker thread makes
//                               it: a thread of its own attaches to the VM (.attach); once it
//                               waits, the action reports .waiting and returns; when a later main
//                               action is about to call main (.mainEntered, 0 when not within
//                               20 s) the thread calls and reports as secondary does, then
//                               detaches (.detach); keys prefixed with secondaryAtMain
//
// Texts on the command line are UTF-8. Exit status 2 when the VM was not created, 3 on a usage
// error, 4 when the JVM library could not be used; Java's System.exit ends the process with its
// own status.
#include "jvm/java_calls.h"

#include <jvmti.h>

#include <dlfcn.h>
#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
const size_t kVmThreadStackSize = 8 * 1024 * 1024;

const int kExitVmNotCreated = 2;
const int kExitUsage = 3;
const int kExitNoLibrary = 4;

// Bounds of the secondaryAtMain hand-over: a failure ends it well within the tests' 40 s.
const std::chrono::seconds kWorkerStartBound(10);
const std::chrono::seconds kMainEntryBound(20);

void Report(const std::string& key, const std::string& value)
{
    std::printf("%s=%s\n", key.c_str(), value.c_str());
    // Java writes to the same descriptors; keep the lines in the order things happened.
    std::fflush(stdout);
}

std::u16string FromUtf8(const std::string& text)
{
    std::u16string result;
    for (size_t i = 0; i < text.size();)
    {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (code < 0x10000)
        {
            result += static_cast<char16_t>(code);
        }
        else
        {
            code -= 0x10000;
            result += static_cast<char16_t>(0xD800 + (code >> 10));
            result += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        }
    }
    return result;
}

std::string ToUtf8(const std::u16string& text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i)
    {
        char32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (code < 0x80)
        {
            result += static_cast<char>(code);
        }
        else if (code < 0x800)
        {
            result += static_cast<char>(0xC0 | (code >> 6));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
        else if (code < 0x10000)
        {
            result += static_cast<char>(0xE0 | (code >> 12));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
        else
        {
            result += static_cast<char>(0xF0 | (code >> 18));
            result += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return result;
}

std::string Hex(const char* pBytes)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string result;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(pBytes); *p != 0; ++p)
    {
        result += kDigits[*p >> 4];
        result += kDigits[*p & 0x0F];
    }
    return result;
}

const char* ResultName(EMainCallResult result)
{
    switch (result)
    {
        case MainCallReturned:
            return "MainCallReturned";
        case MainCallNoClassName:
            return "MainCallNoClassName";
        case MainCallNoNameChars:
            return "MainCallNoNameChars";
        case MainCallClassNotFound:
            return "MainCallClassNotFound";
        case MainCallNoMainMethod:
            return "MainCallNoMainMethod";
        case MainCallMethodFailed:
            return "MainCallMethodFailed";
        case MainCallNoArguments:
            return "MainCallNoArguments";
    }
    return "?";
}

const char* SecondaryResultName(ESecondaryMainResult result)
{
    switch (result)
    {
        case SecondaryMainIntReplied:
            return "SecondaryMainIntReplied";
        case SecondaryMainVoidReturned:
            return "SecondaryMainVoidReturned";
        case SecondaryMainNoClassName:
            return "SecondaryMainNoClassName";
        case SecondaryMainNoNameChars:
            return "SecondaryMainNoNameChars";
        case SecondaryMainClassNotFound:
            return "SecondaryMainClassNotFound";
        case SecondaryMainNoMethod:
            return "SecondaryMainNoMethod";
        case SecondaryMainNoArguments:
            return "SecondaryMainNoArguments";
        case SecondaryMainIntThrew:
            return "SecondaryMainIntThrew";
        case SecondaryMainVoidThrew:
            return "SecondaryMainVoidThrew";
    }
    return "?";
}

// The class name of an object, through Class.getName().
std::string ClassNameOf(jobject object, JNIEnv* pEnv)
{
    jclass objectClass = pEnv->GetObjectClass(object);
    jclass classClass = pEnv->FindClass("java/lang/Class");
    if (objectClass == nullptr || classClass == nullptr)
        return "?";
    jmethodID getName = pEnv->GetMethodID(classClass, "getName", "()Ljava/lang/String;");
    if (getName == nullptr)
        return "?";
    jstring name = static_cast<jstring>(pEnv->CallObjectMethod(objectClass, getName));
    if (pEnv->ExceptionCheck() || name == nullptr)
        return "?";
    const char* pChars = pEnv->GetStringUTFChars(name, nullptr);
    const std::string result = pChars != nullptr ? pChars : "?";
    pEnv->ReleaseStringUTFChars(name, pChars);
    return result;
}

// The tag that marks the probe's own Thread object for JVMTI.
const jlong kProbeThreadTag = 1;

jint JNICALL CountLocalReference(jvmtiHeapReferenceKind kind, const jvmtiHeapReferenceInfo* pInfo,
                                 jlong, jlong, jlong, jlong*, jlong*, jint, void* pCount)
{
    if (kind == JVMTI_HEAP_REFERENCE_JNI_LOCAL && pInfo->jni_local.thread_tag == kProbeThreadTag)
        ++*static_cast<long*>(pCount);
    // Only the roots matter: no need to walk the heap behind them.
    return 0;
}

// The JNI local references the calling thread holds, -1 when JVMTI cannot tell. Other threads
// are left out, since the VM's own may hold some for a moment at any time.
long CountLocalReferences(JavaVM* pVm, JNIEnv* pEnv)
{
    jvmtiEnv* pTi = nullptr;
    if (pVm->GetEnv(reinterpret_cast<void**>(&pTi), JVMTI_VERSION_1_2) != JNI_OK)
        return -1;
    jvmtiCapabilities capabilities;
    std::memset(&capabilities, 0, sizeof(capabilities));
    capabilities.can_tag_objects = 1;
    long count = -1;
    jthread self = nullptr;
    if (pTi->AddCapabilities(&capabilities) == JVMTI_ERROR_NONE &&
        pTi->GetCurrentThread(&self) == JVMTI_ERROR_NONE)
    {
        // The thread reference is a local of its own: let go of it before counting.
        const bool bTagged = pTi->SetTag(self, kProbeThreadTag) == JVMTI_ERROR_NONE;
        pEnv->DeleteLocalRef(self);
        jvmtiHeapCallbacks callbacks;
        std::memset(&callbacks, 0, sizeof(callbacks));
        callbacks.heap_reference_callback = CountLocalReference;
        long found = 0;
        if (bTagged &&
            pTi->FollowReferences(0, nullptr, nullptr, &callbacks, &found) == JVMTI_ERROR_NONE)
            count = found;
    }
    pTi->DisposeEnvironment();
    return count;
}

struct SProbeAction
{
    std::string name;
    std::vector<std::string> parameters;
};

bool IsWellFormed(const SProbeAction& action)
{
    const size_t count = action.parameters.size();
    if (action.name == "main" || action.name == "secondary" || action.name == "secondaryAtMain")
        return count >= 1;
    if (action.name == "setOut" || action.name == "setErr" || action.name == "roundtrip")
        return count == 1;
    if (action.name == "exit" || action.name == "localRefs")
        return count == 0;
    return false;
}

std::vector<std::u16string> ArgumentsAfterClass(const SProbeAction& action)
{
    std::vector<std::u16string> arguments;
    for (size_t i = 1; i < action.parameters.size(); ++i)
        arguments.push_back(FromUtf8(action.parameters[i]));
    return arguments;
}

// The reply to a later start, reported when it is made; the context is the action.
void ReportReply(void* pAction, jint value)
{
    Report(static_cast<const SProbeAction*>(pAction)->name + ".reply", std::to_string(value));
}

// CallSecondaryMain with the action's class and arguments, on a thread attached to the VM.
void PerformSecondary(const SProbeAction& action, JNIEnv* pEnv)
{
    const ESecondaryMainResult result =
        CallSecondaryMain(FromUtf8(action.parameters[0]), ArgumentsAfterClass(action), pEnv,
                          ReportReply, const_cast<SProbeAction*>(&action));
    Report(action.name + ".result", SecondaryResultName(result));
    Report(action.name + ".pending", pEnv->ExceptionCheck() ? "1" : "0");
}

class CProbe
{
public:
    CProbe(PfnCreateJavaVM pfnCreateJavaVM, const CVmOptionList& options,
           const std::vector<SProbeAction>& actions)
        : m_pfnCreateJavaVM(pfnCreateJavaVM), m_options(options), m_actions(actions)
    {
    }

    // Runs on the VM's thread.
    void Run() { m_exitCode = CreateVmAndPerform(); }

    int ExitCode() const { return m_exitCode; }

private:
    int CreateVmAndPerform()
    {
        const jint created = CreateJavaVm(m_pfnCreateJavaVM, m_options, &m_pVm, &m_pEnv);
        Report("create", std::to_string(created));
        if (created != JNI_OK)
            return kExitVmNotCreated;
        for (const SProbeAction& action : m_actions)
            Perform(action);
        // The worker has detached, or gives up waiting for main within its bound.
        if (m_worker.joinable())
            m_worker.join();
        Report("destroy", std::to_string(m_pVm->DestroyJavaVM()));
        return 0;
    }

    static void EnterMain(void* pProbe)
    {
        Report("main.beforeMain", "1");
        CProbe* pThis = static_cast<CProbe*>(pProbe);
        std::lock_guard<std::mutex> lock(pThis->m_mutex);
        pThis->m_bMainEntered = true;
        pThis->m_changed.notify_all();
    }

    // The worker thread of secondaryAtMain: only once main is entered does it call into Java.
    void ServeAtMain(const SProbeAction& action)
    {
        JNIEnv* pEnv = nullptr;
        const jint attached = m_pVm->AttachCurrentThread(reinterpret_cast<void**>(&pEnv), nullptr);
        Report(action.name + ".attach", std::to_string(attached));
        bool bMainEntered = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_bWorkerWaiting = true;
            m_changed.notify_all();
            bMainEntered =
                m_changed.wait_for(lock, kMainEntryBound, [this] { return m_bMainEntered; });
        }
        Report(action.name + ".mainEntered", bMainEntered ? "1" : "0");
        if (attached != JNI_OK)
            return;
        if (bMainEntered)
            PerformSecondary(action, pEnv);
        Report(action.name + ".detach", std::to_string(m_pVm->DetachCurrentThread()));
    }

    // Returns once the worker waits for main, so that its request is there before main is.
    void StartWorker(const SProbeAction& action)
    {
        if (m_worker.joinable())
            m_worker.join();
        m_bWorkerWaiting = false;
        m_worker = std::thread(&CProbe::ServeAtMain, this, std::cref(action));
        std::unique_lock<std::mutex> lock(m_mutex);
        const bool bWaiting =
            m_changed.wait_for(lock, kWorkerStartBound, [this] { return m_bWorkerWaiting; });
        Report(action.name + ".waiting", bWaiting ? "1" : "0");
    }

    void Perform(const SProbeAction& action)
    {
        const std::vector<std::string>& parameters = action.parameters;
        if (action.name == "main")
        {
            const SMainCall call = CallMainMethod(
                FromUtf8(parameters[0]), ArgumentsAfterClass(action), m_pEnv, EnterMain, this);
            Report("main.result", ResultName(call.result));
            Report("main.className", ToUtf8(call.className));
            Report("main.escaped", call.escapedException != nullptr
                                       ? ClassNameOf(call.escapedException, m_pEnv)
                                       : "null");
            if (call.escapedException != nullptr)
                Report("main.exceptionText",
                       Hex(ToUtf8(GetExceptionText(call.escapedException, m_pEnv)).c_str()));
            Report("main.pending", m_pEnv->ExceptionCheck() ? "1" : "0");
        }
        else if (action.name == "secondary")
        {
            PerformSecondary(action, m_pEnv);
        }
        else if (action.name == "secondaryAtMain")
        {
            StartWorker(action);
        }
        else if (action.name == "setOut" || action.name == "setErr")
        {
            const bool bRedirected =
                RedirectJavaStream(FromUtf8(parameters[0]), action.name.c_str(), m_pEnv);
            Report(action.name + ".redirected", bRedirected ? "1" : "0");
            const bool bPending = m_pEnv->ExceptionCheck();
            Report(action.name + ".pending", bPending ? "1" : "0");
            if (bPending)
                m_pEnv->ExceptionDescribe();
        }
        else if (action.name == "exit")
        {
            CallSystemExit(m_pEnv);
            Report("exit.returned", "1");
        }
        else if (action.name == "roundtrip")
        {
            jstring text = NewJavaString(FromUtf8(parameters[0]), m_pEnv);
            if (text == nullptr)
            {
                Report("roundtrip.length", "none");
                return;
            }
            Report("roundtrip.length", std::to_string(m_pEnv->GetStringLength(text)));
            const char* pChars = m_pEnv->GetStringUTFChars(text, nullptr);
            Report("roundtrip.modified", Hex(pChars));
            Report("roundtrip.decoded", ToUtf8(DecodeModifiedUtf8(pChars)));
            m_pEnv->ReleaseStringUTFChars(text, pChars);
            m_pEnv->DeleteLocalRef(text);
        }
        else if (action.name == "localRefs")
        {
            Report("localRefs.count", std::to_string(CountLocalReferences(m_pVm, m_pEnv)));
        }
    }

    PfnCreateJavaVM m_pfnCreateJavaVM;
    CVmOptionList m_options;
    std::vector<SProbeAction> m_actions;
    JavaVM* m_pVm = nullptr;
    JNIEnv* m_pEnv = nullptr;
    int m_exitCode = kExitVmNotCreated;
    // The secondaryAtMain worker and what it and the main action tell each other.
    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bWorkerWaiting = false;
    bool m_bMainEntered = false;
};

void* RunProbe(void* pProbe)
{
    static_cast<CProbe*>(pProbe)->Run();
    return nullptr;
}
} // namespace

int main(int argc, char** argv)
{
    CVmOptionList options;
    std::vector<SProbeAction> actions;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--") == 0)
        {
            if (i + 1 == argc)
                break;
            actions.push_back({argv[++i], {}});
        }
        else if (actions.empty())
        {
            options.Append(argv[i]);
        }
        else
        {
            actions.back().parameters.push_back(argv[i]);
        }
    }
    for (const SProbeAction& action : actions)
    {
        if (!IsWellFormed(action))
        {
            std::fprintf(stderr, "jni_probe: bad action '%s'\n", action.name.c_str());
            return kExitUsage;
        }
    }

    void* pLibrary = dlopen(JVM_LIBRARY_PATH, RTLD_NOW | RTLD_GLOBAL);
    if (pLibrary == nullptr)
    {
        std::fprintf(stderr, "jni_probe: %s\n", dlerror());
        return kExitNoLibrary;
    }
    PfnCreateJavaVM pfnCreateJavaVM =
        reinterpret_cast<PfnCreateJavaVM>(dlsym(pLibrary, "JNI_CreateJavaVM"));
    PfnGetDefaultJavaVMInitArgs pfnGetDefaults = reinterpret_cast<PfnGetDefaultJavaVMInitArgs>(
        dlsym(pLibrary, "JNI_GetDefaultJavaVMInitArgs"));
    if (pfnCreateJavaVM == nullptr || pfnGetDefaults == nullptr)
    {
        std::fprintf(stderr, "jni_probe: Invocation API entries missing from %s\n",
                     JVM_LIBRARY_PATH);
        return kExitNoLibrary;
    }

    // The launcher asks for the proposed Java thread stack size this way before creating the VM.
    SJdk11InitArgs defaults;
    std::memset(&defaults, 0, sizeof(defaults));
    defaults.version = kJniVersion11;
    Report("defaults", std::to_string(pfnGetDefaults(&defaults)));
    Report("defaults.javaStackSize", std::to_string(defaults.javaStackSize));

    // Never on the process's first thread, and with room for the VM's own stack needs.
    CProbe probe(pfnCreateJavaVM, options, actions);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kVmThreadStackSize);
    pthread_t thread;
    const int error = pthread_create(&thread, &attributes, RunProbe, &probe);
    pthread_attr_destroy(&attributes);
    if (error != 0)
    {
        std::fprintf(stderr, "jni_probe: no VM thread: %s\n", std::strerror(error));
        return kExitVmNotCreated;
    }
    pthread_join(thread, nullptr);
    return probe.ExitCode();
}
