// The reports of a failing step, and the message boxes that show them.
#include "report/reporter.h"
#include "base/text.h"
#include "report/error_report.h"

void CReporter::Report(UINT textId)
{
    Report(LoadText(textId));
}

void CReporter::Report(UINT formatId, const std::wstring& text)
{
    Report(FormatText(LoadText(formatId), {text}));
}

void CReporter::Report(UINT formatId, const std::wstring& first, const std::wstring& second)
{
    Report(FormatText(LoadText(formatId), {first, second}));
}

SMessage MessageWithCode(UINT formatId, const std::wstring& text, DWORD errorCode)
{
    return {formatId, {text, DecimalText(static_cast<int>(errorCode))}};
}

void CReporter::ReportWithCode(UINT formatId, const std::wstring& text, DWORD errorCode)
{
    Report(MessageWithCode(formatId, text, errorCode));
}

void CReporter::Report(const SMessage& message)
{
    Report(FormatText(LoadText(message.m_textId), message.m_values));
}

void CMessageBoxReporter::Report(const std::wstring& text)
{
    ShowErrorMessage(m_hMessageOwner, text);
}
