// Text helpers: numbers, placeholders, ASCII case, code pages.
#include "base/text.h"

#include <windows.h>

std::wstring FormatText(const std::wstring& format, const std::vector<std::wstring>& values)
{
    std::wstring result;
    size_t nextValue = 0;
    for (size_t i = 0; i < format.size(); ++i)
    {
        const wchar_t c = format[i];
        const wchar_t kind = i + 1 < format.size() ? format[i + 1] : L'\0';
        if (c == L'%' && kind == L'%')
        {
            result += L'%';
            ++i;
        }
        else if (c == L'%' && (kind == L's' || kind == L'd') && nextValue < values.size())
        {
            result += values[nextValue++];
            ++i;
        }
        else
        {
            result += c;
        }
    }
    return result;
}

std::wstring DecimalText(long long value)
{
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    std::wstring digits;
    do
    {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return value < 0 ? L"-" + digits : digits;
}

static wchar_t LowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringAsciiCase(const std::wstring& value, const wchar_t* pLiteral)
{
    size_t i = 0;
    for (; i < value.size() && pLiteral[i] != L'\0'; ++i)
    {
        if (LowerAscii(value[i]) != LowerAscii(pLiteral[i]))
            return false;
    }
    return i == value.size() && pLiteral[i] == L'\0';
}

std::string ToCodePage(const std::wstring& text, unsigned int codePage)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0],
                            size, nullptr, nullptr);
    return bytes;
}

std::wstring FromCodePage(const std::string& bytes, unsigned int codePage)
{
    if (bytes.empty())
        return std::wstring();
    const int size =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                            size);
    return text;
}

std::string ToUtf8(const std::wstring& text)
{
    return ToCodePage(text, CP_UTF8);
}

std::wstring FromUtf8(const std::string& bytes)
{
    return FromCodePage(bytes, CP_UTF8);
}
