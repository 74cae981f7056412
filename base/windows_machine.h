// The machine the launcher runs on, read through the Windows API.
#ifndef JVMHOST_WINDOWS_MACHINE_H
#define JVMHOST_WINDOWS_MACHINE_H

#include "base/machine_view.h"

class CWindowsMachine : public CMachineView
{
public:
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
    unsigned short NativeMachine() const override;
    unsigned long long PhysicalMemory() const override;
    unsigned long long FreeAddressSpace() const override;
};

#endif
