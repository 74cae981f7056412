// Reading VM options out of the settings' text and out of option files.
#include "plan/option_tokens.h"

namespace
{
bool IsLineEnd(wchar_t c)
{
    return c == L'\n' || c == L'\r';
}

bool IsFileBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\f' || IsLineEnd(c);
}

wchar_t EscapedCharacter(wchar_t c)
{
    switch (c)
    {
        case L'n':
            return L'\n';
        case L'r':
            return L'\r';
        case L't':
            return L'\t';
        case L'f':
            return L'\f';
        default:
            return c;
    }
}

enum EFileState
{
    // Between options: blanks are skipped.
    FileBetween,
    FileInOption,
    FileInQuote,
    // After a backslash inside quotes.
    FileInEscape,
    // After a backslash at a line end inside quotes: the next line's leading blanks go.
    FileJoiningLine,
    FileInComment,
};
} // namespace

std::vector<std::wstring> SplitVmParameterText(const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    size_t position = text.find_first_not_of(L' ');
    while (position != std::wstring::npos)
    {
        std::wstring token;
        while (position < text.size() && text[position] != L' ')
        {
            const size_t close =
                text[position] == L'"' ? text.find(L'"', position + 1) : std::wstring::npos;
            if (close == std::wstring::npos)
            {
                token += text[position++];
                continue;
            }
            // The section runs to its closing quote: of a doubled one, the second; the first
            // stays in the option.
            const size_t end =
                close + 1 < text.size() && text[close + 1] == L'"' ? close + 1 : close;
            token.append(text, position + 1, end - position - 1);
            position = end + 1;
        }
        tokens.push_back(token);
        position = text.find_first_not_of(L' ', position);
    }
    return tokens;
}

std::vector<std::wstring> SplitOptionFileText(const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    // What is sure of the option so far, and its unquoted text since the last quote, which a
    // comment takes away (as java has it: "-Da#b" gives nothing, "\"-Da\"#b" gives -Da, whose
    // text then begins the next option).
    std::wstring option;
    std::wstring unquoted;
    EFileState state = FileBetween;
    wchar_t quote = 0;
    for (const wchar_t c : text)
    {
        switch (state)
        {
            case FileBetween:
            case FileJoiningLine:
                if (IsFileBlank(c))
                    continue;
                state = state == FileBetween ? FileInOption : FileInQuote;
                break;
            case FileInEscape:
                state = IsLineEnd(c) ? FileJoiningLine : FileInQuote;
                if (state == FileInQuote)
                    option += EscapedCharacter(c);
                continue;
            case FileInComment:
                if (IsLineEnd(c))
                    state = FileBetween;
                continue;
            default:
                break;
        }
        if (state == FileInQuote)
        {
            if (c == quote)
                state = FileInOption;
            else if (c == L'\\')
                state = FileInEscape;
            else if (IsLineEnd(c))
            {
                // A quote left open ends with its line.
                tokens.push_back(option);
                option.clear();
                state = FileBetween;
            }
            else
                option += c;
            continue;
        }
        if (IsFileBlank(c))
        {
            tokens.push_back(option + unquoted);
            option.clear();
            unquoted.clear();
            state = FileBetween;
        }
        else if (c == L'#')
        {
            unquoted.clear();
            state = FileInComment;
        }
        else if (c == L'"' || c == L'\'')
        {
            option += unquoted;
            unquoted.clear();
            quote = c;
            state = FileInQuote;
        }
        else
            unquoted += c;
    }
    // At the end of the file an option still being read counts when it holds anything; one
    // cut off inside an escape, a joined line or a comment does not.
    if ((state == FileInOption || state == FileInQuote) && !(option + unquoted).empty())
        tokens.push_back(option + unquoted);
    return tokens;
}

void KeepQuotedValueWhole(const std::wstring& value, bool bWhollyQuoted,
                          std::vector<std::wstring>& tokens)
{
    if (!bWhollyQuoted || tokens.size() < 2)
        return;
    for (const std::wstring& token : tokens)
    {
        if (token.empty() || (token[0] != L'-' && token[0] != L'@'))
        {
            tokens.assign(1, value);
            return;
        }
    }
}
