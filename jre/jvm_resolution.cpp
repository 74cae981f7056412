// The places of a runtime's JVM library, for each JVM type.
#include "jre/jvm_resolution.h"

#include <cstring>

namespace
{
// A release file is a few hundred bytes; what lies beyond this is not read.
const size_t kMaxReleaseFileBytes = 65536;
} // namespace

SJvmLibrary ResolveJvmLibrary(const CMachineView& machine, const std::wstring& home,
                              EJvmType jvmType)
{
    static const wchar_t kServerLibrary[] = L"bin\\server\\jvm.dll";
    SJvmLibrary library;
    if (jvmType == JvmTypeServer || jvmType == JvmTypeFavorServer)
    {
        const std::wstring server = home + kServerLibrary;
        if (machine.FileExists(server))
            return {server, true};
        if (jvmType == JvmTypeServer)
            return library;
    }
    static const struct
    {
        const wchar_t* m_pPath;
        bool m_bServer;
    } kLocations[] = {
        {L"bin\\client\\jvm.dll", false},  {L"bin\\classic\\jvm.dll", false},
        {L"bin\\hotspot\\jvm.dll", false}, {kServerLibrary, true},
        {L"bin\\jrockit\\jvm.dll", false},
    };
    for (const auto& location : kLocations)
    {
        const std::wstring path = home + location.m_pPath;
        if (machine.FileExists(path))
            return {path, location.m_bServer};
    }
    return library;
}

bool IsJreHome(const CMachineView& machine, const std::wstring& folder)
{
    return machine.FileExists(folder + L"bin\\java.dll");
}

bool ReadReleaseVersion(const CMachineView& machine, const std::wstring& home,
                        CJavaVersion& version)
{
    std::string buffer;
    if (!machine.ReadFileStart(home + L"release", kMaxReleaseFileBytes, buffer))
        return false;
    const size_t size = buffer.size();
    const char* pText = buffer.data();
    for (size_t start = 0; start < size;)
    {
        size_t end = start;
        while (end < size && pText[end] != '\n')
            ++end;
        if (end == size && size == kMaxReleaseFileBytes)
            return false;
        if (end - start >= 13 && memcmp(pText + start, "JAVA_VERSION=", 13) == 0)
            return version.Parse(std::wstring(pText + start + 13, pText + end), kVersionFillLow);
        start = end + 1;
    }
    return false;
}

bool ReadRuntimeVersion(const CMachineView& machine, const std::wstring& home,
                        const std::wstring& jvmLibraryPath, CJavaVersion& version)
{
    if (ReadReleaseVersion(machine, home, version))
        return true;
    // Java 8's jvm.dll carries the VM's own number (25.x for 8u), not Java's: only a runtime
    // of the module era, which has lib\modules, numbers its library as Java.
    int parts[4];
    if (!machine.FileExists(home + L"lib\\modules") ||
        !machine.ReadFileVersion(jvmLibraryPath, parts))
        return false;
    version.Set(parts[0], parts[1], parts[2], parts[3]);
    return true;
}
