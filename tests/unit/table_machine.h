// A machine written as a table of facts, for planning launches without touching this one.
// One fact a line:
//   file PATH                 a file (its folders exist too); "file PATH = TEXT" with its text,
//                             in which \n and \r stand for line ends
//   image PATH i386|amd64|arm64   a file that is a PE image for that processor
//   reg native|32 HKLM|HKCU\KEY [| NAME = VALUE]   a registry key, with a string value
//   env NAME=VALUE            an environment variable
//   memory PHYSICAL FREE      bytes of memory and free address space (a "G" ends gigabytes)
//   short PATH = SHORT        the short form of a path
//   time PATH N               a file's last write (else 0; its size is its text's)
//   version PATH A.B.C.D      a file's version resource
//   native arm64              the machine's own processor (else x64)
// The working folder is C:\Work.
#ifndef JVMHOST_TABLE_MACHINE_H
#define JVMHOST_TABLE_MACHINE_H

#include "base/machine_view.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CTableMachine : public CMachineView
{
public:
    explicit CTableMachine(const std::wstring& facts);

    bool FileExists(const std::wstring& path) const override;
    std::vector<std::wstring> FindFiles(const std::wstring& pattern) const override;
    bool ReadFileStart(const std::wstring& path, size_t maxBytes,
                       std::string& bytes) const override;
    bool ReadFileStamp(const std::wstring& path, SFileStamp& stamp) const override;
    bool ReadFileVersion(const std::wstring& path, int (&parts)[4]) const override;
    bool ReadImageMachine(const std::wstring& path, unsigned short& machine) const override;
    std::wstring FullPath(const std::wstring& path) const override;
    std::wstring ShortPath(const std::wstring& path) const override;
    bool ReadSubkeyNames(ERegistryRoot root, ERegistryView view, const std::wstring& key,
                         std::vector<std::wstring>& names) const override;
    bool ReadRegistryString(ERegistryRoot root, ERegistryView view, const std::wstring& key,
                            const wchar_t* pName, std::wstring& value) const override;
    bool ReadVariable(const std::wstring& name, std::wstring& value) const override;
    unsigned short NativeMachine() const override { return m_nativeMachine; }
    unsigned long long PhysicalMemory() const override { return m_physicalMemory; }
    unsigned long long FreeAddressSpace() const override { return m_freeAddressSpace; }

private:
    void AddFact(const std::wstring& fact);
    void AddFile(const std::wstring& path, const std::string& text);
    // "native:HKLM\software\..." without a trailing backslash, in lower case.
    static std::wstring RegistryPath(ERegistryRoot root, ERegistryView view,
                                     const std::wstring& key);

    // Keyed by the path in lower case: the path as written, and the text.
    std::map<std::wstring, std::pair<std::wstring, std::string>> m_files;
    std::map<std::wstring, unsigned short> m_imageMachines;
    std::set<std::wstring> m_folders;
    std::map<std::wstring, unsigned long long> m_writeTimes;
    std::map<std::wstring, std::wstring> m_versions;
    std::map<std::wstring, std::wstring> m_shortPaths;
    // Every key and the keys above it, by their lower-case path: the name as written.
    std::map<std::wstring, std::wstring> m_keys;
    std::map<std::wstring, std::wstring> m_values;
    std::map<std::wstring, std::wstring> m_variables;
    unsigned short m_nativeMachine = 0x8664;
    unsigned long long m_physicalMemory = 8ULL << 30;
    unsigned long long m_freeAddressSpace = 2ULL << 30;
};

#endif
