// Reading the keys that installers write under HKEY_LOCAL_MACHINE (or, installing for one
// user, HKEY_CURRENT_USER), in the registry view of a search pass.
#ifndef JVMHOST_REGISTRY_VIEW_H
#define JVMHOST_REGISTRY_VIEW_H

#include "base/unique_handle.h"

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

// A string value of a key under HKEY_LOCAL_MACHINE (or the root given); false when the key is
// missing, an empty text when the value is missing or not a string.
inline bool ReadRegistryString(const std::wstring& keyPath, const wchar_t* pName, int pass,
                               std::wstring& value, HKEY hRoot = HKEY_LOCAL_MACHINE)
{
    value.clear();
    CUniqueRegistryKey hKey;
    if (RegOpenKeyExW(hRoot, keyPath.c_str(), 0, AccessForPass(pass), hKey.Receive()) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(hKey.Get(), pName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return true;
    // Room for a terminating zero that the stored data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(hKey.Get(), pName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS)
        value = buffer.data();
    return true;
}

#endif
