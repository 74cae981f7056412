// The two Invocation API entries that the launcher takes from a JVM library, and the
// 1.1-style record through which the library proposes a Java thread stack size.
#ifndef JVMHOST_JVM_ENTRIES_H
#define JVMHOST_JVM_ENTRIES_H

#include <jni.h>

#include <cstddef>

typedef jint(JNICALL* PfnCreateJavaVM)(JavaVM** ppVm, void** ppEnv, void* pInitArgs);
typedef jint(JNICALL* PfnGetDefaultJavaVMInitArgs)(void* pInitArgs);

// JDK1_1InitArgs, the 1.1-style record: 96 bytes on 64-bit Windows, 72 on 32-bit. Only the
// fields the launcher touches are named.
struct SJdk11InitArgs
{
    jint version;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    jint minHeapSize;
    jint maxHeapSize;
    jint verifyMode;
    char* classpath;
    void* vfprintfHook;
    void* exitHook;
    void* abortHook;
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

static_assert(sizeof(void*) == 8 ? sizeof(SJdk11InitArgs) == 96 : sizeof(SJdk11InitArgs) == 72,
              "JDK1_1InitArgs is 96 bytes on 64-bit Windows and 72 on 32-bit");
static_assert(offsetof(SJdk11InitArgs, javaStackSize) == (sizeof(void*) == 8 ? 24 : 16),
              "javaStackSize sits at byte 24 on 64-bit Windows and at byte 16 on 32-bit");

const jint kJniVersion11 = 0x00010001;

#endif
