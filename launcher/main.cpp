// Entry function of jvmhost.exe.
#include "launcher/launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CLauncher launcher;
    SetThreadLocale(GetSystemDefaultLCID());
    // Gives this thread its message queue before anything else happens: thread messages
    // from other instances are posted to it.
    DefWindowProcW(nullptr, WM_NULL, 0, 0);
    const DWORD result = launcher.Initialize() ? launcher.Run() : kExitFailure;
    launcher.Shutdown();
    return static_cast<int>(result);
}
