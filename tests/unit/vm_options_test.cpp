#include "base/narrow_text.h"
#include "base/path_pieces.h"
#include "base/text.h"
#include "base/windows_machine.h"
#include "plan/memory_options.h"
#include "plan/option_tokens.h"
#include "plan/vm_options.h"
#include "test_folders.h"

#include <gtest/gtest.h>

namespace
{
const CWindowsMachine kMachine;

SVmParameters ReadOnThisMachine(const std::wstring& text)
{
    std::vector<SEnvironmentVariable> planned;
    const CPlannedEnvironment environment(kMachine, planned);
    CExplanation explanation;
    return ReadVmParameters(text, false, {&kMachine, &environment, L"", &explanation});
}

std::vector<std::wstring> Tokens(const std::wstring& text)
{
    return ReadOnThisMachine(text).m_options;
}

std::wstring Percent(const std::wstring& token, unsigned long long basis)
{
    std::wstring rewritten = token;
    ExpandMemoryPercentageOf(rewritten, basis);
    return rewritten;
}

size_t StackSizeAfter(const std::wstring& parameters)
{
    return ReadOnThisMachine(parameters).m_mainThreadStackSize;
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
                  "  '-Dapp.home=C:\\\\My App'  \"-Dq=a b\" # the end\n@" +
                      std::string(folder.begin(), folder.end()) + "more.txt");
    WriteTextFile(folder + L"more.txt", "-Xss2m");
    EXPECT_EQ(Tokens(L"-Dfirst=1 @" + folder + L"opts.txt -Dlast=1"),
              (Strings{L"-Dfirst=1", L"--add-opens=java.base/java.lang=ALL-UNNAMED",
                       L"-Dapp.home=C:\\My App", L"-Dq=a b", L"-Xss2m", L"-Dlast=1"}));
}

// Each row as java of OpenJDK 17 reads the same text as an @file ("java @file -cp . P" with a
// P that prints its properties and arguments), on Debian 12.
TEST(VmParameters, OptionFilesAreReadAsJavaReadsItsAtFiles)
{
    const struct
    {
        const wchar_t* pText;
        Strings options;
    } kRows[] = {
        // Inside quotes the other quote is literal, and nothing is unquoted twice.
        {L"'-Dq=say \"hi\"'", {L"-Dq=say \"hi\""}},
        {L"-Dq=\"a b\"c ab'c d'ef", {L"-Dq=a bc", L"abc def"}},
        // Inside quotes a backslash escapes; outside it is literal.
        {L"\"-Dw=C:\\\\Program Files\\\\x\" -Dv=C:\\\\a\\b",
         {L"-Dw=C:\\Program Files\\x", L"-Dv=C:\\\\a\\b"}},
        {L"\"-Dc=a\\nb\\tc\\rd\\fe\\\"f\\g\"", {L"-Dc=a\nb\tc\rd\fe\"fg"}},
        // A backslash at a line end inside quotes goes on with the next line's text.
        {L"\"-Dj=abc\\\r\n    def\" \"-Dk=a\\\n\n\n  #b\"", {L"-Dj=abcdef", L"-Dk=a#b"}},
        {L"-Dl=a\\\nb", {L"-Dl=a\\", L"b"}},
        // Comments end at CR or LF; "#" inside quotes is text.
        {L"# comment\r-Da=x\r-Db=y # more\n  #full\n\"-Dc=a#b\"", {L"-Da=x", L"-Db=y", L"-Dc=a#b"}},
        // A comment takes the unquoted text of the option it starts in; a quoted part stays and
        // begins the next option.
        {L"-Da=x#y -Db=z\n-Dc=d", {L"-Dc=d"}},
        {L"\"-Da=b\"#x\n-Dc=d", {L"-Da=b-Dc=d"}},
        // A quote left open ends with its line.
        {L"\"-Da=abc\n-Db=z", {L"-Da=abc", L"-Db=z"}},
        // Blanks: space, tab, form feed, CR, LF; a vertical tab is text.
        {L"-Da\t-Db\f-Dc\v-Dd\n\n  \t", {L"-Da", L"-Db", L"-Dc\v-Dd"}},
        // An empty quoted option counts between others, not at the end.
        {L"\"\" -Da \"\"", {L"", L"-Da"}},
        // At the end of the file: an open quote counts; an escape, a joined line or a comment
        // takes the option with it.
        {L"-Da \"-Db=c", {L"-Da", L"-Db=c"}},
        {L"-Da \"-Db=c\\", {L"-Da"}},
        {L"-Da \"-Db=c\\\n  ", {L"-Da"}},
        {L"-Da \"-Db\"#c", {L"-Da"}},
    };
    for (const auto& row : kRows)
        EXPECT_EQ(SplitOptionFileText(row.pText), row.options) << ToUtf8(row.pText);
}

TEST(VmParameters, TokenEndAndQuoteRemoval)
{
    EXPECT_EQ(SplitVmParameterText(L"ab cd"), (Strings{L"ab", L"cd"}));
    EXPECT_EQ(SplitVmParameterText(L"a\"b c\"d e"), (Strings{L"ab cd", L"e"}));
    // A doubled quote closes the section at its second quote, and leaves the first.
    EXPECT_EQ(SplitVmParameterText(L"\"a \"\" b\" c"), (Strings{L"a \"", L"b\"", L"c"}));
    EXPECT_EQ(SplitVmParameterText(L"\"a b\""), Strings{L"a b"});
    EXPECT_EQ(SplitVmParameterText(L"x\"a\"y\"b\""), Strings{L"xayb"});
    EXPECT_EQ(SplitVmParameterText(L"\"a\"\""), Strings{L"a\""});
    EXPECT_EQ(SplitVmParameterText(L"a\"b"), Strings{L"a\"b"});
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
    ExpandMemoryPercentage(physical, kMachine);
    EXPECT_EQ(physical, L"-Xmx" + std::to_wstring(status.dwTotalPhys / 1024) + L"K");
    // Bounds in megabytes decide whatever the machine has.
    std::wstring bounded = L"-Xmx1:64:64P";
    ExpandMemoryPercentage(bounded, kMachine);
    EXPECT_EQ(bounded, L"-Xmx65536K");
    std::wstring addressSpace = L"-Xms1t";
    ExpandMemoryPercentage(addressSpace, kMachine);
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
    std::vector<SEnvironmentVariable> planned;
    CPlannedEnvironment environment(kMachine, planned);
    SetEnvironmentVariableW(L"JVMHOST_TEST_VALUE", L"v a l");
    EXPECT_EQ(environment.Expand(L"%JVMHOST_TEST_VALUE%;%JVMHOST_NO_SUCH%;100%"),
              L"v a l;%JVMHOST_NO_SUCH%;100%");
    const std::wstring longValue(5000, L'x');
    SetEnvironmentVariableW(L"JVMHOST_TEST_VALUE", longValue.c_str());
    EXPECT_EQ(environment.Expand(L"[%JVMHOST_TEST_VALUE%]"), L"[" + longValue + L"]");
    // What the plan sets comes before the machine's, whatever the case of the name.
    environment.Set(L"jvmhost_test_value", L"planned");
    EXPECT_EQ(environment.Expand(L"%JVMHOST_TEST_VALUE%"), L"planned");
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
    const std::wstring safe = AnsiSafePath(kMachine, folder + L"\\app.jar");
    EXPECT_NE(safe, folder + L"\\app.jar");
    EXPECT_EQ(NarrowForVm(safe).find('?'), std::string::npos);
    EXPECT_TRUE(FileExists(safe));
    // Paths the code page can spell, and paths that do not exist, stay as they are.
    EXPECT_EQ(AnsiSafePath(kMachine, L"C:\\caf\u00e9\\app.jar"), L"C:\\caf\u00e9\\app.jar");
    EXPECT_EQ(AnsiSafePath(kMachine, L"C:\\\u0416\\missing.jar"), L"C:\\\u0416\\missing.jar");
    EXPECT_EQ(AnsiSafePathList(kMachine, L"a;;" + folder + L"\\app.jar"), L"a;;" + safe);
    EXPECT_EQ(NarrowForVm(L"caf\u00e9"), "caf\xe9");
}
