/* The entry points of the system's Java application launcher (a private framework). */
#ifndef MACSTUB_JAVA_LAUNCHER_H
#define MACSTUB_JAVA_LAUNCHER_H

#include "core_foundation.h"

/* The framework is linked weakly: on a Mac without it, both entries are null. */
#if defined(__APPLE__)
#define MACSTUB_WEAK __attribute__((weak_import))
#else
#define MACSTUB_WEAK __attribute__((weak))
#endif

/* Starts the Java application that the information dictionary describes; its result is the
   process's exit status. */
MACSTUB_WEAK int launchJavaApplication(int argc, const char** argv, CFDictionaryRef infoDictionary);

/* Starts the Java application of the bundle from the current directory. */
MACSTUB_WEAK int MRJApplicationMainArgs(int argc, const char** argv);

#endif
