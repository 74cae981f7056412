// Per-user settings files, which remember the JRE folder a user picked.
#ifndef JVMHOST_USER_SETTINGS_H
#define JVMHOST_USER_SETTINGS_H

#include "config/launch_settings.h"

#include <string>

// The product folder name: the product name without \ ? " | > < : / and *.
std::wstring FilterProductFolderName(const std::wstring& productName);

// The user's own settings file of an executable, "<base name>.ini" in the folder of the
// product code below the product folder in %APPDATA%; with createFolders the two folders are
// made when missing.
std::wstring UserSettingsFilePath(const std::wstring& executablePath,
                                  const std::wstring& productName, const std::wstring& productCode,
                                  bool createFolders);

// Remembers the runtime a user picked in the JRE Not Found dialog ("JRE Path"): in the
// user's own settings files of the executable and of its pair product or, for a service, in
// the pair product's settings file. Nothing without a pair product.
void SaveJrePath(const SLaunchSettings& settings, const std::wstring& modulePath,
                 const std::wstring& home);

#endif
