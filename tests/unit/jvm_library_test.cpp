#include "vm_under_test.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
struct SLoadResult
{
    bool loaded;
    std::vector<std::wstring> reports;
};

SLoadResult Load(SVmUnderTest& test, const std::wstring& path)
{
    const bool loaded = test.vm.LoadJvmLibrary(path);
    return {loaded, test.reporter.m_reports};
}
} // namespace

TEST(LoadJvmLibrary, MissingLibraryNamesThePathAndTheLoaderError)
{
    SVmUnderTest test;
    const std::wstring path = NewScratchFolder() + L"bin\\client\\jvm.dll";
    const SLoadResult result = Load(test, path);
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
    SVmUnderTest test;
    const std::wstring path = NewScratchFolder() + L"jvm.dll";
    WriteTextFile(path, "not a library");
    const SLoadResult result = Load(test, path);
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(result.reports[0], L"Failed to load Java VM library: " + path + L" (errno = 193).\n");
}

TEST(LoadJvmLibrary, LibraryWithoutDefaultArgsEntryIsRefused)
{
    SVmUnderTest test;
    const SLoadResult result = Load(test, TestBinaryFolder() + L"fakejvm_nodefaults.dll");
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.reports.size(), 1u);
    EXPECT_EQ(result.reports[0],
              L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n");
}

TEST(LoadJvmLibrary, LibraryWithBothEntriesIsLoaded)
{
    SVmUnderTest test;
    const SLoadResult result = Load(test, TestBinaryFolder() + L"fakejvm.dll");
    EXPECT_TRUE(result.loaded);
    EXPECT_TRUE(result.reports.empty());
    EXPECT_TRUE(test.vm.HasEntries());
    // The stand-in proposes 1.5 MiB for Java threads.
    EXPECT_EQ(test.vm.GetDefaultThreadStackSize(), 1572864u);
}

TEST(LoadJvmLibrary, NoProposedStackSizeWithoutLibrary)
{
    SVmUnderTest test;
    EXPECT_EQ(test.vm.GetDefaultThreadStackSize(), 0u);
}
