// The reports of a failing step, and the message boxes that show them.
#include "report/reporter.h"
#include "base/console_output.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "report/error_report.h"
#include "report/launch_trace.h"

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

void CConsoleReporter::Report(const std::wstring& text)
{
    TraceLine(L"message written: " + text);
    std::wstring path;
    ReadModulePath(path);
    const std::wstring name = ExecutableBaseName(path);
    // One line: the line breaks that lay a box's text out become blanks, and a text that ends
    // with one ends without it.
    std::wstring line;
    for (wchar_t c : text)
    {
        if (c == L'\r' || c == L'\n')
        {
            if (!line.empty() && line.back() != L' ')
                line += L' ';
        }
        else
            line += c;
    }
    while (!line.empty() && line.back() == L' ')
        line.pop_back();
    WriteErrorLine(name + L": " + line);
}
