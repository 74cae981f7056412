#include "launcher/launcher.h"
#include "message_box_probe.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
struct SLoadResult
{
    bool loaded;
    std::vector<SMessageBoxInfo> boxes;
};

SLoadResult Load(CLauncher& launcher, const std::wstring& path)
{
    launcher.m_jvmLibraryPath = path;
    CMessageBoxAnswerer answerer;
    const bool loaded = launcher.LoadJvmLibrary();
    return {loaded, answerer.Finish()};
}
} // namespace

TEST(LoadJvmLibrary, MissingLibraryNamesThePathAndTheLoaderError)
{
    CLauncher launcher;
    const std::wstring path = NewScratchFolder() + L"bin\\client\\jvm.dll";
    const SLoadResult result = Load(launcher, path);
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.boxes.size(), 1u);
    // 126 (module not found) on Windows; Wine says 3 (path not found) when the folder is missing.
    const std::wstring text = result.boxes[0].text;
    EXPECT_TRUE(text == L"Failed to load Java VM library: " + path + L" (errno = 126).\n" ||
                text == L"Failed to load Java VM library: " + path + L" (errno = 3).\n")
        << std::string(text.begin(), text.end());
    EXPECT_EQ(result.boxes[0].icon, L"error");
}

TEST(LoadJvmLibrary, FileThatIsNoLibraryGivesTheLoaderError)
{
    CLauncher launcher;
    const std::wstring path = NewScratchFolder() + L"jvm.dll";
    WriteTextFile(path, "not a library");
    const SLoadResult result = Load(launcher, path);
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].text,
              L"Failed to load Java VM library: " + path + L" (errno = 193).\n");
}

TEST(LoadJvmLibrary, LibraryWithoutDefaultArgsEntryIsRefused)
{
    CLauncher launcher;
    const SLoadResult result = Load(launcher, TestBinaryFolder() + L"fakejvm_nodefaults.dll");
    EXPECT_FALSE(result.loaded);
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].text,
              L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n");
}

TEST(LoadJvmLibrary, LibraryWithBothEntriesIsLoaded)
{
    CLauncher launcher;
    const SLoadResult result = Load(launcher, TestBinaryFolder() + L"fakejvm.dll");
    EXPECT_TRUE(result.loaded);
    EXPECT_TRUE(result.boxes.empty());
    EXPECT_NE(launcher.m_pfnCreateJavaVM, nullptr);
    EXPECT_NE(launcher.m_pfnGetDefaultJavaVMInitArgs, nullptr);
    // The stand-in proposes 1.5 MiB for Java threads.
    EXPECT_EQ(launcher.GetDefaultThreadStackSize(), 1572864u);
}

TEST(LoadJvmLibrary, NoProposedStackSizeWithoutLibrary)
{
    CLauncher launcher;
    EXPECT_EQ(launcher.GetDefaultThreadStackSize(), 0u);
}
