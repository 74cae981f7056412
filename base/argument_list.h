// CArgumentList and the two ways the launcher splits text into pieces.
#ifndef JVMHOST_ARGUMENT_LIST_H
#define JVMHOST_ARGUMENT_LIST_H

#include <string>
#include <vector>

class CArgumentList
{
public:
    void Append(const std::wstring& element) { m_elements.push_back(element); }
    void RemoveFirst();
    size_t Count() const { return m_elements.size(); }
    const std::wstring& At(size_t index) const { return m_elements[index]; }
    // Index of the first element equal to text (whole element, case-sensitive), or -1.
    long Find(const std::wstring& text) const;
    void Clear() { m_elements.clear(); }

private:
    std::vector<std::wstring> m_elements;
};

// Appends the blank-separated elements of text to list; a double quote at the start of an
// element groups up to the next double quote, without escapes.
void SplitArguments(const std::wstring& text, CArgumentList& list);

// Clears list and fills it with the pieces of text between occurrences of separator (which
// must not be empty). A separator at the very end adds no empty piece.
void SplitString(const std::wstring& text, const std::wstring& separator, CArgumentList& list);

// Removes white space from both ends of text.
std::wstring TrimWhiteSpace(const std::wstring& text);

// Fills list from a whole command line: trimmed, split, the program name removed.
void ParseCommandLineText(const std::wstring& commandLine, CArgumentList& list);

// The part of a command line that follows the program name, unchanged (blank included).
std::wstring CommandLineAfterProgramName(const std::wstring& commandLine);

#endif
