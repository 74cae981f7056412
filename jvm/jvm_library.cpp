// Loading the chosen JVM library, its entries, and the stack size it proposes.
#include "jvm/jvm_library.h"
#include "base/library_entry.h"
#include "report/error_report.h"
#include "report/launch_trace.h"
#include "report/message_ids.h"

#include <cstring>

bool LoadJvmEntries(const std::wstring& jvmLibraryPath, CReporter& reporter, SJvmEntries& entries)
{
    const CTraceStep step(L"JVM library loading");
    HMODULE hLibrary = LoadLibraryW(jvmLibraryPath.c_str());
    if (hLibrary == nullptr)
    {
        const DWORD errorCode = GetLastError();
        reporter.ReportWithCode(IDS_JVM_LOAD_FAILED, jvmLibraryPath, errorCode);
        return false;
    }
    // The library stays loaded for the life of the process.
    entries.m_pfnCreateJavaVM = LookupEntry<PfnCreateJavaVM>(hLibrary, "JNI_CreateJavaVM");
    if (entries.m_pfnCreateJavaVM != nullptr)
    {
        entries.m_pfnGetDefaultJavaVMInitArgs =
            LookupEntry<PfnGetDefaultJavaVMInitArgs>(hLibrary, "JNI_GetDefaultJavaVMInitArgs");
        if (entries.m_pfnGetDefaultJavaVMInitArgs != nullptr)
            return true;
    }
    const DWORD errorCode = GetLastError();
    reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, LoadText(IDS_NO_CREATE_JAVA_VM), errorCode);
    return false;
}

size_t ProposedThreadStackSize(const SJvmEntries& entries)
{
    if (entries.m_pfnGetDefaultJavaVMInitArgs == nullptr)
        return 0;
    SJdk11InitArgs args;
    std::memset(&args, 0, sizeof(args));
    args.version = kJniVersion11;
    // Older VMs answer a 1.1 record with an error and still fill in the stack size, so
    // only the field is consulted.
    entries.m_pfnGetDefaultJavaVMInitArgs(&args);
    return args.javaStackSize > 0 ? static_cast<size_t>(args.javaStackSize) : 0;
}
