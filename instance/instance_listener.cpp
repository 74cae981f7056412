// The first instance's side of a request: the listener takes each later start's arguments,
// and a worker thread hands them to the Java program's secondaryMain.
#include "instance/single_instance.h"
#include "instance/instance_record.h"
#include "jvm/java_calls.h"
#include "jvm/java_text.h"

#include <cstring>
#include <memory>

namespace
{
// Workers that serve later starts at once; a request above them is answered with -1.
const LONG kMaxWorkers = 64;

struct SecondaryMainRequest
{
    DWORD dwRequesterThreadId;
    UINT uMessage;
    CSingleInstance* pInstance;
    // Taken from the shared area when the request arrives, so that the next later start
    // can write it again at once.
    CArgumentList arguments;
    bool bReplied;
};

void PostReply(void* pContext, jint value)
{
    SecondaryMainRequest* pRequest = static_cast<SecondaryMainRequest*>(pContext);
    pRequest->bReplied = true;
    PostThreadMessageW(pRequest->dwRequesterThreadId, pRequest->uMessage,
                       static_cast<WPARAM>(static_cast<INT_PTR>(value)), 0);
}

// A request that fails is answered with -1 at once rather than when the first instance ends;
// a program without secondaryMain leaves its later starts waiting for that end, by design.
void ReplyToFailure(SecondaryMainRequest* pRequest, ESecondaryMainResult result)
{
    if (!pRequest->bReplied && result != SecondaryMainNoMethod)
        PostReply(pRequest, -1);
}
} // namespace

DWORD WINAPI CSingleInstance::InstanceListenerThread(void* pParameter)
{
    CSingleInstance* pInstance = static_cast<CSingleInstance*>(pParameter);
    InstanceRecord* pRecord = pInstance->Record();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message == 0 || msg.message != pInstance->m_uInstanceMessage)
            continue;
        const DWORD requester = static_cast<DWORD>(msg.wParam);
        // The area is taken only for the request that wrote it: one that gave up has cleared
        // it, and the next one may have written it again.
        unsigned char area[kInstanceArgumentAreaSize];
        memcpy(area, pRecord->abArguments, sizeof(area));
        if (HashInstanceRequest(area, requester) != static_cast<DWORD>(msg.lParam))
            continue;
        std::unique_ptr<SecondaryMainRequest> pRequest(new SecondaryMainRequest);
        pRequest->dwRequesterThreadId = requester;
        pRequest->uMessage = msg.message;
        pRequest->pInstance = pInstance;
        pRequest->bReplied = false;
        ReadInstanceArguments(area, pRequest->arguments);
        SetEvent(pInstance->m_hArgumentsTaken.Get());
        if (InterlockedIncrement(&pInstance->m_activeWorkers) <= kMaxWorkers)
        {
            const CUniqueHandle hWorker(CreateThread(
                nullptr, 0, &CSingleInstance::SecondaryMainWorker, pRequest.get(), 0, nullptr));
            if (hWorker)
            {
                pRequest.release();
                continue;
            }
        }
        InterlockedDecrement(&pInstance->m_activeWorkers);
        PostReply(pRequest.get(), -1);
    }
    return 0;
}

DWORD WINAPI CSingleInstance::SecondaryMainWorker(void* pParameter)
{
    std::unique_ptr<SecondaryMainRequest> pRequest(static_cast<SecondaryMainRequest*>(pParameter));
    CSingleInstance* pInstance = pRequest->pInstance;
    bool bServed = false;
    // Requests that come before main has been entered wait for it.
    if (pInstance->m_hMainStartedEvent &&
        WaitForSingleObject(pInstance->m_hMainStartedEvent.Get(), INFINITE) == WAIT_OBJECT_0)
    {
        JavaVM* pJavaVM = pInstance->m_pJavaVM;
        JNIEnv* pEnv = nullptr;
        if (pJavaVM != nullptr &&
            pJavaVM->AttachCurrentThread(reinterpret_cast<void**>(&pEnv), nullptr) == JNI_OK)
        {
            std::vector<std::u16string> arguments;
            for (size_t i = 0; i < pRequest->arguments.Count(); ++i)
                arguments.push_back(ToJavaText(pRequest->arguments.At(i)));
            const ESecondaryMainResult result = CallSecondaryMain(
                ToJavaText(pInstance->m_mainClass), arguments, pEnv, PostReply, pRequest.get());
            ReplyToFailure(pRequest.get(), result);
            bServed = true;
            if (pInstance->m_bDetachWorkers)
                pJavaVM->DetachCurrentThread();
        }
    }
    if (!bServed)
        PostReply(pRequest.get(), -1);
    InterlockedDecrement(&pInstance->m_activeWorkers);
    return 0;
}
