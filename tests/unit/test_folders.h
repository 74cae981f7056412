// Folders the unit tests work in.
#ifndef JVMHOST_TESTS_TEST_FOLDERS_H
#define JVMHOST_TESTS_TEST_FOLDERS_H

#include <string>

// Folder of the running test executable, with a trailing backslash; the test tools and
// stand-in libraries are built into it.
std::wstring TestBinaryFolder();

// A new, empty folder under the temporary folder, with a trailing backslash.
std::wstring NewScratchFolder();

void WriteTextFile(const std::wstring& path, const std::string& bytes);
std::string ReadTextFile(const std::wstring& path);

#endif
