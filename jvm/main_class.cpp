// Calling the main class's main(String[]) on the Java main thread.
#include "report/launch_trace.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"
#include "report/reporter.h"
#include "jvm/java_vm.h"
#include "ui/java_exception_dialog.h"
#include "ui/resources/resource.h"

void CJavaVm::SignalMainStarted(void* pContext)
{
    CJavaVm* pVm = static_cast<CJavaVm*>(pContext);
    pVm->m_listener.MainStarted(pVm->m_pJavaVM);
}

// The message for a main class or method that cannot be called, if one is due.
static void ReportMainCallFailure(const SMainCall& call, CReporter& reporter,
                                  const std::wstring& mainClass)
{
    switch (call.result)
    {
        case MainCallNoClassName:
            reporter.Report(IDS_MAIN_CLASS_LOAD_FAILED, mainClass);
            break;
        case MainCallClassNotFound:
            reporter.Report(IDS_MAIN_CLASS_NOT_FOUND, FromJavaText(call.className));
            break;
        case MainCallNoMainMethod:
            reporter.Report(IDS_NO_MAIN_METHOD);
            break;
        default:
            break;
    }
}

bool CJavaVm::InvokeMainClass()
{
    TraceLine(L"main class: " + m_settings.m_mainClass);
    const CTraceStep step(L"main");
    std::vector<std::u16string> arguments;
    for (size_t i = 0; i < m_arguments.Count(); ++i)
        arguments.push_back(ToJavaText(m_arguments.At(i)));
    const SMainCall call = CallMainMethod(ToJavaText(m_settings.m_mainClass), arguments, m_pJniEnv,
                                          SignalMainStarted, this);
    if (call.result != MainCallReturned)
    {
        ReportMainCallFailure(call, m_reporter, m_settings.m_mainClass);
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
        if (m_settings.m_bFailureCheck)
        {
            const bool bStop = AskToStopAfterJavaException(
                FromJavaText(GetExceptionText(call.escapedException, m_pJniEnv)));
            TraceLine(bStop ? L"Java Exception dialog: Stop" : L"Java Exception dialog: Ignore");
            if (bStop)
                CallSystemExit(m_pJniEnv);
        }
    }
    if (IsVendorSearched(m_settings.m_vmProvider, VendorIbm))
        Sleep(INFINITE);
    return m_pJavaVM->DetachCurrentThread() == JNI_OK;
}
