// Windows paths: the pieces the launcher takes apart (folder, last component, root), whether
// one exists, the folders above a file, and the executable's own path.
#ifndef JVMHOST_PATH_PIECES_H
#define JVMHOST_PATH_PIECES_H

#include <string>
#include <vector>

// The text before the last backslash; a text without backslash stays as it is.
std::wstring StripLastComponent(const std::wstring& path);

// The text up to and including the last backslash; empty when there is none.
std::wstring FolderWithBackslash(const std::wstring& path);

// The text after the last backslash; the whole text when there is none.
std::wstring LastComponent(const std::wstring& path);

// The last component without its extension: "C:\\App\\Hello.exe" gives "Hello".
std::wstring ExecutableBaseName(const std::wstring& executablePath);

// path with a backslash appended unless it already ends in one.
std::wstring WithTrailingBackslash(const std::wstring& path);

// Whether the path starts at a drive ("C:...") or a server ("\\server...", "\\?\...").
bool HasRoot(const std::wstring& path);

// True when a file-system search for exactly that path finds anything (a folder too).
bool FileExists(const std::wstring& path);

// Root (drive, \\server, with a \\?\ prefix kept) followed by the names below it.
std::vector<std::wstring> SplitPathComponents(const std::wstring& path);

// Creates the missing folders above the file; 0 or the error of the folder that failed.
unsigned long EnsureParentFolders(const std::wstring& path);

// The path of the running executable, however long; false (with the thread's last error set)
// when Windows cannot say.
bool ReadModulePath(std::wstring& path);

#endif
