// The class path, option files, the spaced module options and the memory options.
#include "plan/vm_options.h"
#include "base/argument_list.h"
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "plan/memory_options.h"
#include "plan/option_tokens.h"
#include "report/message_ids.h"

namespace
{
// Files may name files, but not without end (a file that names itself).
const int kMaxOptionFileDepth = 8;
// java reads option files of any size; past this one is taken for a wrong file.
const size_t kMaxOptionFileBytes = 64 << 20;

void AppendClassPathEntry(std::wstring& classPath, const CMachineView& machine,
                          const std::wstring& entry)
{
    // A jar under a folder the ANSI code page cannot spell reaches the VM in its short form.
    classPath += AnsiSafePath(machine, entry) + L";";
}

// The options that java takes as two tokens as well as one ("--add-opens a=b" for
// "--add-opens=a=b"), while the VM itself knows only the one-token form; "-p" is
// "--module-path". The joined form, or null for another token.
const wchar_t* JoinedOptionName(const std::wstring& token)
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

// The text of an option file (UTF-8, with or without its byte-order mark); a failure when it
// cannot be read or is too large.
SMessage ReadOptionFile(const CMachineView& machine, const std::wstring& path, std::wstring& text)
{
    std::string bytes;
    if (!machine.ReadFileStart(path, kMaxOptionFileBytes + 1, bytes))
        return {IDS_OPTION_FILE_UNREADABLE, {path}};
    if (bytes.size() > kMaxOptionFileBytes)
        return {IDS_OPTION_FILE_TOO_LARGE, {path}};
    const size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    text = FromUtf8(bytes.substr(skip));
    return SMessage();
}

// Replaces each "@path" token by the options of that file, which may name files in turn.
bool ExpandOptionFiles(std::vector<std::wstring>& tokens, const SOptionContext& context, int depth,
                       SMessage& failure)
{
    std::vector<std::wstring> expanded;
    for (const std::wstring& token : tokens)
    {
        if (token.empty() || token[0] != L'@')
        {
            expanded.push_back(token);
            continue;
        }
        if (token.size() == 1)
        {
            failure = {IDS_OPTION_FILE_NO_NAME, {}};
            return false;
        }
        // Named as the options inside it are written: %NAME% stands for a variable.
        std::wstring path = context.m_pEnvironment->Expand(token.substr(1));
        if (!HasRoot(path))
            path = context.m_moduleFolder + path;
        std::wstring text;
        failure = depth < kMaxOptionFileDepth ? ReadOptionFile(*context.m_pMachine, path, text)
                                              : SMessage{IDS_OPTION_FILE_UNREADABLE, {path}};
        if (failure.IsSet())
            return false;
        std::vector<std::wstring> inner = SplitOptionFileText(text);
        if (context.m_pExplanation->IsWanted())
        {
            std::wstring line = L"VM parameter " + token + L" read from " + path + L":";
            for (const std::wstring& option : inner)
                line += option.find(L' ') == std::wstring::npos ? L" " + option
                                                                : L" \"" + option + L"\"";
            context.m_pExplanation->Add(line);
        }
        if (!ExpandOptionFiles(inner, context, depth + 1, failure))
            return false;
        expanded.insert(expanded.end(), inner.begin(), inner.end());
    }
    tokens.swap(expanded);
    return true;
}
} // namespace

std::wstring BuildClassPath(const SLaunchSettings& settings, const std::wstring& modulePath,
                            const CMachineView& machine)
{
    CArgumentList entries;
    SplitString(settings.m_classPath, L";", entries);
    std::wstring classPath;
    for (size_t i = 0; i < entries.Count(); ++i)
    {
        const std::wstring& entry = entries.At(i);
        // An absolute entry without '*' is taken as written; it need not exist.
        if (entry.find(L'*') == std::wstring::npos && HasRoot(entry))
        {
            AppendClassPathEntry(classPath, machine, entry);
            continue;
        }
        // A relative entry follows the executable's folder directly ("\lib\*.jar").
        const std::wstring searchPath =
            HasRoot(entry) ? entry : StripLastComponent(modulePath) + entry;
        const std::wstring matchFolder = FolderWithBackslash(searchPath);
        for (const std::wstring& name : machine.FindFiles(searchPath))
            AppendClassPathEntry(classPath, machine, matchFolder + name);
    }
    if (settings.m_bEmbeddedJar)
    {
        if (!classPath.empty() && classPath[classPath.size() - 1] != L';')
            classPath += L";";
        classPath += AnsiSafePath(machine, modulePath);
    }
    return classPath;
}

SVmParameters ReadVmParameters(const std::wstring& text, bool bWhollyQuoted,
                               const SOptionContext& context)
{
    SVmParameters parameters;
    std::vector<std::wstring> tokens = SplitVmParameterText(text);
    KeepQuotedValueWhole(text, bWhollyQuoted, tokens);
    if (!ExpandOptionFiles(tokens, context, 0, parameters.m_failure))
        return parameters;
    for (size_t i = 0; i < tokens.size(); ++i)
    {
        std::wstring token = tokens[i];
        const wchar_t* pJoined = JoinedOptionName(token);
        // A last one without a value goes to the VM as it is, which then says what is wrong.
        if (pJoined != nullptr && i + 1 < tokens.size())
        {
            const std::wstring& value = tokens[++i];
            const std::wstring joined = std::wstring(pJoined) + L"=" + value;
            if (context.m_pExplanation->IsWanted())
                context.m_pExplanation->Add(L"VM parameter " + token + L" " + value + L" joined: " +
                                            joined);
            parameters.m_options.push_back(joined);
            continue;
        }
        if (IsMemoryPercentOption(token))
            ExpandMemoryPercentage(token, *context.m_pMachine);
        // The last "-Xss" sizes the Java main thread; it still goes to the VM.
        if (token.compare(0, 4, L"-Xss") == 0)
            parameters.m_mainThreadStackSize = static_cast<size_t>(ParseStackSize(token.substr(4)));
        parameters.m_options.push_back(token);
    }
    return parameters;
}
