// Creating the Java VM on the Java main thread.
#include "report/launch_trace.h"
#include "base/text.h"
#include "jvm/java_calls.h"
#include "report/error_report.h"
#include "report/reporter.h"
#include "jvm/java_vm.h"
#include "ui/resources/resource.h"

// The reason shown for a result of JNI_CreateJavaVM; empty for results outside -6 to -1.
static std::wstring CreationFailureReason(jint result)
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

// The VM calls this when the Java program ends the process (System.exit, or Stop in the Java
// Exception dialog): the launcher's own end, where the exit code is traced too, never comes.
static void JNICALL TraceJavaExit(jint code)
{
    TraceLine(L"exit code " + DecimalText(code) + L" (System.exit)");
}

bool CJavaVm::CreateJvm()
{
    const CTraceStep step(L"VM creation");
    for (size_t i = 0; IsTracing() && i < m_vmOptions.Count(); ++i)
    {
        // Read back in the code page it was narrowed to.
        TraceLine(L"VM option " + DecimalText(static_cast<long long>(i + 1)) + L": " +
                  FromCodePage(m_vmOptions.At(i), CP_THREAD_ACP));
    }
    const jint result = CreateJavaVm(m_pfnCreateJavaVM, m_vmOptions, &m_pJavaVM, &m_pJniEnv,
                                     IsTracing() ? &TraceJavaExit : nullptr);
    if (result != JNI_OK)
    {
        m_reporter.Report(IDS_JNI_EXCEPTION, LoadText(IDS_CREATE_JAVA_VM_FAILED),
                          CreationFailureReason(result));
        return false;
    }
    // A redirection that fails leaves the stream as the VM set it up.
    if (!m_outputFile.empty() && !RedirectOutputStream() &&
        m_pJniEnv->ExceptionOccurred() != nullptr)
        m_pJniEnv->ExceptionDescribe();
    if (!m_errorFile.empty() && !RedirectErrorStream() && m_pJniEnv->ExceptionOccurred() != nullptr)
        m_pJniEnv->ExceptionDescribe();
    return true;
}
