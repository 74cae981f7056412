// The first instance's side of a request: the listener takes each later start's arguments,
// and a worker thread hands them to the Java program's secondaryMain.
#include "instance/instance_record.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"
#include "launcher/launcher.h"

#include <memory>

namespace
{
struct SecondaryMainRequest
{
    DWORD dwRequesterThreadId;
    UINT uMessage;
    CLauncher* pLauncher;
    // Taken from the shared area when the request arrives, so that the next later start
    // can write it again at once.
    CArgumentList arguments;
};

void PostReply(void* pContext, jint value)
{
    const SecondaryMainRequest* pRequest = static_cast<SecondaryMainRequest*>(pContext);
    PostThreadMessageW(pRequest->dwRequesterThreadId, pRequest->uMessage,
                       static_cast<WPARAM>(static_cast<INT_PTR>(value)), 0);
}
} // namespace

DWORD WINAPI CLauncher::InstanceListenerThread(void* pParameter)
{
    CLauncher* pLauncher = static_cast<CLauncher*>(pParameter);
    InstanceRecord* pRecord = static_cast<InstanceRecord*>(pLauncher->m_pInstanceRecord.Get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message == 0 || msg.message != pRecord->uMessage)
            continue;
        std::unique_ptr<SecondaryMainRequest> pRequest(new SecondaryMainRequest);
        pRequest->dwRequesterThreadId = static_cast<DWORD>(msg.wParam);
        pRequest->uMessage = msg.message;
        pRequest->pLauncher = pLauncher;
        ReadInstanceArguments(pRecord->abArguments, pRequest->arguments);
        SetEvent(pLauncher->m_hArgumentsTaken.Get());
        const CUniqueHandle hWorker(
            CreateThread(nullptr, 0, &CLauncher::SecondaryMainWorker, pRequest.get(), 0, nullptr));
        if (hWorker)
            pRequest.release();
    }
    return 0;
}

DWORD WINAPI CLauncher::SecondaryMainWorker(void* pParameter)
{
    std::unique_ptr<SecondaryMainRequest> pRequest(static_cast<SecondaryMainRequest*>(pParameter));
    CLauncher* pLauncher = pRequest->pLauncher;
    // Requests that come before main has been entered wait for it.
    if (!pLauncher->m_hMainStartedEvent ||
        WaitForSingleObject(pLauncher->m_hMainStartedEvent.Get(), INFINITE) != WAIT_OBJECT_0)
        return 0;
    JavaVM* pJavaVM = pLauncher->m_pJavaVM;
    JNIEnv* pEnv = nullptr;
    if (pJavaVM == nullptr ||
        pJavaVM->AttachCurrentThread(reinterpret_cast<void**>(&pEnv), nullptr) != JNI_OK)
        return 0;
    std::vector<std::u16string> arguments;
    for (size_t i = 0; i < pRequest->arguments.Count(); ++i)
        arguments.push_back(ToJavaText(pRequest->arguments.At(i)));
    CallSecondaryMain(ToJavaText(pLauncher->m_mainClass), arguments, pEnv, PostReply,
                      pRequest.get());
    // An IBM VM is left to end the process itself, as after main.
    if (!pLauncher->m_allowIbm && !pLauncher->m_favorIbm)
        pJavaVM->DetachCurrentThread();
    return 0;
}
