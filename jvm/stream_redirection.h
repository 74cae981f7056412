// Helpers of the standard stream redirection.
#ifndef JVMHOST_STREAM_REDIRECTION_H
#define JVMHOST_STREAM_REDIRECTION_H

#include <string>
#include <vector>

// Root (drive, \\server, with a \\?\ prefix kept) followed by the names below it.
std::vector<std::wstring> SplitPathComponents(const std::wstring& path);

// Creates the missing folders above the file; 0 or the error of the folder that failed.
unsigned long EnsureParentFolders(const std::wstring& path);

#endif
