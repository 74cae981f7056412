/* The entry points of the system's Java application launcher (a private framework). */
#ifndef MACSTUB_JAVA_LAUNCHER_H
#define MACSTUB_JAVA_LAUNCHER_H

#include "core_foundation.h"

/* Starts the Java application that the information dictionary describes; its result is the
   process's exit status. */
int launchJavaApplication(int argc, const char** argv, CFDictionaryRef infoDictionary);

/* Starts the Java application of the bundle from the current directory. */
int MRJApplicationMainArgs(int argc, const char** argv);

#endif
