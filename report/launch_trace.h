// The launch trace: when the environment variable JVMHOST_TRACE names a file, the launcher
// appends to it, in UTF-8, what it read, tried and chose, and how long each step took. It
// never changes what the launcher does; a file that cannot be written leaves it untraced.
#ifndef JVMHOST_LAUNCH_TRACE_H
#define JVMHOST_LAUNCH_TRACE_H

#include "report/explanation.h"

#include <string>

// Opens the trace file named by JVMHOST_TRACE, once per process.
void OpenLaunchTrace();

bool IsTracing();

// One line: the process id and the milliseconds since the trace was opened come first.
void TraceLine(const std::wstring& line);

// Each line of a text file that another program wrote, after prefix; nothing when it cannot
// be read.
void TraceFileLines(const std::wstring& prefix, const std::wstring& path);

// Each line of the explanation, in order.
void TraceExplanation(const CExplanation& explanation);

// Traces how long the scope took, at its end, in milliseconds to the microsecond.
class CTraceStep
{
public:
    explicit CTraceStep(const wchar_t* pName);
    ~CTraceStep();
    CTraceStep(const CTraceStep&) = delete;
    CTraceStep& operator=(const CTraceStep&) = delete;

private:
    const wchar_t* m_pName;
    unsigned long long m_start; // microseconds of the performance counter
};

#endif
