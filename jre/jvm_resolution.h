// From a Java runtime's home folder to the jvm.dll that the launcher loads.
#ifndef JVMHOST_JVM_RESOLUTION_H
#define JVMHOST_JVM_RESOLUTION_H

#include "base/java_version.h"
#include "base/machine_view.h"
#include "config/launch_settings.h"

#include <string>

struct SJvmLibrary
{
    // Empty when the home has no JVM library of the type.
    std::wstring m_path;
    bool m_bServerVm = false;
};

// home ends in a backslash: home + the relative path of the first JVM library that exists for
// that type.
SJvmLibrary ResolveJvmLibrary(const CMachineView& machine, const std::wstring& home,
                              EJvmType jvmType);

// A runtime's home (folder ends in a backslash): it holds "bin\java.dll".
bool IsJreHome(const CMachineView& machine, const std::wstring& folder);

// JAVA_VERSION of the runtime's "release" file (JAVA_VERSION="17.0.2"); false without one.
// Only whole lines count: a line cut off by the size limit is not one.
bool ReadReleaseVersion(const CMachineView& machine, const std::wstring& home,
                        CJavaVersion& version);

// The version of the runtime at home (ending in a backslash): its release file's, else its
// JVM library's version resource; false when neither tells.
bool ReadRuntimeVersion(const CMachineView& machine, const std::wstring& home,
                        const std::wstring& jvmLibraryPath, CJavaVersion& version);

#endif
