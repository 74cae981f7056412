// The application's own class-data archive: whether a launch uses one, makes one or goes
// without, from the runtime, the class path and the VM's options.
#ifndef JVMHOST_CLASS_DATA_PLAN_H
#define JVMHOST_CLASS_DATA_PLAN_H

#include "base/vm_option_list.h"

#include <string>
#include <vector>

enum EClassDataKind
{
    ClassDataNone,
    // Java 19 to 24 on a runtime with its base archive: a dynamic archive on top of it, which
    // the VM of the writing start makes again by itself whenever it cannot use it.
    ClassDataDynamicArchive,
    // Java 25 and later: the ahead-of-time cache, made when the program ends.
    ClassDataAheadOfTimeCache,
};

struct SClassDataPlan
{
    EClassDataKind m_kind = ClassDataNone;
    // Ends in a backslash; made when missing.
    std::wstring m_folder;
    std::wstring m_archive;
    // The options of the one start that holds the archive's lock, which may write it; empty
    // when the archive is only read.
    CVmOptionList m_writerOptions;
    // The options of a start that reads the archive, or of one that finds the lock taken.
    CVmOptionList m_readerOptions;
    // What the writer deletes before it starts the VM: an archive the runtime refused, the
    // archives older than the newest other one, and their logs.
    std::vector<std::wstring> m_filesToDelete;
    // Where the VM writes its own class-data messages in this start, for the trace; empty
    // when it writes none.
    std::wstring m_vmLog;
};

#endif
