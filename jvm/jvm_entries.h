// The two Invocation API entries that the launcher takes from a JVM library, and the
// 1.1-style record through which the library proposes a Java thread stack size.
#ifndef JVMHOST_JVM_ENTRIES_H
#define JVMHOST_JVM_ENTRIES_H

#include <jni.h>

#include <cstddef>

typedef jint(JNICALL* PfnCreateJavaVM)(JavaVM** ppVm, void** ppEnv, void* pInitArgs);
typedef jint(JNICALL* PfnGetDefaultJavaVMInitArgs)(void* pInitArgs);

// JDK1_1InitArgs as laid out on a 64-bit platform: 96 bytes, only the fields the launcher
// touches are named.
struct SJdk11InitArgs
{
    jint version;
    jint reserved0;
    char** properties;
    jint checkSource;
    jint nativeStackSize;
    jint javaStackSize;
    unsigned char rest[68];
};

static_assert(sizeof(SJdk11InitArgs) == 96, "JDK1_1InitArgs is 96 bytes");
static_assert(offsetof(SJdk11InitArgs, javaStackSize) == 24, "javaStackSize sits at byte 24");

const jint kJniVersion11 = 0x00010001;

#endif
