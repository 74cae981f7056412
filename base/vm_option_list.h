// The ordered list of option strings handed to the Java VM: narrow text in the thread's ANSI
// code page.
#ifndef JVMHOST_VM_OPTION_LIST_H
#define JVMHOST_VM_OPTION_LIST_H

#include <string>
#include <vector>

class CVmOptionList
{
public:
    void Append(const std::string& option) { m_options.push_back(option); }
    size_t Count() const { return m_options.size(); }
    const std::string& At(size_t index) const { return m_options[index]; }
    void Clear() { m_options.clear(); }

private:
    std::vector<std::string> m_options;
};

#endif
