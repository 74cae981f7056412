// Machine-dependent JNI definitions for 64-bit Windows (mingw-w64). Paired with the JDK's
// portable jni.h, which includes this header.
#ifndef JVMHOST_JNI_MD_WINDOWS_H
#define JVMHOST_JNI_MD_WINDOWS_H

#define JNIEXPORT __declspec(dllexport)
#ifndef JNIIMPORT
#define JNIIMPORT __declspec(dllimport)
#endif
#define JNICALL __stdcall

typedef long jint;
typedef __int64 jlong;
typedef signed char jbyte;

#endif
