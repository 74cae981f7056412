// Reading the keys that installers write under HKEY_LOCAL_MACHINE, in the registry view of a
// search pass.
#ifndef JVMHOST_REGISTRY_VIEW_H
#define JVMHOST_REGISTRY_VIEW_H

#include <windows.h>

#include <string>
#include <vector>

// Pass 0 reads the native view, pass 1 the view 32-bit installers write to.
inline REGSAM AccessForPass(int pass)
{
    return pass == 1 ? KEY_READ | KEY_WOW64_32KEY : KEY_READ;
}

// The names of the key's subkeys, in the registry's order.
inline std::vector<std::wstring> SubkeyNames(HKEY hKey)
{
    std::vector<std::wstring> names;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[520];
        DWORD length = 520;
        if (RegEnumKeyExW(hKey, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(std::wstring(name, length));
    }
    return names;
}

#endif
