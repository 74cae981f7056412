// The Java main thread: it creates the VM, sends the streams where the plan says, and calls
// main(String[]); and the VM's end.
#include "jvm/java_vm.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "base/unique_handle.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"
#include "jvm/vm_printout.h"
#include "report/error_report.h"
#include "report/launch_trace.h"
#include "report/message_ids.h"
#include "ui/java_exception_dialog.h"

namespace
{
// The reason shown for a result of JNI_CreateJavaVM; empty for results outside -6 to -1.
std::wstring CreationFailureReason(jint result)
{
    switch (result)
    {
        case JNI_ERR:
            return LoadText(IDS_REASON_UNKNOWN);
        case JNI_EDETACHED:
            return LoadText(IDS_REASON_DETACHED);
        case JNI_EVERSION:
            return LoadText(IDS_REASON_VERSION);
        case JNI_ENOMEM:
            return LoadText(IDS_REASON_NO_MEMORY);
        case JNI_EEXIST:
            return LoadText(IDS_REASON_EXISTS);
        case JNI_EINVAL:
            return LoadText(IDS_REASON_INVALID);
        default:
            return std::wstring();
    }
}

// The log the VM writes of its class-data archive in this process, copied into the trace
// when the VM ends.
const std::wstring* g_pVmLog = nullptr;

void TraceVmLog()
{
    if (g_pVmLog != nullptr)
        TraceFileLines(L"VM: ", *g_pVmLog);
}

// The VM calls this when the Java program ends the process (System.exit, or Stop in the Java
// Exception dialog): the launcher's own end, where the exit code is traced too, never comes.
void JNICALL TraceJavaExit(jint code)
{
    TraceVmLog();
    TraceLine(L"exit code " + DecimalText(code) + L" (System.exit)");
}

bool RedirectStream(const std::wstring& path, const char* pSetterName, JNIEnv* pEnv,
                    const char* pSecondSetterName = nullptr)
{
    EnsureParentFolders(path);
    return RedirectJavaStream(ToJavaText(path), pSetterName, pEnv, pSecondSetterName);
}

// A GUI process has no standard error to show the VM's printout on: each failure says what
// failed. (On a real VM a missing main fails its lookup with NoSuchMethodError: the class was
// initialised by FindClass already, so that is what a lookup with an exception means.)
void ReportMainCallFailure(const SMainCall& call, const std::wstring& mainClass,
                           CReporter& reporter)
{
    switch (call.result)
    {
        case MainCallNoClassName:
        case MainCallNoNameChars:
            reporter.Report(IDS_MAIN_CLASS_LOAD_FAILED, mainClass);
            break;
        case MainCallClassNotFound:
            reporter.Report(IDS_MAIN_CLASS_NOT_FOUND, FromJavaText(call.className));
            break;
        case MainCallNoMainMethod:
        case MainCallMethodFailed:
            reporter.Report(IDS_NO_MAIN_METHOD);
            break;
        case MainCallNoArguments:
            reporter.Report(IDS_MAIN_ARGUMENTS_FAILED);
            break;
        case MainCallReturned:
            break;
    }
}
} // namespace

CJavaVm::CJavaVm(CReporter& reporter, CMainThreadListener& listener)
    : m_reporter(reporter), m_listener(listener), m_pStart(nullptr), m_pJavaVM(nullptr),
      m_pJniEnv(nullptr)
{
}

bool CJavaVm::LoadJvmLibrary(const std::wstring& jvmLibraryPath)
{
    return LoadJvmEntries(jvmLibraryPath, m_reporter, m_entries);
}

DWORD CJavaVm::RunMain(const SJavaStart& start)
{
    m_pStart = &start;
    size_t stackSize = start.m_mainThreadStackSize;
    if (stackSize == 0)
        stackSize = ProposedThreadStackSize(m_entries);
    // The size is a reservation, so that the thread's stack is exactly that large rather
    // than the executable's default reservation with the size committed.
    const DWORD flags = stackSize != 0 ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0;
    const CUniqueHandle hThread(
        CreateThread(nullptr, stackSize, &CJavaVm::MainThreadProc, this, flags, nullptr));
    // Without a thread of its own, main runs on this one, with this one's stack.
    if (!hThread)
        return MainThreadProc(this);
    WaitForSingleObject(hThread.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeThread(hThread.Get(), &exitCode);
    return exitCode;
}

void CJavaVm::DestroyJavaVm()
{
    if (m_pJavaVM != nullptr)
    {
        m_pJavaVM->DestroyJavaVM();
        TraceVmLog();
    }
    m_pJavaVM = nullptr;
}

DWORD WINAPI CJavaVm::MainThreadProc(void* pParameter)
{
    CJavaVm* pVm = static_cast<CJavaVm*>(pParameter);
    if (!pVm->CreateJvm())
        return 1;
    return pVm->InvokeMainClass() ? 0 : 1;
}

void CJavaVm::SignalMainStarted(void* pContext)
{
    CJavaVm* pVm = static_cast<CJavaVm*>(pContext);
    pVm->m_listener.MainStarted(pVm->m_pJavaVM);
}

bool CJavaVm::CreateJvm()
{
    const CTraceStep step(L"VM creation");
    g_pVmLog = &m_pStart->m_classData.m_vmLog;
    StartKeepingVmPrintout();
    const jint result =
        CreateJavaVm(m_entries.m_pfnCreateJavaVM, m_pStart->m_vmOptions, &m_pJavaVM, &m_pJniEnv,
                     IsTracing() ? &TraceJavaExit : nullptr, VmPrintHook());
    const std::wstring printout = StopKeepingVmPrintout();
    if (result != JNI_OK)
    {
        // What the VM said is the reason; the result's meaning when it said nothing.
        m_reporter.Report(IDS_JNI_EXCEPTION, LoadText(IDS_CREATE_JAVA_VM_FAILED),
                          !printout.empty() ? printout : CreationFailureReason(result));
        return false;
    }
    RedirectStreams();
    return true;
}

void CJavaVm::RedirectStreams()
{
    // A redirection that fails leaves the stream as the VM set it up. Two streams opened on
    // one file would each write from its start: one file for both is written through one
    // stream, in the order written.
    const SRedirection& redirection = m_pStart->m_redirection;
    if (!redirection.m_outputFile.empty() &&
        !RedirectStream(redirection.m_outputFile, "setOut", m_pJniEnv,
                        redirection.m_bOneFile ? "setErr" : nullptr) &&
        m_pJniEnv->ExceptionOccurred() != nullptr)
        m_pJniEnv->ExceptionDescribe();
    if (!redirection.m_errorFile.empty() && !redirection.m_bOneFile &&
        !RedirectStream(redirection.m_errorFile, "setErr", m_pJniEnv) &&
        m_pJniEnv->ExceptionOccurred() != nullptr)
        m_pJniEnv->ExceptionDescribe();
}

bool CJavaVm::InvokeMainClass()
{
    const SJavaStart& start = *m_pStart;
    TraceLine(L"main class: " + start.m_mainClass);
    const CTraceStep step(L"main");
    std::vector<std::u16string> arguments;
    for (size_t i = 0; i < start.m_mainArguments.Count(); ++i)
        arguments.push_back(ToJavaText(start.m_mainArguments.At(i)));
    const SMainCall call = CallMainMethod(ToJavaText(start.m_mainClass), arguments, m_pJniEnv,
                                          SignalMainStarted, this);
    if (call.result != MainCallReturned)
    {
        ReportMainCallFailure(call, start.m_mainClass, m_reporter);
        // DestroyJavaVM waits for every thread still attached: this one must not stay so, and
        // what is left pending has been reported already.
        m_pJniEnv->ExceptionClear();
        m_pJavaVM->DetachCurrentThread();
        return false;
    }
    if (call.escapedException != nullptr)
    {
        TraceLine(L"an exception escaped main");
        m_listener.ExceptionEscapedMain();
        if (start.m_bAskAfterException)
        {
            const bool bStop = AskToStopAfterJavaException(
                FromJavaText(GetExceptionText(call.escapedException, m_pJniEnv)));
            TraceLine(bStop ? L"Java Exception dialog: Stop" : L"Java Exception dialog: Ignore");
            if (bStop)
                CallSystemExit(m_pJniEnv);
        }
    }
    // The program ends the process itself; this thread stays attached until it does.
    if (start.m_processEnd == ProcessEndByJavaProgram)
        Sleep(INFINITE);
    return m_pJavaVM->DetachCurrentThread() == JNI_OK;
}
