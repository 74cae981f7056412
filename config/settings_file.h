// Where the settings come from: the profile file beside the executable, read value by
// value, with the fallback to sections whose names end in "+".
#ifndef JVMHOST_SETTINGS_FILE_H
#define JVMHOST_SETTINGS_FILE_H

#include <string>

// Sections of the settings file.
extern const wchar_t kProductSection[];
extern const wchar_t kJreSection[];
extern const wchar_t kApplicationSection[];
extern const wchar_t kDisplaySection[];
extern const wchar_t kClassPathSection[];

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

// Whether the key's value is written in one pair of quotes (" or ') in the section that
// LookupSetting takes it from, which the profile reader removes.
bool IsValueWhollyQuoted(const std::wstring& file, const std::wstring& section,
                         const std::wstring& key);

// The yes-test of the settings: the whole value is "Yes" in any case of A to Z.
bool IsYesValue(const std::wstring& value);

#endif
