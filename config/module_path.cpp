// The executable's own path, read once.
#include "base/path_pieces.h"
#include "report/error_report.h"
#include "report/reporter.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

bool CLauncher::GetModulePath(std::wstring& path)
{
    // Read once, before any other thread starts, and kept.
    if (m_modulePath.empty() && !ReadModulePath(m_modulePath))
    {
        const DWORD errorCode = GetLastError();
        m_reporter.ReportWithCode(IDS_WINDOWS_EXCEPTION, LoadText(IDS_MODULE_PATH_FAILED),
                                  errorCode);
        return false;
    }
    path = m_modulePath;
    return true;
}
