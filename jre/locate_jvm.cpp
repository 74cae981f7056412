// The order in which the launcher looks for a Java runtime, and the decision to hand the
// launch to the companion executable when the runtime is a 32-bit one.
#include "base/path_pieces.h"
#include "report/launch_trace.h"
#include "jre/jvm_resolution.h"
#include "jre/mapped_image_file.h"
#include "report/error_report.h"
#include "jre/runtime_search.h"
#include "config/user_settings.h"
#include "ui/jre_not_found_dialog.h"
#include "ui/jre_not_found_message.h"
#include "ui/resources/resource.h"

CRuntimeSearch::CRuntimeSearch(const SLaunchSettings& settings, const std::wstring& modulePath)
    : m_settings(settings), m_modulePath(modulePath), m_runPairProduct(false)
{
}

bool CRuntimeSearch::LocateJvm(SRuntimeChoice& choice)
{
    const CTraceStep step(L"runtime search");
    const bool bFound = FindJvm();
    choice.m_jvmLibraryPath = m_jvmLibraryPath;
    choice.m_runPairProduct = m_runPairProduct;
    return bFound;
}

bool CRuntimeSearch::FindJvm()
{
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

void CRuntimeSearch::TraceFind(const wchar_t* pSource, const std::wstring& home,
                               const std::wstring& library)
{
    if (IsTracing())
        TraceLine(pSource + home +
                  (library.empty() ? L": no JVM of the configured type" : L": " + library));
}

bool CRuntimeSearch::FindLocalJre(std::wstring& home)
{
    home.clear();
    const std::wstring folder = FolderWithBackslash(m_modulePath);
    if (folder.empty())
        return true;
    if (IsJreHome(folder))
        home = folder;
    else if (IsJreHome(folder + L"jre64\\"))
        home = folder + L"jre64\\";
    return true;
}

EPairChoice ChoosePairProduct(const std::wstring& jvmLibraryPath, bool bHasCompanion)
{
    if (!bHasCompanion)
        return PairChoiceThisLauncher;
    CMappedImageFile image;
    WORD machine = 0;
    if (!image.Open(jvmLibraryPath) || !image.GetMachine(machine))
        return PairChoiceThisLauncher;
    // Neither this process nor the companion can load a library of another processor
    // (ARM64).
    if (machine != IMAGE_FILE_MACHINE_AMD64 && machine != IMAGE_FILE_MACHINE_I386)
        return PairChoiceNeither;
    return machine == IMAGE_FILE_MACHINE_I386 ? PairChoiceCompanion : PairChoiceThisLauncher;
}

bool CRuntimeSearch::CheckPairProduct()
{
    const EPairChoice choice =
        ChoosePairProduct(m_jvmLibraryPath, !m_settings.m_pairProduct.empty());
    m_runPairProduct = choice == PairChoiceCompanion;
    if (m_settings.m_pairProduct.empty())
        return true;
    if (choice == PairChoiceNeither)
    {
        // The search goes on.
        TraceLine(L"a library for another processor: skipped");
        m_jvmLibraryPath.clear();
        return false;
    }
    TraceLine(m_runPairProduct ? L"not a 64-bit library: the companion starts instead"
                               : L"the library is not a 32-bit one: no companion");
    return true;
}

bool CRuntimeSearch::AskForJre(const std::wstring& message)
{
    TraceLine(L"JRE Not Found dialog: " + message);
    CJreNotFoundDialog dialog(message, m_settings.m_jvmType, &ResolveJvmLibrary);
    if (dialog.RunModal(IDD_JRE_NOT_FOUND, GetActiveWindow()) != IDOK)
    {
        TraceLine(L"JRE Not Found dialog: no runtime chosen");
        return false;
    }
    TraceLine(L"JRE Not Found dialog: the user chose " + dialog.m_chosenJvmPath);
    m_jvmLibraryPath = dialog.m_chosenJvmPath;
    CheckPairProduct();
    SaveJrePath(m_settings, m_modulePath, dialog.m_chosenHome);
    return true;
}
