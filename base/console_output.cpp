// The console launcher's output to its standard error.
#include "base/console_output.h"
#include "base/text.h"

#include <windows.h>

bool IsConsoleProgram()
{
    const BYTE* pImage = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const IMAGE_DOS_HEADER* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pImage);
    const IMAGE_NT_HEADERS* pNt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(pImage + pDos->e_lfanew);
    return pNt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

void WriteErrorLine(const std::wstring& text)
{
    const HANDLE hError = GetStdHandle(STD_ERROR_HANDLE);
    if (hError == nullptr || hError == INVALID_HANDLE_VALUE)
        return;
    const std::wstring line = text + L"\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(hError, &mode))
    {
        WriteConsoleW(hError, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const std::string utf8 = ToUtf8(line);
    WriteFile(hError, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}
