// What a launch reads of the machine it runs on, and nothing else: files, the registry in its
// two views, the environment and the memory. The launch is planned through this view alone, so
// that a test can hand the plan a machine of its own, written as a table.
#ifndef JVMHOST_MACHINE_VIEW_H
#define JVMHOST_MACHINE_VIEW_H

#include <string>
#include <vector>

// What tells one version of a file from another.
struct SFileStamp
{
    unsigned long long m_size = 0;
    // The last write, in 100-nanosecond steps since 1601.
    unsigned long long m_writeTime = 0;
    bool m_bFolder = false;
};

enum ERegistryRoot
{
    RegistryRootLocalMachine,
    RegistryRootCurrentUser,
};

// The native view, or the one that 32-bit installers write to.
enum ERegistryView
{
    RegistryViewNative,
    RegistryView32,
};

class CMachineView
{
public:
    // Whether a file-system search for exactly that path finds anything (a folder too).
    virtual bool FileExists(const std::wstring& path) const = 0;
    // The names a file-system search for the pattern finds, in the order the search gives them
    // (a lone "*" finds "." and ".." too).
    virtual std::vector<std::wstring> FindFiles(const std::wstring& pattern) const = 0;
    // The first maxBytes of the file, or all of a smaller one; false when it cannot be read.
    virtual bool ReadFileStart(const std::wstring& path, size_t maxBytes,
                               std::string& bytes) const = 0;
    // Size and last write of a file or folder; false when there is none.
    virtual bool ReadFileStamp(const std::wstring& path, SFileStamp& stamp) const = 0;
    // The four numbers of a file's version resource; false for a file without one.
    virtual bool ReadFileVersion(const std::wstring& path, int (&parts)[4]) const = 0;
    // The Machine field of a PE image's file header; false for a file that holds no PE
    // headers.
    virtual bool ReadImageMachine(const std::wstring& path, unsigned short& machine) const = 0;
    // The path made whole: from the working folder when relative, "." and ".." resolved.
    virtual std::wstring FullPath(const std::wstring& path) const = 0;
    // The short (8.3) form of an existing path; empty when the file system has none.
    virtual std::wstring ShortPath(const std::wstring& path) const = 0;
    // The names of the key's subkeys, in the registry's order; false when the key is missing.
    virtual bool ReadSubkeyNames(ERegistryRoot root, ERegistryView view, const std::wstring& key,
                                 std::vector<std::wstring>& names) const = 0;
    // A string value of a key; false when the key is missing, an empty text when the value is
    // missing or not a string.
    virtual bool ReadRegistryString(ERegistryRoot root, ERegistryView view, const std::wstring& key,
                                    const wchar_t* pName, std::wstring& value) const = 0;
    // An environment variable of this process; false when it is not set.
    virtual bool ReadVariable(const std::wstring& name, std::wstring& value) const = 0;
    // The machine's own processor (IMAGE_FILE_MACHINE_ARM64 on Windows on ARM, whatever this
    // process is emulated as).
    virtual unsigned short NativeMachine() const = 0;
    // Bytes of physical memory, and of address space this process has free.
    virtual unsigned long long PhysicalMemory() const = 0;
    virtual unsigned long long FreeAddressSpace() const = 0;

protected:
    ~CMachineView() = default;
};

#endif
