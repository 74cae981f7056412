// What the registry search works with: the vendor keys and the runtimes found under them.
#ifndef JVMHOST_JRE_CANDIDATE_H
#define JVMHOST_JRE_CANDIDATE_H

#include "base/java_version.h"
#include "config/launch_settings.h"

#include <string>

// A key under HKEY_LOCAL_MACHINE whose subkeys are registered runtimes, one per version.
struct SVendorKey
{
    const wchar_t* path;
    bool isJdk;
    EVendor vendor;
};

// One registered runtime that passed every test.
struct CJreCandidate
{
    CJavaVersion version;
    std::wstring home;
    bool isServerVm;
    bool isFavored;
};

#endif
