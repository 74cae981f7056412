// The order in which the launcher looks for a Java runtime, and the decision to hand the
// launch to the companion executable when the runtime is a 32-bit one.
#include "base/path_pieces.h"
#include "report/launch_trace.h"
#include "jre/jvm_resolution.h"
#include "jre/mapped_image_file.h"
#include "report/error_report.h"
#include "launcher/launcher.h"
#include "ui/jre_not_found_message.h"

bool CLauncher::LocateJvm()
{
    const CTraceStep step(L"runtime search");
    bool isServerVm = false;
    if (!m_settings.m_jrePath.empty())
    {
        m_jvmLibraryPath = ResolveJvmLibrary(WithTrailingBackslash(m_settings.m_jrePath),
                                             m_settings.m_jvmType, isServerVm);
        TraceFind(L"JRE Path ", m_settings.m_jrePath, m_jvmLibraryPath);
        if (!m_jvmLibraryPath.empty() && CheckPairProduct())
            return true;
    }

    std::wstring home;
    if (FindLocalJre(home) && home.empty())
        TraceLine(L"no runtime beside the executable");
    if (!home.empty())
    {
        m_jvmLibraryPath = ResolveJvmLibrary(home, m_settings.m_jvmType, isServerVm);
        TraceFind(L"runtime beside the executable ", home, m_jvmLibraryPath);
        if (!m_jvmLibraryPath.empty())
            return true;
    }

    if (SearchRegistry(0, home) || SearchRegistry(1, home))
    {
        m_jvmLibraryPath = ResolveJvmLibrary(home, m_settings.m_jvmType, isServerVm);
        TraceFind(L"registry choice ", home, m_jvmLibraryPath);
        if (!m_jvmLibraryPath.empty())
            return true;
    }

    if (m_settings.m_bModernRuntimes &&
        (SearchModernRuntimes(0, home) || SearchModernRuntimes(1, home)))
    {
        m_jvmLibraryPath = ResolveJvmLibrary(home, m_settings.m_jvmType, isServerVm);
        if (!m_jvmLibraryPath.empty())
            return true;
    }

    TraceLine(L"no runtime found: the JRE Not Found dialog asks the user");
    return AskForJre(ComposeJreNotFoundMessage(m_settings.m_jvmType, m_settings.m_minVersion,
                                               m_settings.m_maxVersion));
}

void CLauncher::TraceFind(const wchar_t* pSource, const std::wstring& home,
                          const std::wstring& library)
{
    if (IsTracing())
        TraceLine(pSource + home +
                  (library.empty() ? L": no JVM of the configured type" : L": " + library));
}

bool CLauncher::FindLocalJre(std::wstring& home)
{
    home.clear();
    std::wstring folder;
    if (!GetModuleFolder(folder))
        return false;
    if (folder.empty())
        return true;
    if (IsJreHome(folder))
        home = folder;
    else if (IsJreHome(folder + L"jre64\\"))
        home = folder + L"jre64\\";
    return true;
}

bool CLauncher::CheckPairProduct()
{
    m_runPairProduct = false;
    if (m_settings.m_pairProduct.empty())
        return true;
    CMappedImageFile image;
    WORD machine = 0;
    if (image.Open(m_jvmLibraryPath) && image.GetMachine(machine))
    {
        // Neither this process nor the companion can load a library of another processor
        // (ARM64): the search goes on.
        if (machine != IMAGE_FILE_MACHINE_AMD64 && machine != IMAGE_FILE_MACHINE_I386)
        {
            TraceLine(L"a library for another processor: skipped");
            m_jvmLibraryPath.clear();
            return false;
        }
        m_runPairProduct = machine == IMAGE_FILE_MACHINE_I386;
    }
    TraceLine(m_runPairProduct ? L"not a 64-bit library: the companion starts instead"
                               : L"the library is not a 32-bit one: no companion");
    return true;
}
