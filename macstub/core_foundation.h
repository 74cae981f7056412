/* The few CoreFoundation types and functions the stub uses, declared here: the stub is built
   without Apple's SDK. */
#ifndef MACSTUB_CORE_FOUNDATION_H
#define MACSTUB_CORE_FOUNDATION_H

typedef unsigned char Boolean;
typedef unsigned char UInt8;
typedef long CFIndex;
typedef const struct __CFString* CFStringRef;
typedef const struct __CFDictionary* CFDictionaryRef;
typedef const struct __CFURL* CFURLRef;
typedef struct __CFBundle* CFBundleRef;

CFBundleRef CFBundleGetMainBundle(void);
CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle);
const void* CFDictionaryGetValue(CFDictionaryRef dictionary, const void* key);
CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle);
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen);

#ifdef __APPLE__
/* A constant string in the executable, as CoreFoundation lays them out. */
#define CFSTR(text) ((CFStringRef)__builtin___CFStringMakeConstantString(text))
#else
CFStringRef __CFStringMakeConstantString(const char* text);
#define CFSTR(text) __CFStringMakeConstantString(text)
#endif

#endif
