// The class path and the other options the VM is created with, and the extra arguments
// for main.
#include "report/launch_trace.h"
#include "jvm/vm_options.h"
#include "base/path_pieces.h"
#include "jvm/environment.h"
#include "jvm/memory_options.h"
#include "base/narrow_text.h"
#include "report/reporter.h"
#include "jvm/java_vm.h"
#include "base/unique_handle.h"
#include "base/text.h"
#include "ui/resources/resource.h"

namespace
{
void AppendClassPathEntry(std::wstring& classPath, const std::wstring& entry)
{
    // A jar under a folder the ANSI code page cannot spell reaches the VM in its short form.
    classPath += AnsiSafePath(entry) + L";";
}

std::wstring Expanded(std::wstring value)
{
    if (!value.empty())
        ExpandEnvironmentReferences(value);
    return value;
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

void CJavaVm::ExpandClassPathEntry(const std::wstring& entry, std::wstring& classPath)
{
    const std::wstring searchPath =
        HasRoot(entry) ? entry : StripLastComponent(ModuleFolder()) + entry;
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

void CJavaVm::ProcessVmParameter(std::wstring token, std::vector<std::wstring>& options)
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

// An option file's options, as java reads its @files: blanks, tabs and line ends separate,
// single or double quotes group (and are removed), and "#" outside quotes starts a comment
// that runs to the end of the line.
static std::vector<std::wstring> SplitOptionFile(const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    std::wstring token;
    bool bInToken = false;
    wchar_t quote = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const wchar_t c = text[i];
        if (quote != 0)
        {
            if (c == quote)
                quote = 0;
            else
                token += c;
            continue;
        }
        if (c == L'#')
        {
            while (i + 1 < text.size() && text[i + 1] != L'\n')
                ++i;
            continue;
        }
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n')
        {
            if (bInToken)
                tokens.push_back(token);
            token.clear();
            bInToken = false;
            continue;
        }
        bInToken = true;
        if (c == L'"' || c == L'\'')
            quote = c;
        else
            token += c;
    }
    if (bInToken)
        tokens.push_back(token);
    return tokens;
}

// The text of an option file (UTF-8, with or without its byte-order mark); false when it
// cannot be read.
static bool ReadOptionFile(const std::wstring& path, std::wstring& text)
{
    const CUniqueFile hFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    // An option file is a few lines: one of a megabyte is no option file.
    if (!hFile || !GetFileSizeEx(hFile.Get(), &size) || size.QuadPart > (1 << 20))
        return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(hFile.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
        return false;
    bytes.resize(read);
    const size_t skip = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    text = FromUtf8(bytes.substr(skip));
    return true;
}

bool CJavaVm::ExpandOptionFiles(std::vector<std::wstring>& tokens, int depth)
{
    // Files may name files, but not without end (a file that names itself).
    const int kMaxOptionFileDepth = 8;
    std::vector<std::wstring> expanded;
    for (const std::wstring& written : tokens)
    {
        std::wstring token = written;
        RemoveQuotes(token);
        if (token.size() < 2 || token[0] != L'@')
        {
            expanded.push_back(written);
            continue;
        }
        std::wstring path = token.substr(1);
        if (!HasRoot(path))
            path = ModuleFolder() + path;
        std::wstring text;
        if (depth >= kMaxOptionFileDepth || !ReadOptionFile(path, text))
        {
            m_reporter.Report(IDS_OPTION_FILE_UNREADABLE, path);
            return false;
        }
        std::vector<std::wstring> inner = SplitOptionFile(text);
        if (IsTracing())
        {
            std::wstring line = L"VM parameter " + written + L" read from " + path + L":";
            for (const std::wstring& option : inner)
                line += option.find(L' ') == std::wstring::npos ? L" " + option
                                                                : L" \"" + option + L"\"";
            TraceLine(line);
        }
        if (!ExpandOptionFiles(inner, depth + 1))
            return false;
        expanded.insert(expanded.end(), inner.begin(), inner.end());
    }
    tokens.swap(expanded);
    return true;
}

bool CJavaVm::SplitVmParameters(const std::wstring& text, std::vector<std::wstring>& options)
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
    if (!ExpandOptionFiles(tokens, 0))
        return false;
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
    return true;
}

std::wstring CJavaVm::ModuleFolder() const
{
    return FolderWithBackslash(m_modulePath);
}

bool CJavaVm::BuildVmOptions(const CArgumentList& arguments)
{
    const CTraceStep step(L"VM options");
    m_arguments = arguments;
    CArgumentList entries;
    SplitString(m_settings.m_classPath, L";", entries);
    std::wstring classPath;
    for (size_t i = 0; i < entries.Count(); ++i)
    {
        const std::wstring& entry = entries.At(i);
        if (entry.find(L'*') == std::wstring::npos && HasRoot(entry))
            AppendClassPathEntry(classPath, entry);
        else
            ExpandClassPathEntry(entry, classPath);
    }

    if (m_settings.m_bEmbeddedJar)
    {
        if (!classPath.empty() && classPath[classPath.size() - 1] != L';')
            classPath += L";";
        classPath += AnsiSafePath(m_modulePath);
    }
    if (classPath.empty())
    {
        m_reporter.Report(IDS_NO_CLASS_PATH);
        return false;
    }

    std::vector<std::wstring> options;
    options.push_back(L"-Djava.class.path=" + classPath);
    if (!SplitVmParameters(m_settings.m_vmParameters, options))
        return false;
    for (std::wstring& option : options)
    {
        ExpandEnvironmentReferences(option);
        m_vmOptions.Append(NarrowForVm(option));
    }

    // Expanded now that the environment for the VM is set.
    m_outputFile = Expanded(m_settings.m_outputFile);
    m_errorFile = Expanded(m_settings.m_errorFile);
    const std::wstring cmd = Expanded(m_settings.m_cmd);
    if (!cmd.empty())
    {
        CArgumentList extra;
        SplitArguments(cmd, extra);
        for (size_t i = 0; i < extra.Count(); ++i)
        {
            if (!extra.At(i).empty())
                m_arguments.Append(extra.At(i));
        }
    }
    return true;
}
