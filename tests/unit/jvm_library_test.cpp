#include "jvm/jvm_library.h"
#include "recording_reporter.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
struct SLoadResult
{
    bool loaded;
    std::vector<std::wstring> reports;
    SJvmEntries entries;
};

SLoadResult Load(const std::wstring& path)
{
    CRecordingReporter reporter;
    SLoadResult result;
    result.loaded = LoadJvmEntries(path, reporter, result.entries);
    result.reports = reporter.m_reports;
    return result;
}
} // namespace

TEST(LoadJvmLibrary, MissingLibraryNamesThePathAndTheLoaderError)
{
    const std::wstring path = NewScratchFolder() + L"bin\\client\\jvm.dll";
    const SLoadResult result = Load(path);
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.reports.size(), 1u);
    // 126 (module not found) on Windows; Wine says 3 (path not found) when the folder is missing.
    const std::wstring text = result.reports[0];
    EXPECT_TRUE(text == L"Failed to load Java VM library: " + path + L" (errno = 126).\n" ||
                text == L"Failed to load Java VM library: " + path + L" (errno = 3).\n")
        << std::string(text.begin(), text.end());
}

TEST(LoadJvmLibrary, FileThatIsNoLibraryGivesTheLoaderError)
{
    const std::wstring path = NewScratchFolder() + L"jvm.dll";
    WriteTextFile(path, "not a library");
    const SLoadResult result = Load(path);
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(result.reports[0], L"Failed to load Java VM library: " + path + L" (errno = 193).\n");
}

TEST(LoadJvmLibrary, LibraryWithoutDefaultArgsEntryIsRefused)
{
    const SLoadResult result = Load(TestBinaryFolder() + L"fakejvm_nodefaults.dll");
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(result.reports[0],
              L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n");
}

TEST(LoadJvmLibrary, LibraryWithBothEntriesIsLoaded)
{
    const SLoadResult result = Load(TestBinaryFolder() + L"fakejvm.dll");
    EXPECT_TRUE(result.loaded);
    EXPECT_TRUE(result.reports.empty());
    EXPECT_TRUE(result.entries.m_pfnCreateJavaVM != nullptr &&
                result.entries.m_pfnGetDefaultJavaVMInitArgs != nullptr);
    // The stand-in proposes 1.5 MiB for Java threads.
    EXPECT_EQ(ProposedThreadStackSize(result.entries), 1572864u);
}

TEST(LoadJvmLibrary, NoProposedStackSizeWithoutLibrary)
{
    EXPECT_EQ(ProposedThreadStackSize(SJvmEntries()), 0u);
}
