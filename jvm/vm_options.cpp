// The class path and the other options the VM is created with, and the extra arguments
// for main.
#include "launcher/launch_trace.h"
#include "jvm/vm_options.h"
#include "config/path_pieces.h"
#include "config/settings_file.h"
#include "jvm/environment.h"
#include "jvm/memory_options.h"
#include "jvm/narrow_text.h"
#include "launcher/error_report.h"
#include "launcher/launcher.h"
#include "launcher/unique_handle.h"
#include "ui/resources/resource.h"

namespace
{
// Absolute: "X:..." or "\\server...".
bool IsAbsoluteEntry(const std::wstring& entry)
{
    return entry.size() >= 2 && (entry[1] == L':' || (entry[0] == L'\\' && entry[1] == L'\\'));
}

void AppendClassPathEntry(std::wstring& classPath, const std::wstring& entry)
{
    // A jar under a folder the ANSI code page cannot spell reaches the VM in its short form.
    classPath += AnsiSafePath(entry) + L";";
}

// The executable's folder without a trailing backslash; empty when unknown.
std::wstring ModuleFolder(CLauncher& launcher)
{
    std::wstring folder;
    launcher.GetModuleFolder(folder);
    return StripLastComponent(folder);
}

void ReadExpanded(const std::wstring& file, const wchar_t* pKey, std::wstring& value)
{
    LookupSetting(file, kApplicationSection, pKey, value);
    if (!value.empty())
        ExpandEnvironmentReferences(value);
}
} // namespace

size_t FindTokenEnd(const std::wstring& text, size_t start)
{
    size_t position = start;
    while (position < text.size())
    {
        if (text[position] == L' ')
            return position;
        if (text[position] == L'"')
        {
            size_t close = text.find(L'"', position + 1);
            if (close != std::wstring::npos)
            {
                if (close + 1 < text.size() && text[close + 1] == L'"')
                    ++close;
                position = close + 1;
                continue;
            }
        }
        ++position;
    }
    return text.size();
}

void RemoveQuotes(std::wstring& token)
{
    size_t position = 0;
    for (;;)
    {
        const size_t open = token.find(L'"', position);
        if (open == std::wstring::npos)
            return;
        size_t close = token.find(L'"', open + 1);
        if (close == std::wstring::npos)
            return;
        if (close + 1 < token.size() && token[close + 1] == L'"')
            ++close;
        const std::wstring inner = token.substr(open + 1, close - open - 1);
        token = token.substr(0, open) + inner + token.substr(close + 1);
        position = open + inner.size();
    }
}

void CLauncher::ExpandClassPathEntry(const std::wstring& entry, std::wstring& classPath)
{
    const std::wstring searchPath = IsAbsoluteEntry(entry) ? entry : ModuleFolder(*this) + entry;
    const std::wstring matchFolder = FolderWithBackslash(searchPath);
    WIN32_FIND_DATAW data;
    const CUniqueFind hFind(FindFirstFileW(searchPath.c_str(), &data));
    if (!hFind)
        return;
    do
    {
        AppendClassPathEntry(classPath, matchFolder + data.cFileName);
    } while (FindNextFileW(hFind.Get(), &data));
}

void CLauncher::ProcessVmParameter(std::wstring token, std::vector<std::wstring>& options)
{
    RemoveQuotes(token);
    if (IsMemoryPercentOption(token))
        ExpandMemoryPercentage(token);
    if (token.compare(0, 4, L"-Xss") == 0)
        m_mainThreadStackSize = static_cast<size_t>(ParseStackSize(token.substr(4)));
    options.push_back(token);
}

// The options that java takes as two tokens as well as one ("--add-opens a=b" for
// "--add-opens=a=b"), while the VM itself knows only the one-token form; "-p" is
// "--module-path". The joined form, or null for another token.
static const wchar_t* JoinedOptionName(const std::wstring& token)
{
    static const wchar_t* const kSpacedOptions[] = {L"--add-opens",
                                                    L"--add-exports",
                                                    L"--add-reads",
                                                    L"--add-modules",
                                                    L"--limit-modules",
                                                    L"--module-path",
                                                    L"--patch-module",
                                                    L"--upgrade-module-path",
                                                    L"--enable-native-access",
                                                    L"--illegal-native-access"};
    if (token == L"-p")
        return L"--module-path";
    for (const wchar_t* pName : kSpacedOptions)
    {
        if (token == pName)
            return pName;
    }
    return nullptr;
}

void CLauncher::SplitVmParameters(const std::wstring& text, std::vector<std::wstring>& options)
{
    std::vector<std::wstring> tokens;
    size_t position = 0;
    while (position < text.size() && text[position] == L' ')
        ++position;
    while (position < text.size())
    {
        const size_t end = FindTokenEnd(text, position);
        tokens.push_back(text.substr(position, end - position));
        position = end;
        while (position < text.size() && text[position] == L' ')
            ++position;
    }
    for (size_t i = 0; i < tokens.size(); ++i)
    {
        std::wstring name = tokens[i];
        RemoveQuotes(name);
        const wchar_t* pJoined = JoinedOptionName(name);
        // A last one without a value goes to the VM as it is, which then says what is wrong.
        if (pJoined == nullptr || i + 1 == tokens.size())
        {
            ProcessVmParameter(tokens[i], options);
            continue;
        }
        std::wstring value = tokens[++i];
        RemoveQuotes(value);
        const std::wstring joined = std::wstring(pJoined) + L"=" + value;
        if (IsTracing())
            TraceLine(L"VM parameter " + name + L" " + value + L" joined: " + joined);
        options.push_back(joined);
    }
}

bool CLauncher::BuildVmOptions()
{
    const CTraceStep step(L"VM options");
    std::wstring file;
    if (!GetSettingsFilePath(file))
        return false;

    std::wstring value;
    LookupSetting(file, kClassPathSection, L"Class Path", value);
    CArgumentList entries;
    SplitString(value, L";", entries);
    std::wstring classPath;
    for (size_t i = 0; i < entries.Count(); ++i)
    {
        const std::wstring& entry = entries.At(i);
        if (entry.find(L'*') == std::wstring::npos && IsAbsoluteEntry(entry))
            AppendClassPathEntry(classPath, entry);
        else
            ExpandClassPathEntry(entry, classPath);
    }

    LookupSetting(file, kApplicationSection, L"Embedded Jar", value);
    if (IsYesValue(value))
    {
        std::wstring modulePath;
        if (!classPath.empty() && classPath[classPath.size() - 1] != L';')
            classPath += L";";
        if (GetModulePath(modulePath))
            classPath += AnsiSafePath(modulePath);
    }
    if (classPath.empty())
    {
        ShowErrorMessage(m_hMessageOwner, LoadText(IDS_NO_CLASS_PATH));
        return false;
    }

    std::vector<std::wstring> options;
    options.push_back(L"-Djava.class.path=" + classPath);
    LookupSetting(file, kJreSection, L"Virtual Machine Parameters", value);
    SplitVmParameters(value, options);
    for (std::wstring& option : options)
    {
        ExpandEnvironmentReferences(option);
        m_vmOptions.Append(NarrowForVm(option));
    }

    ReadExpanded(file, L"Output File", m_outputFile);
    ReadExpanded(file, L"Error File", m_errorFile);
    ReadExpanded(file, L"Cmd", m_cmd);
    if (!m_cmd.empty())
    {
        CArgumentList extra;
        SplitArguments(m_cmd, extra);
        for (size_t i = 0; i < extra.Count(); ++i)
        {
            if (!extra.At(i).empty())
                m_arguments.Append(extra.At(i));
        }
    }
    return true;
}
