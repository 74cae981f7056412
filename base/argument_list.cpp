// CArgumentList, and splitting and trimming text.
#include "base/argument_list.h"

#include <cwctype>

void CArgumentList::RemoveFirst()
{
    if (!m_elements.empty())
        m_elements.erase(m_elements.begin());
}

long CArgumentList::Find(const std::wstring& text) const
{
    for (size_t i = 0; i < m_elements.size(); ++i)
    {
        if (m_elements[i] == text)
            return static_cast<long>(i);
    }
    return -1;
}

static size_t SkipBlanks(const std::wstring& text, size_t position)
{
    while (position < text.size() && text[position] == L' ')
        ++position;
    return position;
}

void SplitArguments(const std::wstring& text, CArgumentList& list)
{
    size_t position = 0;
    const size_t length = text.size();
    while (position < length)
    {
        size_t next;
        if (text[position] == L'"')
        {
            const size_t start = position + 1;
            const size_t close = text.find(L'"', start);
            if (close == std::wstring::npos)
            {
                list.Append(text.substr(start));
                return;
            }
            list.Append(text.substr(start, close - start));
            next = close + 1;
        }
        else
        {
            const size_t blank = text.find(L' ', position);
            if (blank == std::wstring::npos)
            {
                list.Append(text.substr(position));
                return;
            }
            list.Append(text.substr(position, blank - position));
            next = blank;
        }
        position = SkipBlanks(text, next);
    }
}

void SplitString(const std::wstring& text, const std::wstring& separator, CArgumentList& list)
{
    list.Clear();
    if (text.empty() || separator.empty())
        return;
    size_t position = 0;
    for (;;)
    {
        const size_t found = text.find(separator, position);
        if (found == std::wstring::npos)
            break;
        list.Append(text.substr(position, found - position));
        position = found + separator.size();
        if (position >= text.size())
            return;
    }
    list.Append(text.substr(position));
}

std::wstring TrimWhiteSpace(const std::wstring& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && std::iswspace(text[start]))
        ++start;
    while (end > start && std::iswspace(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

void ParseCommandLineText(const std::wstring& commandLine, CArgumentList& list)
{
    SplitArguments(TrimWhiteSpace(commandLine), list);
    list.RemoveFirst();
}

std::wstring CommandLineAfterProgramName(const std::wstring& commandLine)
{
    size_t position = 0;
    while (position < commandLine.size() && std::iswspace(commandLine[position]))
        ++position;
    if (position < commandLine.size() && commandLine[position] == L'"')
    {
        const size_t close = commandLine.find(L'"', position + 1);
        return close == std::wstring::npos ? std::wstring() : commandLine.substr(close + 1);
    }
    // An unquoted program name ends at a blank only, as SplitArguments has it: a tab belongs to
    // the name, so the pair product gets exactly the arguments main would get.
    while (position < commandLine.size() && commandLine[position] != L' ')
        ++position;
    return commandLine.substr(position);
}
