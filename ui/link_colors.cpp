// Reading the link colours from the registry.
#include "ui/link_colors.h"
#include "base/unique_handle.h"

#include <cwchar>

// One component: the text up to the next comma converted as a signed decimal number. Moves
// pText past the comma; false when there is no comma.
static bool TakeComponent(wchar_t*& pText, long& value)
{
    wchar_t* pComma = pText;
    while (*pComma != L'\0' && *pComma != L',')
        pComma = CharNextW(pComma);
    if (*pComma != L',')
        return false;
    *pComma = L'\0';
    value = wcstol(pText, nullptr, 10);
    pText = pComma + 1;
    return true;
}

bool ParseColorValue(const wchar_t* pText, COLORREF& color)
{
    wchar_t buffer[16] = L"";
    if (wcslen(pText) >= 16)
        return false;
    wcscpy(buffer, pText);
    wchar_t* pRest = buffer;
    long red = 0;
    long green = 0;
    if (!TakeComponent(pRest, red) || red == -1 || !TakeComponent(pRest, green) || green == -1 ||
        *pRest == L'\0')
        return false;
    const long blue = wcstol(pRest, nullptr, 10);
    color = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    return true;
}

// A string value that fits 11 characters and its terminator, properly ended.
static bool ReadColorText(HKEY hKey, const wchar_t* pName, wchar_t (&text)[12])
{
    DWORD type = 0;
    DWORD size = sizeof(text);
    if (RegQueryValueExW(hKey, pName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    if (size == 0)
    {
        text[0] = L'\0';
        return true;
    }
    return size % 2 == 0 && text[size / 2 - 1] == L'\0';
}

void ReadLinkColors(COLORREF& normal, COLORREF& visited)
{
    CUniqueRegistryKey hKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Settings", 0,
                      KEY_READ, hKey.Receive()) != ERROR_SUCCESS)
        return;
    const struct
    {
        const wchar_t* pName;
        COLORREF& color;
    } values[] = {{L"Anchor Color", normal}, {L"Anchor Color Visited", visited}};
    for (const auto& value : values)
    {
        wchar_t text[12] = L"";
        COLORREF color = 0;
        if (ReadColorText(hKey.Get(), value.pName, text) && ParseColorValue(text, color))
            value.color = color;
    }
}
