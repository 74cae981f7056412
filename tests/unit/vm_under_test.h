// A VM part with everything it is given, for the tests of its steps; failures are recorded.
#ifndef JVMHOST_VM_UNDER_TEST_H
#define JVMHOST_VM_UNDER_TEST_H

#include "jvm/java_vm.h"
#include "recording_reporter.h"

struct SVmUnderTest : CMainThreadListener
{
    void MainStarted(JavaVM*) override {}
    void ExceptionEscapedMain() override {}

    SLaunchSettings settings;
    std::wstring modulePath;
    CRecordingReporter reporter;
    CJavaVm vm{settings, modulePath, reporter, *this};
};

#endif
