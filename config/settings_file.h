// Where the settings come from: the profile file beside the executable, read value by
// value, with the fallback to sections whose names end in "+".
#ifndef JVMHOST_SETTINGS_FILE_H
#define JVMHOST_SETTINGS_FILE_H

#include <string>

// The settings file of an executable: its path up to and including the last '.', then
// "ini". False when the path has no '.'.
bool DeriveSettingsFilePath(const std::wstring& modulePath, std::wstring& settingsPath);

// The raw value of a key; empty when the file, the section or the key is missing.
void ReadProfileString(const std::wstring& file, const std::wstring& section,
                       const std::wstring& key, std::wstring& value);

// The value from the section itself or, when that is empty, from the section named with a
// "+" appended, given one leading blank.
void LookupSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   std::wstring& value);

#endif
