// The way most launchers start Java: run the command line after the program's own name as a
// child process (javaw.exe ...), wait for it and end with its exit code. For the benchmark.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR pCommandLine, int)
{
    STARTUPINFOW startupInfo = {};
    startupInfo.cb = sizeof(startupInfo);
    PROCESS_INFORMATION processInfo = {};
    if (!CreateProcessW(nullptr, pCommandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startupInfo, &processInfo))
        return 2;
    WaitForSingleObject(processInfo.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processInfo.hProcess, &exitCode);
    CloseHandle(processInfo.hThread);
    CloseHandle(processInfo.hProcess);
    return static_cast<int>(exitCode);
}
