// Loading the chosen JVM library and taking its Invocation API entries.
#ifndef JVMHOST_JVM_LIBRARY_H
#define JVMHOST_JVM_LIBRARY_H

#include "jvm/jvm_entries.h"
#include "report/reporter.h"

#include <string>

struct SJvmEntries
{
    PfnCreateJavaVM m_pfnCreateJavaVM = nullptr;
    PfnGetDefaultJavaVMInitArgs m_pfnGetDefaultJavaVMInitArgs = nullptr;
};

// Loads the library for the life of the process and takes both entries; false, after a
// message, when it cannot be loaded or lacks one.
bool LoadJvmEntries(const std::wstring& jvmLibraryPath, CReporter& reporter, SJvmEntries& entries);

// The stack size the library proposes for Java threads; 0 when it proposes none.
size_t ProposedThreadStackSize(const SJvmEntries& entries);

#endif
