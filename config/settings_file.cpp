#include "config/settings_file.h"
#include "base/text.h"
#include "base/argument_list.h"
#include "base/path_pieces.h"
#include "report/launch_trace.h"

#include <windows.h>

#include <vector>

const wchar_t kProductSection[] = L"Product Information";
const wchar_t kJreSection[] = L"Java Runtime Environment";
const wchar_t kApplicationSection[] = L"Application";
const wchar_t kDisplaySection[] = L"Display";
const wchar_t kClassPathSection[] = L"Class Path";

bool DeriveSettingsFilePath(const std::wstring& modulePath, std::wstring& settingsPath)
{
    const size_t dot = modulePath.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    settingsPath = modulePath.substr(0, dot + 1) + L"ini";
    return true;
}

void ReadProfileString(const std::wstring& file, const std::wstring& section,
                       const std::wstring& key, std::wstring& value)
{
    DWORD size = 256;
    for (;;)
    {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"",
                                                      buffer.data(), size, file.c_str());
        if (length != size - 1)
        {
            value.assign(buffer.data());
            if (IsTracing())
                TraceLine(L"[" + section + L"] " + key +
                          (value.empty() ? L": not set" : L" = " + value) + L"  (" +
                          LastComponent(file) + L")");
            return;
        }
        size *= 2;
    }
}

void LookupSetting(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                   std::wstring& value)
{
    value.clear();
    std::wstring own;
    ReadProfileString(file, section, key, own);
    if (!own.empty())
    {
        value = own;
        return;
    }
    std::wstring extended;
    ReadProfileString(file, section + L"+", key, extended);
    if (extended.empty())
        return;
    if (extended[0] != L' ')
        value = L" ";
    value += extended;
}

namespace
{
// The section's lines as written, "key=value" each; the profile reader quotes nothing here.
std::vector<std::wstring> ReadSectionLines(const std::wstring& file, const std::wstring& section)
{
    std::vector<std::wstring> lines;
    for (DWORD size = 4096;; size *= 2)
    {
        std::vector<wchar_t> buffer(size, L'\0');
        const DWORD length =
            GetPrivateProfileSectionW(section.c_str(), buffer.data(), size, file.c_str());
        if (length + 2 >= size)
            continue;
        for (const wchar_t* pLine = buffer.data(); *pLine != L'\0'; pLine += wcslen(pLine) + 1)
            lines.push_back(pLine);
        return lines;
    }
}

// The raw value of the key in the section; false when the section has no such key.
bool ReadRawValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                  std::wstring& value)
{
    for (const std::wstring& line : ReadSectionLines(file, section))
    {
        const size_t equals = line.find(L'=');
        if (equals != std::wstring::npos &&
            EqualsIgnoringAsciiCase(TrimWhiteSpace(line.substr(0, equals)), key.c_str()))
        {
            value = TrimWhiteSpace(line.substr(equals + 1));
            return true;
        }
    }
    return false;
}
} // namespace

bool IsValueWhollyQuoted(const std::wstring& file, const std::wstring& section,
                         const std::wstring& key)
{
    std::wstring raw;
    if ((!ReadRawValue(file, section, key, raw) || raw.empty()) &&
        !ReadRawValue(file, section + L"+", key, raw))
        return false;
    return raw.size() >= 2 && (raw[0] == L'"' || raw[0] == L'\'') && raw.back() == raw[0];
}

bool IsYesValue(const std::wstring& value)
{
    return EqualsIgnoringAsciiCase(value, L"Yes");
}
