// Folders the unit tests work in, and the rule for tests that use the desktop.
#ifndef JVMHOST_TESTS_TEST_FOLDERS_H
#define JVMHOST_TESTS_TEST_FOLDERS_H

#include <string>

// Folder of the running test executable, with a trailing backslash; the test tools and
// stand-in libraries are built into it.
std::wstring TestBinaryFolder();

// The running test program's path: it stands for the launcher's executable.
std::wstring TestProgramPath();

// A new, empty folder under the temporary folder, with a trailing backslash.
std::wstring NewScratchFolder();

void WriteTextFile(const std::wstring& path, const std::string& bytes);
std::string ReadTextFile(const std::wstring& path);

// Tests that show windows or write the prefix's registry take turns: their suite name ends in
// "OnDesktop", which gives them the desktop lock and JVMHOST_TEST_DESKTOP. A test that uses
// the desktop calls this first; without the lock it fails, naming the rule.
void RequireDesktopLock();

#endif
