// From a Java runtime's home folder to the jvm.dll that the launcher loads.
#ifndef JVMHOST_JVM_RESOLUTION_H
#define JVMHOST_JVM_RESOLUTION_H

#include "config/launch_settings.h"

#include <string>

// home ends in a backslash. Returns home + the relative path of the first JVM library that
// exists for that type, or empty; isServerVm is written only when a library is found.
std::wstring ResolveJvmLibrary(const std::wstring& home, int jvmType, bool& isServerVm);

// A runtime's home (folder ends in a backslash): it holds "bin\java.dll".
bool IsJreHome(const std::wstring& folder);

#endif
