// Per-user settings files, which remember the JRE folder a user picked.
#ifndef JVMHOST_USER_SETTINGS_H
#define JVMHOST_USER_SETTINGS_H

#include <string>

// The product folder name: the product name without \ ? " | > < : / and *.
std::wstring FilterProductFolderName(const std::wstring& productName);

// The base name of an executable: after its last backslash, before its last '.'.
std::wstring ExecutableBaseName(const std::wstring& executablePath);

// The user's own settings file of an executable, "<base name>.ini" in the folder of the
// product code below the product folder in %APPDATA%; with createFolders the two folders are
// made when missing.
std::wstring UserSettingsFilePath(const std::wstring& executablePath,
                                  const std::wstring& productName, const std::wstring& productCode,
                                  bool createFolders);

#endif
