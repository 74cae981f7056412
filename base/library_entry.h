// Entries of libraries loaded at run time (the JVM library, the runtime's splash library).
#ifndef JVMHOST_LIBRARY_ENTRY_H
#define JVMHOST_LIBRARY_ENTRY_H

#include <windows.h>

// An exported function of a loaded library as the type it really has; null when missing.
template <typename TFunction> TFunction LookupEntry(HMODULE hLibrary, const char* pName)
{
    return reinterpret_cast<TFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(hLibrary, pName)));
}

#endif
