// Error messages: every failure the launcher tells the user about is a modal message box
// with an error icon and an OK button, its text taken from the string table.
#ifndef JVMHOST_ERROR_REPORT_H
#define JVMHOST_ERROR_REPORT_H

#include <windows.h>

#include <string>

// The string resource with that id; empty when there is none.
std::wstring LoadText(UINT id);

void ShowErrorMessage(HWND owner, const std::wstring& text);

#endif
