#include "launcher/launch_trace.h"
#include "launcher/error_report.h"

std::wstring LoadText(UINT id)
{
    const wchar_t* pText = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&pText), 0);
    if (length <= 0 || pText == nullptr)
        return std::wstring();
    return std::wstring(pText, static_cast<size_t>(length));
}

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

void ShowErrorMessage(HWND owner, const std::wstring& text)
{
    TraceLine(L"message shown: " + text);
    MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
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

void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& text,
                        DWORD errorCode)
{
    const std::wstring code = DecimalText(static_cast<int>(errorCode));
    ShowErrorMessage(owner, FormatText(format, {text, code}));
}

void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& first,
                        const std::wstring& second)
{
    ShowErrorMessage(owner, FormatText(format, {first, second}));
}

void ShowFormattedError(HWND owner, const std::wstring& format, const std::wstring& text)
{
    ShowErrorMessage(owner, FormatText(format, {text}));
}
