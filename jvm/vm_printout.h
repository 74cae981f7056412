// What the VM prints: passed on to this process's standard output or error, and what it
// printed while it was being created kept, so that a refusal can show the VM's own reason
// (a windowed process has no standard error that a user would see).
#ifndef JVMHOST_VM_PRINTOUT_H
#define JVMHOST_VM_PRINTOUT_H

#include "jvm/java_calls.h"

#include <string>

// The hook to give the VM once its library is loaded, before the VM is created; null when the
// VM's C runtime is not the Universal C Runtime (whose streams the hook tells apart).
PfnPrintHook VmPrintHook();

// Keeps what the VM prints from now on, the last 1,000 characters of it.
void StartKeepingVmPrintout();

// What was kept since StartKeepingVmPrintout, without the line end at its end; nothing more
// is kept after this.
std::wstring StopKeepingVmPrintout();

#endif
