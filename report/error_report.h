// Error reporting: every failure the launcher tells the user about is a modal message box
// with an error icon and an OK button, its text taken from the string table.
#ifndef JVMHOST_ERROR_REPORT_H
#define JVMHOST_ERROR_REPORT_H

#include <windows.h>

#include <string>

// The string resource with that id; empty when there is none.
std::wstring LoadText(UINT id);

void ShowErrorMessage(HWND owner, const std::wstring& text);

// Format with a text and a Win32 error code (texts 202 and 222). The code is the one the
// caller captured right after its failing call.
void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& text,
                        DWORD errorCode);
// Format with two texts (text 203).
void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& first,
                        const std::wstring& second);
// Format with one text (texts 211 and 215).
void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& text);

#endif
