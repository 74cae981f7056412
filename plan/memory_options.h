// Memory sizes given as a share of the machine's memory, and the Java main thread's stack.
#ifndef JVMHOST_MEMORY_OPTIONS_H
#define JVMHOST_MEMORY_OPTIONS_H

#include "base/machine_view.h"

#include <string>
#include <vector>

// The index of the first digit or ':' (the text's length when none) and the numbers from
// there up to, not including, the last character: digits build the current number, ':'
// starts a new one.
size_t ReadNumberList(const std::wstring& text, std::vector<unsigned long long>& numbers);

// By the last character: k 1024, m 1048576, g 1073741824 (either case), else 1.
unsigned long long UnitMultiplier(const std::wstring& text);

// "-Xms", "-Xmx" or "-Xss" ending in P, p, T or t.
bool IsMemoryPercentOption(const std::wstring& token);

// Rewrites a percentage token into kilobytes of the given basis in bytes (physical memory
// for P, free address space for T).
void ExpandMemoryPercentageOf(std::wstring& token, unsigned long long basis);

// The same with the basis the machine reports.
void ExpandMemoryPercentage(std::wstring& token, const CMachineView& machine);

// Bytes of an "-Xss" value ("512k", "2M", "1048576"); 0 when unusable.
unsigned long long ParseStackSize(const std::wstring& value);

#endif
