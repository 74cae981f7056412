// The launcher's settings, read once at start.
#include "config/launch_settings.h"
#include "config/settings_file.h"
#include "report/reporter.h"
#include "report/launch_trace.h"
#include "launcher/launcher.h"
#include "ui/resources/resource.h"

bool CLauncher::ReadSettings()
{
    const CTraceStep step(L"settings");
    std::wstring modulePath;
    std::wstring file;
    if (!GetModulePath(modulePath) || !DeriveSettingsFilePath(modulePath, file))
        return false;
    TraceLine(L"settings file: " + file);
    if (!ReadLaunchSettings(file, modulePath, m_settings))
    {
        m_reporter.Report(IDS_NO_MAIN_CLASS);
        return false;
    }
    return true;
}
