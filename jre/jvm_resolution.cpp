#include "jre/jvm_resolution.h"

#include "base/path_pieces.h"

std::wstring ResolveJvmLibrary(const std::wstring& home, int jvmType, bool& isServerVm)
{
    static const wchar_t kServerLibrary[] = L"bin\\server\\jvm.dll";
    if (jvmType == JvmTypeServer || jvmType == JvmTypeFavorServer)
    {
        const std::wstring server = home + kServerLibrary;
        if (FileExists(server))
        {
            isServerVm = true;
            return server;
        }
        if (jvmType == JvmTypeServer)
            return std::wstring();
    }
    static const struct
    {
        const wchar_t* path;
        bool isServer;
    } kLocations[] = {
        {L"bin\\client\\jvm.dll", false},  {L"bin\\classic\\jvm.dll", false},
        {L"bin\\hotspot\\jvm.dll", false}, {kServerLibrary, true},
        {L"bin\\jrockit\\jvm.dll", false},
    };
    for (const auto& location : kLocations)
    {
        const std::wstring library = home + location.path;
        if (FileExists(library))
        {
            isServerVm = location.isServer;
            return library;
        }
    }
    return std::wstring();
}

bool IsJreHome(const std::wstring& folder)
{
    return FileExists(folder + L"bin\\java.dll");
}
