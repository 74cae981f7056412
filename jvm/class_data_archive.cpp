// Taking the class-data archive's lock, and the options of the start that holds it or not.
#include "jvm/class_data_archive.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "report/launch_trace.h"

namespace
{
bool MakeFolder(const std::wstring& folder)
{
    EnsureParentFolders(folder + L"x");
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

void CClassDataArchive::Prepare(const SClassDataPlan& plan, CVmOptionList& options)
{
    if (plan.m_kind == ClassDataNone)
        return;
    const CVmOptionList* pOptions = &plan.m_readerOptions;
    if (plan.m_writerOptions.Count() > 0)
    {
        if (!MakeFolder(plan.m_folder))
        {
            TraceLine(L"class data sharing: the folder " + plan.m_folder +
                      L" cannot be made: no archive");
            return;
        }
        // Two VMs that wrote one archive at once would each spoil the other's.
        const std::wstring lock = plan.m_archive + L".lock";
        m_hLock.Reset(CreateFileW(lock.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (m_hLock)
        {
            for (const std::wstring& file : plan.m_filesToDelete)
                DeleteFileW(file.c_str());
            pOptions = &plan.m_writerOptions;
        }
        TraceLine(L"class data sharing: " +
                  std::wstring(m_hLock ? L"this start holds " : L"another start holds ") + lock);
    }
    for (size_t i = 0; i < pOptions->Count(); ++i)
    {
        options.Append(pOptions->At(i));
        if (IsTracing())
            TraceLine(L"class data option: " + FromCodePage(pOptions->At(i), CP_THREAD_ACP));
    }
}
