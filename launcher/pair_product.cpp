// Hand-off to the pair product, the launcher of the other processor width that "Pair
// Product" names, when the JVM found is one only it can load.
#include "report/launch_trace.h"
#include "report/reporter.h"
#include "launcher/pair_product.h"
#include "launcher/child_process.h"
#include "base/argument_list.h"
#include "base/unique_handle.h"
#include "report/message_ids.h"

namespace
{
// The identity of a file however its path is spelt (case, short names, links), or false.
bool GetFileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& information)
{
    const CUniqueFile hFile(CreateFileW(path.c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    return hFile && GetFileInformationByHandle(hFile.Get(), &information);
}

bool IsSameFile(const std::wstring& first, const std::wstring& second)
{
    BY_HANDLE_FILE_INFORMATION a;
    BY_HANDLE_FILE_INFORMATION b;
    return GetFileIdentity(first, a) && GetFileIdentity(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}
} // namespace

DWORD StartPairProduct(const SLaunchSettings& settings, const std::wstring& pairProduct,
                       const std::wstring& modulePath, CReporter& reporter)
{
    // A pair product that is this very executable would find the same runtime and start
    // itself again, without end.
    if (IsSameFile(pairProduct, modulePath))
    {
        reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, pairProduct, ERROR_CIRCULAR_DEPENDENCY);
        return kExitFailure;
    }

    // The pair product gets the launcher's own arguments, exactly as they were given, so a
    // document the user opened reaches it.
    const std::wstring commandLine =
        L"\"" + pairProduct + L"\"" + CommandLineAfterProgramName(GetCommandLineW());
    TraceLine(L"starting the pair product: " + commandLine);
    CUniqueHandle hProcess;
    if (!StartChildProcess(pairProduct, commandLine, hProcess))
    {
        const DWORD errorCode = GetLastError();
        reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, pairProduct, errorCode);
        return kExitFailure;
    }
    return settings.m_bPairReturnCode ? WaitForExitCode(hProcess) : 0;
}
