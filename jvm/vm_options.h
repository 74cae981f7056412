// Tokenizing "Virtual Machine Parameters": blanks separate, double quotes group.
#ifndef JVMHOST_VM_OPTIONS_H
#define JVMHOST_VM_OPTIONS_H

#include <string>

// Index of the first blank at or after start outside a quoted section, or the length.
size_t FindTokenEnd(const std::wstring& text, size_t start);

// Removes each pair of grouping quotes; a doubled closing quote leaves one quote.
void RemoveQuotes(std::wstring& token);

#endif
