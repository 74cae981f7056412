// The places of a runtime's JVM library, for each JVM type.
#include "jre/jvm_resolution.h"

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
