// Hand-off to the companion executable ("Pair Product") when the JVM found belongs to the
// other processor width.
#include "launcher/error_report.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

DWORD CLauncher::StartPairProduct()
{
    STARTUPINFOW startupInfo;
    ZeroMemory(&startupInfo, sizeof(startupInfo));
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION processInfo;
    ZeroMemory(&processInfo, sizeof(processInfo));

    // The companion gets the launcher's own arguments, exactly as they were given, so a
    // document the user opened reaches it.
    std::wstring commandLine =
        L"\"" + m_pairProduct + L"\"" + CommandLineAfterProgramName(GetCommandLineW());
    const BOOL started = CreateProcessW(m_pairProduct.c_str(), &commandLine[0], nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startupInfo, &processInfo);
    if (!started)
    {
        const DWORD errorCode = GetLastError();
        ShowFormattedError(m_hMessageOwner, LoadText(IDS_WINDOWS_EXCEPTION), m_pairProduct,
                           errorCode);
        return kExitFailure;
    }
    CloseHandle(processInfo.hThread);
    DWORD exitCode = 0;
    if (m_bPairReturnCode)
    {
        WaitForSingleObject(processInfo.hProcess, INFINITE);
        GetExitCodeProcess(processInfo.hProcess, &exitCode);
    }
    CloseHandle(processInfo.hProcess);
    return exitCode;
}
