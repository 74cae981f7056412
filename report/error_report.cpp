// The string table's texts, and the error message box.
#include "report/launch_trace.h"
#include "report/error_report.h"

std::wstring LoadText(UINT id)
{
    const wchar_t* pText = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&pText), 0);
    if (length <= 0 || pText == nullptr)
        return std::wstring();
    return std::wstring(pText, static_cast<size_t>(length));
}

void ShowErrorMessage(HWND owner, const std::wstring& text)
{
    TraceLine(L"message shown: " + text);
    MessageBoxW(owner, text.c_str(), nullptr, MB_OK | MB_ICONERROR);
}
