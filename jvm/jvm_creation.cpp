// Creating the Java VM on the Java main thread.
#include "launcher/launch_trace.h"
#include "jvm/java_calls.h"
#include "launcher/error_report.h"
#include "launcher/launcher.h"
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

bool CLauncher::CreateJvm()
{
    const CTraceStep step(L"VM creation");
    for (size_t i = 0; IsTracing() && i < m_vmOptions.Count(); ++i)
    {
        const std::string& option = m_vmOptions.At(i);
        std::wstring wide(option.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_ACP, 0, option.data(), static_cast<int>(option.size()),
                                        &wide[0], static_cast<int>(wide.size())));
        TraceLine(L"VM option " + DecimalText(static_cast<long long>(i + 1)) + L": " + wide);
    }
    const jint result = CreateJavaVm(m_pfnCreateJavaVM, m_vmOptions, &m_pJavaVM, &m_pJniEnv,
                                     IsTracing() ? &TraceJavaExit : nullptr);
    if (result != JNI_OK)
    {
        ShowFormattedError(m_hMessageOwner, LoadText(IDS_JNI_EXCEPTION),
                           LoadText(IDS_CREATE_JAVA_VM_FAILED), CreationFailureReason(result));
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
