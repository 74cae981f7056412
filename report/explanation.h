// The reasons a decision gives for itself, as lines for the launch trace. They are put together
// only when somebody will read them: an untraced launch builds no text.
#ifndef JVMHOST_EXPLANATION_H
#define JVMHOST_EXPLANATION_H

#include <string>
#include <vector>

class CExplanation
{
public:
    explicit CExplanation(bool bWanted = false) : m_bWanted(bWanted) {}

    // Begins anew, keeping lines from now on or not.
    void Restart(bool bWanted)
    {
        m_bWanted = bWanted;
        m_lines.clear();
    }

    // Whether lines are kept: a caller that would put a line together first asks this.
    bool IsWanted() const { return m_bWanted; }
    void Add(const std::wstring& line)
    {
        if (m_bWanted)
            m_lines.push_back(line);
    }
    void Add(const wchar_t* pLine)
    {
        if (m_bWanted)
            m_lines.push_back(pLine);
    }
    const std::vector<std::wstring>& Lines() const { return m_lines; }

private:
    bool m_bWanted;
    std::vector<std::wstring> m_lines;
};

#endif
