#include "jvm/environment.h"
#include "jvm/memory_options.h"
#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "jvm/vm_options.h"
#include "jre/jvm_resolution.h"
#include "vm_under_test.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::wstring> Tokens(const std::wstring& text)
{
    SVmUnderTest test;
    std::vector<std::wstring> options;
    test.vm.SplitVmParameters(text, options);
    return options;
}

std::wstring Unquoted(std::wstring token)
{
    RemoveQuotes(token);
    return token;
}

std::wstring Percent(const std::wstring& token, unsigned long long basis)
{
    std::wstring rewritten = token;
    ExpandMemoryPercentageOf(rewritten, basis);
    return rewritten;
}

size_t StackSizeAfter(const std::wstring& parameters)
{
    SVmUnderTest test;
    std::vector<std::wstring> options;
    test.vm.SplitVmParameters(parameters, options);
    return test.vm.MainThreadStackSize();
}

typedef std::vector<std::wstring> Strings;
const unsigned long long kEightGiB = 8ULL << 30;
} // namespace

TEST(VmParameters, BlanksSeparateQuotesGroup)
{
    EXPECT_EQ(Tokens(L"-Xmx512m \"-Dapp.home=C:\\My App\" -Dq=\"x y\""),
              (Strings{L"-Xmx512m", L"-Dapp.home=C:\\My App", L"-Dq=x y"}));
    EXPECT_EQ(Tokens(L"  -Da=1   -Db=2 "), (Strings{L"-Da=1", L"-Db=2"}));
    EXPECT_EQ(Tokens(L""), Strings{});
    EXPECT_EQ(Tokens(L" "), Strings{});
    EXPECT_EQ(Tokens(L"-Da\t-Db"), (Strings{L"-Da\t-Db"}));
    EXPECT_EQ(Tokens(L"\"-Dq=say \"\"hi\"\"\" x"), (Strings{L"-Dq=say \"hi\"", L"x"}));
    // A quote without a partner is an ordinary character.
    EXPECT_EQ(Tokens(L"-Da=\"b c"), (Strings{L"-Da=\"b", L"c"}));
}

TEST(VmParameters, SpacedModuleOptionsAreJoinedAsJavaJoinsThem)
{
    EXPECT_EQ(Tokens(L"--add-opens java.base/java.lang=ALL-UNNAMED -p \"C:\\My Mods\" -Xmx1g"),
              (Strings{L"--add-opens=java.base/java.lang=ALL-UNNAMED", L"--module-path=C:\\My Mods",
                       L"-Xmx1g"}));
    EXPECT_EQ(Tokens(L"--add-modules=a --enable-native-access ALL-UNNAMED"),
              (Strings{L"--add-modules=a", L"--enable-native-access=ALL-UNNAMED"}));
    // Without a value the VM is given the option as written, and says what is wrong.
    EXPECT_EQ(Tokens(L"-Da=1 --add-exports"), (Strings{L"-Da=1", L"--add-exports"}));
}

TEST(VmParameters, OptionFilesAreReadInPlaceAsJavaReadsThem)
{
    const std::wstring folder = NewScratchFolder();
    WriteTextFile(folder + L"opts.txt",
                  "# module options\n--add-opens java.base/java.lang=ALL-UNNAMED\r\n"
                  "  '-Dapp.home=C:\\My App'  \"-Dq=a b\" # the end\n@" +
                      std::string(folder.begin(), folder.end()) + "more.txt");
    WriteTextFile(folder + L"more.txt", "-Xss2m");
    EXPECT_EQ(Tokens(L"-Dfirst=1 @" + folder + L"opts.txt -Dlast=1"),
              (Strings{L"-Dfirst=1", L"--add-opens=java.base/java.lang=ALL-UNNAMED",
                       L"-Dapp.home=C:\\My App", L"-Dq=a b", L"-Xss2m", L"-Dlast=1"}));
}

TEST(VmParameters, TokenEndAndQuoteRemoval)
{
    EXPECT_EQ(FindTokenEnd(L"ab cd", 0), 2u);
    EXPECT_EQ(FindTokenEnd(L"a\"b c\"d e", 0), 7u);
    // A doubled quote closes the section at its second quote.
    EXPECT_EQ(FindTokenEnd(L"\"a \"\" b\" c", 0), 5u);
    EXPECT_EQ(FindTokenEnd(L"abc", 1), 3u);
    EXPECT_EQ(Unquoted(L"\"a b\""), L"a b");
    EXPECT_EQ(Unquoted(L"x\"a\"y\"b\""), L"xayb");
    EXPECT_EQ(Unquoted(L"\"a\"\""), L"a\"");
    EXPECT_EQ(Unquoted(L"a\"b"), L"a\"b");
}

TEST(MemoryOptions, PercentTokens)
{
    EXPECT_TRUE(IsMemoryPercentOption(L"-Xmx50P"));
    EXPECT_TRUE(IsMemoryPercentOption(L"-Xms10t"));
    EXPECT_TRUE(IsMemoryPercentOption(L"-Xss1p"));
    EXPECT_FALSE(IsMemoryPercentOption(L"-Xmx50Q"));
    EXPECT_FALSE(IsMemoryPercentOption(L"-XMX50P"));
    EXPECT_FALSE(IsMemoryPercentOption(L"-Xmx50%"));
    EXPECT_FALSE(IsMemoryPercentOption(L"-Xmn50P"));
}

TEST(MemoryOptions, PercentOfTheBasisInKilobytes)
{
    EXPECT_EQ(Percent(L"-Xmx50P", kEightGiB), L"-Xmx4194304K");
    EXPECT_EQ(Percent(L"-Xmx25:256:1024P", kEightGiB), L"-Xmx1048576K");
    EXPECT_EQ(Percent(L"-Xms1:512:256P", kEightGiB), L"-Xms524288K");
    EXPECT_EQ(Percent(L"-Xmx150p", kEightGiB), L"-Xmx12582912K");
    EXPECT_EQ(Percent(L"-Xmx33:0:0:9P", 3 * 1024), L"-Xmx0K");
    EXPECT_EQ(Percent(L"-XmxP", kEightGiB), L"-XmxP0K");
    EXPECT_EQ(Percent(L"-Xmx:512P", kEightGiB), L"-Xmx524288K");
}

TEST(MemoryOptions, PercentOfWhatTheMachineReports)
{
    MEMORYSTATUS status = {};
    status.dwLength = sizeof(status);
    GlobalMemoryStatus(&status);
    // All of it is the physical memory as the machine reports it, in kilobytes.
    std::wstring physical = L"-Xmx100P";
    ExpandMemoryPercentage(physical);
    EXPECT_EQ(physical, L"-Xmx" + std::to_wstring(status.dwTotalPhys / 1024) + L"K");
    // Bounds in megabytes decide whatever the machine has.
    std::wstring bounded = L"-Xmx1:64:64P";
    ExpandMemoryPercentage(bounded);
    EXPECT_EQ(bounded, L"-Xmx65536K");
    std::wstring addressSpace = L"-Xms1t";
    ExpandMemoryPercentage(addressSpace);
    EXPECT_EQ(addressSpace.compare(0, 4, L"-Xms"), 0);
    EXPECT_EQ(addressSpace.back(), L'K');
    EXPECT_NE(addressSpace, L"-Xms0K");
}

TEST(MemoryOptions, StackSizes)
{
    EXPECT_EQ(ParseStackSize(L"512k"), 524288u);
    EXPECT_EQ(ParseStackSize(L"2M"), 2097152u);
    EXPECT_EQ(ParseStackSize(L"1g"), 1073741824u);
    EXPECT_EQ(ParseStackSize(L"1048576"), 1048576u);
    EXPECT_EQ(ParseStackSize(L"=512k"), 0u);
    EXPECT_EQ(ParseStackSize(L":512k"), 0u);
    EXPECT_EQ(ParseStackSize(L"1:2k"), 0u);
    EXPECT_EQ(ParseStackSize(L""), 0u);
    EXPECT_EQ(StackSizeAfter(L"-Xss2M -Xss512k"), 524288u);
    EXPECT_EQ(StackSizeAfter(L"-Xss512k -Xss=1m"), 0u);
    // A percentage is rewritten to kilobytes first; its lower bound fixes the size here.
    EXPECT_EQ(StackSizeAfter(L"-Xss0:3P"), 3145728u);
}

TEST(Environment, ReferencesAreExpandedAndUnknownOnesStay)
{
    SetEnvironmentVariableW(L"JVMHOST_TEST_VALUE", L"v a l");
    std::wstring text = L"%JVMHOST_TEST_VALUE%;%JVMHOST_NO_SUCH%;100%";
    ExpandEnvironmentReferences(text);
    EXPECT_EQ(text, L"v a l;%JVMHOST_NO_SUCH%;100%");
    const std::wstring longValue(5000, L'x');
    SetEnvironmentVariableW(L"JVMHOST_TEST_VALUE", longValue.c_str());
    text = L"[%JVMHOST_TEST_VALUE%]";
    ExpandEnvironmentReferences(text);
    EXPECT_EQ(text, L"[" + longValue + L"]");
}

TEST(Redirection, PathComponents)
{
    EXPECT_EQ(SplitPathComponents(L"C:\\Logs\\App\\out.log"),
              (Strings{L"C:", L"Logs", L"App", L"out.log"}));
    EXPECT_EQ(SplitPathComponents(L"\\\\server\\share\\out.log"),
              (Strings{L"\\\\server", L"share", L"out.log"}));
    EXPECT_EQ(SplitPathComponents(L"\\\\?\\C:\\a\\b.log"), (Strings{L"\\\\?\\C:", L"a", L"b.log"}));
    EXPECT_EQ(SplitPathComponents(L"\\\\?\\UNC\\server\\b.log"),
              (Strings{L"\\\\?\\UNC", L"server", L"b.log"}));
    EXPECT_EQ(SplitPathComponents(L"\\dir\\out.log"), (Strings{L"dir", L"out.log"}));
    EXPECT_EQ(SplitPathComponents(L"logs\\out.log"), (Strings{L"logs", L"out.log"}));
    EXPECT_EQ(SplitPathComponents(L"C:\\a\\\\b\\"), (Strings{L"C:", L"a", L"", L"b"}));
}

TEST(Redirection, ParentFoldersAreCreated)
{
    const std::wstring folder = NewScratchFolder();
    EXPECT_EQ(EnsureParentFolders(folder + L"a\\b\\c\\out.log"), 0u);
    EXPECT_TRUE(FileExists(folder + L"a\\b\\c"));
    EXPECT_FALSE(FileExists(folder + L"a\\b\\c\\out.log"));
    WriteTextFile(folder + L"file", "x");
    EXPECT_NE(EnsureParentFolders(folder + L"file\\sub\\out.log"), 0u);
    // A relative path's folders are made from the current folder on.
    wchar_t before[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, before);
    const std::wstring current = folder + L"current";
    CreateDirectoryW(current.c_str(), nullptr);
    SetCurrentDirectoryW(current.c_str());
    EXPECT_EQ(EnsureParentFolders(L"logs\\day\\out.log"), 0u);
    SetCurrentDirectoryW(before);
    EXPECT_TRUE(FileExists(current + L"\\logs\\day"));
}

TEST(NarrowText, PathsOutsideTheCodePageTakeTheirShortForm)
{
    const std::wstring folder = NewScratchFolder() + L"\u0416\u0430\u0431\u0430";
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteTextFile(folder + L"\\app.jar", "jar");
    const std::wstring safe = AnsiSafePath(folder + L"\\app.jar");
    EXPECT_NE(safe, folder + L"\\app.jar");
    EXPECT_EQ(NarrowForVm(safe).find('?'), std::string::npos);
    EXPECT_TRUE(FileExists(safe));
    // Paths the code page can spell, and paths that do not exist, stay as they are.
    EXPECT_EQ(AnsiSafePath(L"C:\\caf\u00e9\\app.jar"), L"C:\\caf\u00e9\\app.jar");
    EXPECT_EQ(AnsiSafePath(L"C:\\\u0416\\missing.jar"), L"C:\\\u0416\\missing.jar");
    EXPECT_EQ(AnsiSafePathList(L"a;;" + folder + L"\\app.jar"), L"a;;" + safe);
    EXPECT_EQ(NarrowForVm(L"caf\u00e9"), "caf\xe9");
}
