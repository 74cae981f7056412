/* Where the Java runtime of a bundle is: the bundle's own, or one installed on the Mac. */
#ifndef MACSTUB_RUNTIME_LOCATION_H
#define MACSTUB_RUNTIME_LOCATION_H

#include "runtime_version.h"

/* Where macOS keeps the runtimes installed for all users; the tests name a folder of their own. */
#ifndef MACSTUB_INSTALLED_RUNTIMES
#define MACSTUB_INSTALLED_RUNTIMES "/Library/Java/JavaVirtualMachines"
#endif

/* The home (kLongPathSize bytes) of the runtime the bundle carries: Contents/runtime/Contents/Home,
   else the Contents/Home of the newest runtime under Contents/PlugIns. Returns 0 when it has
   none. */
int FindBundleRuntime(const char* bundle, char* home);

/* The home of the newest installed runtime that meets the requirement, or 0. */
int FindInstalledRuntime(const struct SVersionRequirement* requirement, char* home);

#endif
