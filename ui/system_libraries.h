// Functions of system libraries that only the splash picture and the dialogs need, loaded on
// first use. Imported, these libraries would be loaded by every start of the launcher: under
// Wine, shell32 and comctl32 alone add about 100 ms before Java can start. Each call fails as
// its function would (E_FAIL, null, false, SE_ERR_DLLNOTFOUND) when the library is missing.
#ifndef JVMHOST_SYSTEM_LIBRARIES_H
#define JVMHOST_SYSTEM_LIBRARIES_H

#include "base/unique_handle.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>
#include <shlobj.h>

namespace SystemLibraries
{
HRESULT CoInitializeEx(void* pReserved, DWORD concurrency);
void CoUninitialize();
void CoTaskMemFree(void* pMemory);
HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL deleteOnRelease, IStream** ppStream);
HRESULT OleLoadPicture(IStream* pStream, LONG size, BOOL runMode, REFIID interfaceId,
                       void** ppPicture);
PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* pBrowse);
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pIdList, wchar_t* pPath);
HINSTANCE ShellExecuteW(HWND hWnd, const wchar_t* pVerb, const wchar_t* pFile,
                        const wchar_t* pParameters, const wchar_t* pDirectory, int show);
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* pControls);
HRESULT SetCurrentProcessExplicitAppUserModelID(const wchar_t* pId);
} // namespace SystemLibraries

// Memory the shell hands out (item id lists), freed once.
template <typename TObject> struct STaskMemoryTraits
{
    using Type = TObject*;
    static Type Invalid() { return nullptr; }
    static void Close(Type value) { SystemLibraries::CoTaskMemFree(value); }
};
template <typename TObject> using CUniqueTaskMemory = CUniqueResource<STaskMemoryTraits<TObject>>;

#endif
