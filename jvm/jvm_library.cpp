// Loading the chosen JVM library and finding its Invocation API entries.
#include "report/launch_trace.h"
#include "report/error_report.h"
#include "report/reporter.h"
#include "jvm/java_vm.h"
#include "base/library_entry.h"
#include "ui/resources/resource.h"

bool CJavaVm::LoadJvmLibrary(const std::wstring& jvmLibraryPath)
{
    const CTraceStep step(L"JVM library loading");
    m_jvmLibraryPath = jvmLibraryPath;
    HMODULE hLibrary = LoadLibraryW(m_jvmLibraryPath.c_str());
    if (hLibrary == nullptr)
    {
        const DWORD errorCode = GetLastError();
        m_reporter.ReportWithCode(IDS_JVM_LOAD_FAILED, m_jvmLibraryPath, errorCode);
        return false;
    }
    // The library stays loaded for the life of the process.
    m_pfnCreateJavaVM = LookupEntry<PfnCreateJavaVM>(hLibrary, "JNI_CreateJavaVM");
    if (m_pfnCreateJavaVM != nullptr)
    {
        m_pfnGetDefaultJavaVMInitArgs =
            LookupEntry<PfnGetDefaultJavaVMInitArgs>(hLibrary, "JNI_GetDefaultJavaVMInitArgs");
        if (m_pfnGetDefaultJavaVMInitArgs != nullptr)
            return true;
    }
    const DWORD errorCode = GetLastError();
    m_reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, LoadText(IDS_NO_CREATE_JAVA_VM), errorCode);
    return false;
}
