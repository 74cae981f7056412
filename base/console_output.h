// The console launcher's own output: whether this executable was built for the console, and
// lines written to its standard error as the reader of that stream can take them.
#ifndef JVMHOST_CONSOLE_OUTPUT_H
#define JVMHOST_CONSOLE_OUTPUT_H

#include <string>

// Whether this process's executable is a console program (its PE header says so): the console
// launcher is the windowed one's code, linked for the console.
bool IsConsoleProgram();

// Writes the text and a line end to the standard error: wide through the console when the
// stream is one, UTF-8 to a pipe or a file, so that no character is lost either way.
void WriteErrorLine(const std::wstring& text);

#endif
