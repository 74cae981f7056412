// The VM's life: the Java main thread, which creates the VM and runs the main class on a
// stack of the size the settings or the JVM ask for, and the VM's end.
#include "jvm/java_vm.h"
#include "base/unique_handle.h"

#include <cstring>

CJavaVm::CJavaVm(const SLaunchSettings& settings, const std::wstring& modulePath,
                 CReporter& reporter, CMainThreadListener& listener)
    : m_settings(settings), m_modulePath(modulePath), m_reporter(reporter), m_listener(listener),
      m_pfnCreateJavaVM(nullptr), m_pfnGetDefaultJavaVMInitArgs(nullptr), m_mainThreadStackSize(0),
      m_pJavaVM(nullptr), m_pJniEnv(nullptr)
{
}

void CJavaVm::DestroyJavaVm()
{
    if (m_pJavaVM != nullptr)
        m_pJavaVM->DestroyJavaVM();
    m_pJavaVM = nullptr;
}

DWORD CJavaVm::StartMainThread()
{
    if (m_mainThreadStackSize == 0)
        m_mainThreadStackSize = GetDefaultThreadStackSize();
    // The size is a reservation, so that the thread's stack is exactly that large rather
    // than the executable's default reservation with the size committed.
    const DWORD flags = m_mainThreadStackSize != 0 ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0;
    const CUniqueHandle hThread(CreateThread(nullptr, m_mainThreadStackSize,
                                             &CJavaVm::MainThreadProc, this, flags, nullptr));
    if (!hThread)
        return MainThreadProc(this);
    WaitForSingleObject(hThread.Get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeThread(hThread.Get(), &exitCode);
    return exitCode;
}

DWORD WINAPI CJavaVm::MainThreadProc(void* pParameter)
{
    CJavaVm* pVm = static_cast<CJavaVm*>(pParameter);
    if (pVm == nullptr)
        return 1;
    if (!pVm->CreateJvm())
        return 1;
    return pVm->InvokeMainClass() ? 0 : 1;
}

size_t CJavaVm::GetDefaultThreadStackSize()
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
