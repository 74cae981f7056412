// Drives the launcher's own dialogs for boxwatch.exe, step by step, as a user would, and
// reports what each step saw as JSON.
#ifndef JVMHOST_TESTS_DIALOG_DRIVER_H
#define JVMHOST_TESTS_DIALOG_DRIVER_H

#include <windows.h>

#include <string>
#include <vector>

// Runs the steps, one text each, on the dialog; returns a JSON array of their reports.
// Steps:
//   texts               every child control: id, class, text, enabled, rectangle in the
//                       dialog's client coordinates; and the window's size
//   browse PATH         Browse... (control 202), then in the folder browser the folder PATH
//                       (a Windows path on drive Z:) is chosen and OK pressed
//   click ID            the command a click on button ID sends
//   key return|escape   the key pressed and released in the dialog
//   close               the caption's close box
//   link ID             a click on the text of link control ID (button down and up at its
//                       top-left text corner)
//   char ID CODE        the character CODE typed into control ID
//   resize DX DY        the window made DX, DY pixels larger (negative: smaller)
//   colors ID           the two colours control ID shows most on the screen, most first
//   shot FILE           the dialog's picture as a 24-bit BMP file
//   waitfile FILE       waits up to 10 s for the file to exist
std::string RunDialogSteps(HWND hDialog, DWORD processId, const std::vector<std::wstring>& steps);

std::string Json(const std::wstring& text);

#endif
