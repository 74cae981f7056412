// The pieces of a Windows path the launcher takes apart: its folder, its last component.
#ifndef JVMHOST_PATH_PIECES_H
#define JVMHOST_PATH_PIECES_H

#include <string>

// The text before the last backslash; a text without backslash stays as it is.
std::wstring StripLastComponent(const std::wstring& path);

// The text up to and including the last backslash; empty when there is none.
std::wstring FolderWithBackslash(const std::wstring& path);

// The text after the last backslash; the whole text when there is none.
std::wstring LastComponent(const std::wstring& path);

// path with a backslash appended unless it already ends in one.
std::wstring WithTrailingBackslash(const std::wstring& path);

#endif
