// Stand-in for a JRE's jvm.dll, for tests only. It exports the Invocation API entries under
// their real names and checks what it is given as strictly as a real VM would; anything
// unexpected ends the process loudly. Built twice: fakejvm.dll with both entries and
// fakejvm_nodefaults.dll without JNI_GetDefaultJavaVMInitArgs.
#include <windows.h>

// This library is the one that defines the Invocation API entries.
#define JNIIMPORT __declspec(dllexport)
#include <jni.h>

#include <cstdio>

#include "jvm/jvm_entries.h"

// The Java thread stack size this VM proposes.
static const jint kProposedJavaStackSize = 393216;

static void Fail(const char* pWhat)
{
    fprintf(stderr, "fakejvm: %s\n", pWhat);
    fflush(stderr);
    ExitProcess(0xFA11);
}

extern "C" JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** ppVm, void** ppEnv, void* pArgs)
{
    if (ppVm == nullptr || ppEnv == nullptr || pArgs == nullptr)
        Fail("JNI_CreateJavaVM: null argument");
    const JavaVMInitArgs* pInitArgs = static_cast<const JavaVMInitArgs*>(pArgs);
    if (pInitArgs->version != JNI_VERSION_1_2)
        Fail("JNI_CreateJavaVM: version is not JNI_VERSION_1_2");
    // No program is scripted yet: creation fails as a VM does on an unusable request.
    return JNI_ERR;
}

#ifndef FAKEJVM_WITHOUT_DEFAULT_ARGS
extern "C" JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* pArgs)
{
    if (pArgs == nullptr)
        Fail("JNI_GetDefaultJavaVMInitArgs: null record");
    SJdk11InitArgs* pRecord = static_cast<SJdk11InitArgs*>(pArgs);
    if (pRecord->version != kJniVersion11)
        Fail("JNI_GetDefaultJavaVMInitArgs: version is not JNI_VERSION_1_1");
    pRecord->javaStackSize = kProposedJavaStackSize;
    // Like the VMs of today, refuse the 1.1 record after filling in the stack size.
    return JNI_ERR;
}
#endif
