// Narrow text for the VM and the runtime's libraries, which take it in the thread's ANSI code
// page, and paths that survive the narrowing.
#ifndef JVMHOST_NARROW_TEXT_H
#define JVMHOST_NARROW_TEXT_H

#include "base/machine_view.h"

#include <string>

// The text in the thread's ANSI code page; characters it lacks become best-fit or default
// characters.
std::string NarrowForVm(const std::wstring& text);

// Whether the text comes back from that conversion unchanged.
bool SurvivesNarrowing(const std::wstring& text);

// A path that survives that conversion: the path itself when it does, else its short (8.3)
// form when the file system has one that does, else the path unchanged.
std::wstring AnsiSafePath(const CMachineView& machine, const std::wstring& path);

// Each ';'-separated path of a list made ANSI-safe.
std::wstring AnsiSafePathList(const CMachineView& machine, const std::wstring& list);

#endif
