// The application's class-data archive, as the launch plan decided it: the one start that
// holds the archive's lock may write it; every start gets the options for what it does.
#ifndef JVMHOST_CLASS_DATA_ARCHIVE_H
#define JVMHOST_CLASS_DATA_ARCHIVE_H

#include "base/unique_handle.h"
#include "base/vm_option_list.h"
#include "plan/class_data_plan.h"

class CClassDataArchive
{
public:
    // Makes the folder, takes the lock when the plan has a writer, deletes what the writer
    // deletes, and appends this start's options to options. A folder that cannot be made
    // leaves the options as they are.
    void Prepare(const SClassDataPlan& plan, CVmOptionList& options);

private:
    // The archive's lock: open without sharing for the life of the process, so that Windows
    // releases it when the process ends, however it ends, and deletes the file then.
    CUniqueFile m_hLock;
};

#endif
