#include "table_machine.h"
#include "base/argument_list.h"
#include "base/java_version.h"
#include "base/path_pieces.h"
#include "base/text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

namespace
{
std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

// The text of a fact, with \n and \r for line ends.
std::string Unescaped(const std::wstring& text)
{
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'\\' && i + 1 < text.size() && (text[i + 1] == L'n' || text[i + 1] == L'r'))
            result += text[++i] == L'n' ? L'\n' : L'\r';
        else
            result += text[i];
    }
    return ToUtf8(result);
}

unsigned long long Bytes(const std::wstring& text)
{
    unsigned long long value = std::stoull(text);
    return !text.empty() && text.back() == L'G' ? value << 30 : value;
}

// A file name against a pattern of '*' and '?', ignoring case.
bool MatchesPattern(const std::wstring& name, const std::wstring& pattern)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == L'*')
        return MatchesPattern(name, pattern.substr(1)) ||
               (!name.empty() && MatchesPattern(name.substr(1), pattern));
    return !name.empty() &&
           (pattern[0] == L'?' || std::towlower(pattern[0]) == std::towlower(name[0])) &&
           MatchesPattern(name.substr(1), pattern.substr(1));
}
} // namespace

CTableMachine::CTableMachine(const std::wstring& facts)
{
    size_t start = 0;
    while (start < facts.size())
    {
        size_t end = facts.find(L'\n', start);
        if (end == std::wstring::npos)
            end = facts.size();
        const std::wstring fact = TrimWhiteSpace(facts.substr(start, end - start));
        if (!fact.empty())
            AddFact(fact);
        start = end + 1;
    }
}

void CTableMachine::AddFact(const std::wstring& fact)
{
    const size_t blank = fact.find(L' ');
    const std::wstring kind = fact.substr(0, blank);
    const std::wstring rest = fact.substr(blank + 1);
    const size_t equals = rest.find(L" = ");
    if (kind == L"file")
        AddFile(rest.substr(0, equals),
                equals == std::wstring::npos ? std::string() : Unescaped(rest.substr(equals + 3)));
    else if (kind == L"image")
    {
        const size_t last = rest.rfind(L' ');
        const std::wstring type = rest.substr(last + 1);
        AddFile(rest.substr(0, last), "MZ");
        m_imageMachines[Lower(rest.substr(0, last))] = type == L"i386" ? IMAGE_FILE_MACHINE_I386
                                                       : type == L"amd64"
                                                           ? IMAGE_FILE_MACHINE_AMD64
                                                           : IMAGE_FILE_MACHINE_ARM64;
    }
    else if (kind == L"reg")
    {
        const size_t viewEnd = rest.find(L' ');
        const ERegistryView view =
            rest.substr(0, viewEnd) == L"32" ? RegistryView32 : RegistryViewNative;
        const size_t bar = rest.find(L" | ");
        const std::wstring written = rest.substr(viewEnd + 1, bar - viewEnd - 1);
        const ERegistryRoot root = written.compare(0, 4, L"HKCU") == 0 ? RegistryRootCurrentUser
                                                                       : RegistryRootLocalMachine;
        const std::wstring key = written.substr(5);
        // The key and every key above it.
        for (size_t slash = key.find(L'\\');; slash = key.find(L'\\', slash + 1))
        {
            const std::wstring part = slash == std::wstring::npos ? key : key.substr(0, slash);
            m_keys[RegistryPath(root, view, part)] = LastComponent(part);
            if (slash == std::wstring::npos)
                break;
        }
        if (bar != std::wstring::npos)
        {
            const std::wstring value = rest.substr(bar + 3);
            const size_t is = value.find(L" = ");
            m_values[RegistryPath(root, view, key) + L"|" + Lower(value.substr(0, is))] =
                value.substr(is + 3);
        }
    }
    else if (kind == L"env")
        m_variables[Lower(rest.substr(0, rest.find(L'=')))] = rest.substr(rest.find(L'=') + 1);
    else if (kind == L"memory")
    {
        m_physicalMemory = Bytes(rest.substr(0, rest.find(L' ')));
        m_freeAddressSpace = Bytes(rest.substr(rest.find(L' ') + 1));
    }
    else if (kind == L"native")
        m_nativeMachine = rest == L"arm64" ? IMAGE_FILE_MACHINE_ARM64 : IMAGE_FILE_MACHINE_AMD64;
    else if (kind == L"time")
        m_writeTimes[Lower(rest.substr(0, rest.rfind(L' ')))] =
            std::stoull(rest.substr(rest.rfind(L' ') + 1));
    else if (kind == L"version")
        m_versions[Lower(rest.substr(0, rest.rfind(L' ')))] = rest.substr(rest.rfind(L' ') + 1);
    else if (kind == L"short")
        m_shortPaths[Lower(rest.substr(0, equals))] = rest.substr(equals + 3);
    else
        ADD_FAILURE() << "no such kind of fact: " << ToUtf8(fact);
}

void CTableMachine::AddFile(const std::wstring& path, const std::string& text)
{
    m_files[Lower(path)] = {path, text};
    // Its folders, as entries without text.
    for (std::wstring folder = StripLastComponent(path); folder.find(L'\\') != std::wstring::npos;
         folder = StripLastComponent(folder))
    {
        if (m_files.count(Lower(folder)) == 0)
            m_files[Lower(folder)] = {folder, std::string()};
        m_folders.insert(Lower(folder));
    }
}

std::wstring CTableMachine::RegistryPath(ERegistryRoot root, ERegistryView view,
                                         const std::wstring& key)
{
    return std::wstring(view == RegistryView32 ? L"32:" : L"native:") +
           (root == RegistryRootCurrentUser ? L"hkcu\\" : L"hklm\\") +
           Lower(WithoutTrailingBackslash(key));
}

bool CTableMachine::FileExists(const std::wstring& path) const
{
    return m_files.count(Lower(WithoutTrailingBackslash(path))) != 0;
}

std::vector<std::wstring> CTableMachine::FindFiles(const std::wstring& pattern) const
{
    const std::wstring folder = Lower(StripLastComponent(pattern));
    const std::wstring namePattern = LastComponent(pattern);
    std::vector<std::wstring> names;
    if (namePattern == L"*" && FileExists(folder))
        names = {L".", L".."};
    for (const auto& file : m_files)
    {
        const std::wstring& written = file.second.first;
        if (Lower(StripLastComponent(written)) == folder &&
            written.find(L'\\') != std::wstring::npos &&
            MatchesPattern(LastComponent(written), namePattern))
            names.push_back(LastComponent(written));
    }
    return names;
}

bool CTableMachine::ReadFileStart(const std::wstring& path, size_t maxBytes,
                                  std::string& bytes) const
{
    const auto found = m_files.find(Lower(path));
    if (found == m_files.end())
        return false;
    bytes = found->second.second.substr(0, maxBytes);
    return true;
}

bool CTableMachine::ReadFileStamp(const std::wstring& path, SFileStamp& stamp) const
{
    const std::wstring key = Lower(WithoutTrailingBackslash(path));
    const auto found = m_files.find(key);
    if (found == m_files.end())
        return false;
    stamp.m_size = found->second.second.size();
    stamp.m_writeTime = m_writeTimes.count(key) != 0 ? m_writeTimes.at(key) : 0;
    stamp.m_bFolder = m_folders.count(key) != 0;
    return true;
}

bool CTableMachine::ReadFileVersion(const std::wstring& path, int (&parts)[4]) const
{
    const auto found = m_versions.find(Lower(path));
    CJavaVersion version;
    if (found == m_versions.end() || !version.Parse(found->second, 0))
        return false;
    std::copy(version.m_parts, version.m_parts + 4, parts);
    return true;
}

bool CTableMachine::ReadImageMachine(const std::wstring& path, unsigned short& machine) const
{
    const auto found = m_imageMachines.find(Lower(path));
    if (found == m_imageMachines.end())
        return false;
    machine = found->second;
    return true;
}

std::wstring CTableMachine::FullPath(const std::wstring& path) const
{
    // The working folder is C:\Work; an absolute path is resolved by its text alone.
    const std::wstring whole = HasRoot(path) ? path : L"C:\\Work\\" + path;
    wchar_t buffer[MAX_PATH * 4] = L"";
    return GetFullPathNameW(whole.c_str(), MAX_PATH * 4, buffer, nullptr) != 0 ? buffer : whole;
}

std::wstring CTableMachine::ShortPath(const std::wstring& path) const
{
    const auto found = m_shortPaths.find(Lower(path));
    return found == m_shortPaths.end() ? std::wstring() : found->second;
}

bool CTableMachine::ReadSubkeyNames(ERegistryRoot root, ERegistryView view, const std::wstring& key,
                                    std::vector<std::wstring>& names) const
{
    names.clear();
    const std::wstring path = RegistryPath(root, view, key);
    if (m_keys.count(path) == 0)
        return false;
    // The map's order is the names' order, as the registry's is, ignoring case.
    for (const auto& entry : m_keys)
    {
        if (entry.first.size() > path.size() + 1 &&
            entry.first.compare(0, path.size(), path) == 0 && entry.first[path.size()] == L'\\' &&
            entry.first.find(L'\\', path.size() + 1) == std::wstring::npos)
            names.push_back(entry.second);
    }
    return true;
}

bool CTableMachine::ReadRegistryString(ERegistryRoot root, ERegistryView view,
                                       const std::wstring& key, const wchar_t* pName,
                                       std::wstring& value) const
{
    value.clear();
    const std::wstring path = RegistryPath(root, view, key);
    if (m_keys.count(path) == 0)
        return false;
    const auto found = m_values.find(path + L"|" + Lower(pName));
    if (found != m_values.end())
        value = found->second;
    return true;
}

bool CTableMachine::ReadVariable(const std::wstring& name, std::wstring& value) const
{
    const auto found = m_variables.find(Lower(name));
    if (found == m_variables.end())
        return false;
    value = found->second;
    return true;
}
