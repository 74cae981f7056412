/* The start of the Java application through the runtime's launcher library, libjli, as java
   itself starts it. */
#ifndef MACSTUB_JLI_LAUNCH_H
#define MACSTUB_JLI_LAUNCH_H

#include "command_line.h"

/* Loads the libjli of the runtime home and hands it the command line. Returns the application's
   exit status, or 1 with a message when the library cannot be used. */
int LaunchWithJli(const char* home, const struct SCommandLine* command);

/* On macOS libjli keeps the first thread for the event loop and calls main again on a thread
   of its own; there the launch goes on with the same command line. Returns 0 when no launch is
   under way, else 1 and the application's exit status. */
int ResumeJliLaunch(int* status);

#endif
