// Per-user settings files, which remember the JRE folder a user picked.
#ifndef JVMHOST_USER_SETTINGS_H
#define JVMHOST_USER_SETTINGS_H

#include <string>

// True on the NT platform family, where the per-user files are used.
bool IsUserSettingsPlatform();

// The product folder name: the product name without \ ? " | > < : / and *.
std::wstring FilterProductFolderName(const std::wstring& productName);

// The base name of an executable: after its last backslash, before its last '.'.
std::wstring ExecutableBaseName(const std::wstring& executablePath);

#endif
