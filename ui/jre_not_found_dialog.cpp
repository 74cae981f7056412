// The JRE Not Found dialog.
#include "ui/jre_not_found_dialog.h"
#include "base/path_pieces.h"
#include "report/error_report.h"
#include "report/launch_trace.h"
#include "ui/resources/resource.h"
#include "ui/system_libraries.h"

CJreNotFoundDialog::CJreNotFoundDialog(const std::wstring& message, int jvmType,
                                       PfnResolveJvmLibrary pfnResolveJvmLibrary)
    : m_message(message), m_jvmType(jvmType), m_pfnResolveJvmLibrary(pfnResolveJvmLibrary)
{
}

bool CJreNotFoundDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&)
{
    switch (message)
    {
        case WM_COMMAND:
            switch (LOWORD(wParam))
            {
                case IDC_BROWSE:
                    OnBrowse();
                    return true;
                case IDOK:
                    // OK is disabled without a runtime; a command sent anyway is not taken.
                    if (!m_chosenJvmPath.empty())
                        EndDialog(m_hWnd, IDOK);
                    return true;
                case IDCANCEL:
                    EndDialog(m_hWnd, IDCANCEL);
                    return true;
                default:
                    return false;
            }
        default:
            return false;
    }
}

void CJreNotFoundDialog::OnInitDialog()
{
    if (m_link.Subclass(GetDlgItem(m_hWnd, IDC_DOWNLOAD_LINK)))
        m_link.Attach();
    SetDlgItemTextW(m_hWnd, IDC_MESSAGE, m_message.c_str());
    SendDlgItemMessageW(m_hWnd, IDC_ERROR_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_ERROR)), 0);
    EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
    CentreDialog(m_hWnd);
}

void CJreNotFoundDialog::OnBrowse()
{
    const std::wstring title = LoadText(IDS_BROWSE_FOR_JRE);
    BROWSEINFOW browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    // The browser's new style needs COM in an apartment on this thread.
    const HRESULT comResult = SystemLibraries::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring folder;
    {
        const CUniqueTaskMemory<ITEMIDLIST> pChosen(SystemLibraries::SHBrowseForFolderW(&browse));
        wchar_t path[MAX_PATH] = L"";
        // A choice without a file-system path counts as no choice.
        if (pChosen && SystemLibraries::SHGetPathFromIDListW(pChosen.Get(), path))
            folder = path;
    }
    if (SUCCEEDED(comResult))
        SystemLibraries::CoUninitialize();
    if (!folder.empty())
        UseChosenFolder(folder);
}

void CJreNotFoundDialog::UseChosenFolder(const std::wstring& folder)
{
    SetDlgItemTextW(m_hWnd, IDC_JRE_PATH, folder.c_str());
    m_chosenHome = WithTrailingBackslash(folder);
    m_chosenJvmPath = m_pfnResolveJvmLibrary(m_chosenHome, m_jvmType);
    EnableWindow(GetDlgItem(m_hWnd, IDOK), m_chosenJvmPath.empty() ? FALSE : TRUE);
}
