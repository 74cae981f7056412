// Loading ole32, oleaut32, shell32 and comctl32 when the splash picture or a dialog first
// needs them. The libraries stay loaded for the life of the process.
//
// Each call looks its entry up again, which costs a few microseconds for a library already
// loaded: an entry kept in a function's static would need the C++ runtime's guard for such
// statics, which brings 3 KB of its exception support into the 32-bit release.
#include "base/library_entry.h"
#include "base/unique_handle.h"
#include "ui/system_libraries.h"

#include <shellapi.h>

namespace
{
// The entry of a system library; null when the library or entry is missing.
template <typename TFunction> TFunction Entry(const wchar_t* pLibrary, const char* pName)
{
    HMODULE hLibrary = LoadLibraryW(pLibrary);
    return hLibrary != nullptr ? LookupEntry<TFunction>(hLibrary, pName) : nullptr;
}
} // namespace

namespace SystemLibraries
{
HRESULT CoInitializeEx(void* pReserved, DWORD concurrency)
{
    const auto pfn = Entry<HRESULT(WINAPI*)(void*, DWORD)>(L"ole32.dll", "CoInitializeEx");
    return pfn != nullptr ? pfn(pReserved, concurrency) : E_FAIL;
}

void CoUninitialize()
{
    const auto pfn = Entry<void(WINAPI*)()>(L"ole32.dll", "CoUninitialize");
    if (pfn != nullptr)
        pfn();
}

void CoTaskMemFree(void* pMemory)
{
    const auto pfn = Entry<void(WINAPI*)(void*)>(L"ole32.dll", "CoTaskMemFree");
    if (pfn != nullptr)
        pfn(pMemory);
}

HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL deleteOnRelease, IStream** ppStream)
{
    const auto pfn =
        Entry<HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**)>(L"ole32.dll", "CreateStreamOnHGlobal");
    return pfn != nullptr ? pfn(hGlobal, deleteOnRelease, ppStream) : E_FAIL;
}

HRESULT OleLoadPicture(IStream* pStream, LONG size, BOOL runMode, REFIID interfaceId,
                       void** ppPicture)
{
    const auto pfn = Entry<HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**)>(
        L"oleaut32.dll", "OleLoadPicture");
    return pfn != nullptr ? pfn(pStream, size, runMode, interfaceId, ppPicture) : E_FAIL;
}

PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* pBrowse)
{
    const auto pfn =
        Entry<PIDLIST_ABSOLUTE(WINAPI*)(BROWSEINFOW*)>(L"shell32.dll", "SHBrowseForFolderW");
    return pfn != nullptr ? pfn(pBrowse) : nullptr;
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pIdList, wchar_t* pPath)
{
    const auto pfn =
        Entry<BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, wchar_t*)>(L"shell32.dll", "SHGetPathFromIDListW");
    return pfn != nullptr ? pfn(pIdList, pPath) : FALSE;
}

HINSTANCE ShellExecuteW(HWND hWnd, const wchar_t* pVerb, const wchar_t* pFile,
                        const wchar_t* pParameters, const wchar_t* pDirectory, int show)
{
    const auto pfn =
        Entry<HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*,
                                 const wchar_t*, int)>(L"shell32.dll", "ShellExecuteW");
    return pfn != nullptr ? pfn(hWnd, pVerb, pFile, pParameters, pDirectory, show)
                          : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* pControls)
{
    const auto pfn =
        Entry<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(L"comctl32.dll", "InitCommonControlsEx");
    return pfn != nullptr ? pfn(pControls) : FALSE;
}
HRESULT SetCurrentProcessExplicitAppUserModelID(const wchar_t* pId)
{
    const auto pfn = Entry<HRESULT(WINAPI*)(const wchar_t*)>(
        L"shell32.dll", "SetCurrentProcessExplicitAppUserModelID");
    return pfn != nullptr ? pfn(pId) : E_FAIL;
}
} // namespace SystemLibraries
