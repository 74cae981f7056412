// The Java main thread: it creates the VM and runs the main class on a stack of the size
// the settings or the JVM ask for.
#include "launcher/launcher.h"
#include "base/unique_handle.h"

#include <cstring>

DWORD CLauncher::StartMainThread()
{
    if (m_mainThreadStackSize == 0)
        m_mainThreadStackSize = GetDefaultThreadStackSize();
    // The size is a reservation, so that the thread's stack is exactly that large rather
    // than the executable's default reservation with the size committed.
    const DWORD flags = m_mainThreadStackSize != 0 ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0;
    const CUniqueHandle hThread(CreateThread(nullptr, m_mainThreadStackSize,
                                             &CLauncher::MainThreadProc, this, flags, nullptr));
    if (!hThread)
        return MainThreadProc(this);
    WaitForSingleObject(hThread.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeThread(hThread.Get(), &exitCode);
    return exitCode;
}

DWORD WINAPI CLauncher::MainThreadProc(void* pParameter)
{
    CLauncher* pLauncher = static_cast<CLauncher*>(pParameter);
    if (pLauncher == nullptr)
        return 1;
    if (!pLauncher->CreateJvm())
        return 1;
    return pLauncher->InvokeMainClass() ? 0 : 1;
}

size_t CLauncher::GetDefaultThreadStackSize()
{
    if (m_pfnGetDefaultJavaVMInitArgs == nullptr)
        return 0;
    SJdk11InitArgs args;
    std::memset(&args, 0, sizeof(args));
    args.version = kJniVersion11;
    // Older VMs answer a 1.1 record with an error and still fill in the stack size, so
    // only the field is consulted.
    m_pfnGetDefaultJavaVMInitArgs(&args);
    return args.javaStackSize > 0 ? static_cast<size_t>(args.javaStackSize) : 0;
}
