// Entry function of jvmhost.exe.
#include "report/launch_trace.h"
#include "base/text.h"
#include "report/error_report.h"
#include "launcher/launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    OpenLaunchTrace();
    TraceLine(std::wstring(L"start: ") + GetCommandLineW());
    CLauncher launcher;
    SetThreadLocale(GetSystemDefaultLCID());
    // Gives this thread its message queue before anything else happens: thread messages
    // from other instances are posted to it.
    DefWindowProcW(nullptr, WM_NULL, 0, 0);
    const DWORD result = launcher.Initialize() ? launcher.Run() : kExitFailure;
    launcher.Shutdown();
    TraceLine(L"exit code " + DecimalText(static_cast<long long>(result)));
    return static_cast<int>(result);
}
