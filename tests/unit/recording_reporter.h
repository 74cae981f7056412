// A reporter that keeps what a part reported, for the test to compare.
#ifndef JVMHOST_RECORDING_REPORTER_H
#define JVMHOST_RECORDING_REPORTER_H

#include "report/reporter.h"

#include <string>
#include <vector>

class CRecordingReporter : public CReporter
{
public:
    using CReporter::Report;
    void Report(const std::wstring& text) override { m_reports.push_back(text); }

    std::vector<std::wstring> m_reports;
};

#endif
