// Where a failing step reports itself. The launcher hands one reporter to its parts: the
// message boxes in a launch, a recording in a unit test.
#ifndef JVMHOST_REPORTER_H
#define JVMHOST_REPORTER_H

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// Exit code of every launch that fails before or while starting Java.
const DWORD kExitFailure = 0xFFFFFFFF;

// A message for the user that is not shown yet: a text of the string table and what fills its
// placeholders, in order. Text id 0 is no message.
struct SMessage
{
    UINT m_textId = 0;
    std::vector<std::wstring> m_values;

    bool IsSet() const { return m_textId != 0; }
};

// With a Win32 error code, printed signed, as the last value.
SMessage MessageWithCode(UINT formatId, const std::wstring& text, DWORD errorCode);

class CReporter
{
public:
    virtual ~CReporter() = default;

    // The whole text, as the user is to read it.
    virtual void Report(const std::wstring& text) = 0;

    // The text of the string table, its placeholders filled in order.
    void Report(UINT textId);
    void Report(UINT formatId, const std::wstring& text);
    void Report(UINT formatId, const std::wstring& first, const std::wstring& second);
    // With a Win32 error code, printed signed; the code is the one the caller captured right
    // after its failing call.
    void ReportWithCode(UINT formatId, const std::wstring& text, DWORD errorCode);
    void Report(const SMessage& message);
};

// The reporter of a launch: a modal error box for each report, owned by the splash window
// while that is shown.
class CMessageBoxReporter : public CReporter
{
public:
    using CReporter::Report;
    void Report(const std::wstring& text) override;

    // Written by the splash thread, read by whichever thread reports.
    void SetOwner(HWND hOwner) { m_hMessageOwner = hOwner; }

private:
    std::atomic<HWND> m_hMessageOwner{nullptr};
};

// The reporter of a console launch: each report one line on the standard error, after the
// program's name, as command-line tools write theirs.
class CConsoleReporter : public CReporter
{
public:
    using CReporter::Report;
    void Report(const std::wstring& text) override;
};

#endif
