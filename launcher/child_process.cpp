// A child launcher gets the standard streams of this one, so that a console program's output,
// redirected or not, and its input reach the program that runs in the child.
#include "launcher/child_process.h"

bool StartChildProcess(const std::wstring& path, std::wstring commandLine, CUniqueHandle& hProcess)
{
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    // Handed on only when inheritable; a windowed launcher without streams hands on none.
    for (HANDLE hStream : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        SetHandleInformation(hStream, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof(process));
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    hProcess.Reset(process.hProcess);
    return true;
}

unsigned long WaitForExitCode(const CUniqueHandle& hProcess)
{
    WaitForSingleObject(hProcess.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(hProcess.Get(), &exitCode);
    return exitCode;
}
