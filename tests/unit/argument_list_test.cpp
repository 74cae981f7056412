#include "base/argument_list.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::wstring> Elements(const CArgumentList& list)
{
    std::vector<std::wstring> elements;
    for (size_t i = 0; i < list.Count(); ++i)
        elements.push_back(list.At(i));
    return elements;
}

std::vector<std::wstring> Arguments(const std::wstring& commandLine)
{
    CArgumentList list;
    ParseCommandLineText(commandLine, list);
    return Elements(list);
}

std::vector<std::wstring> Pieces(const std::wstring& text, const std::wstring& separator)
{
    CArgumentList list;
    list.Append(L"left over");
    SplitString(text, separator, list);
    return Elements(list);
}

typedef std::vector<std::wstring> Strings;
} // namespace

TEST(CommandLine, QuotedProgramQuotedGroupAndEmptyElement)
{
    EXPECT_EQ(Arguments(L"\"C:\\Program Files\\app.exe\" one \"two three\" \"\""),
              (Strings{L"one", L"two three", L""}));
}

TEST(CommandLine, QuoteInsideAnElementIsAnOrdinaryCharacter)
{
    EXPECT_EQ(Arguments(L"app.exe  a\"b  c\"d"), (Strings{L"a\"b", L"c\"d"}));
}

TEST(CommandLine, ClosingQuoteEndsTheElementWithoutBlank)
{
    EXPECT_EQ(Arguments(L"app.exe \"x\"y"), (Strings{L"x", L"y"}));
}

TEST(CommandLine, BackslashBeforeClosingQuoteIsNoEscape)
{
    EXPECT_EQ(Arguments(L"app.exe \"C:\\dir\\\" next"), (Strings{L"C:\\dir\\", L"next"}));
}

TEST(CommandLine, TabDoesNotSeparate)
{
    EXPECT_EQ(Arguments(L"app.exe a\tb"), (Strings{L"a\tb"}));
}

TEST(CommandLine, ProgramNameFollowedOnlyByWhiteSpaceGivesNoArguments)
{
    EXPECT_EQ(Arguments(L"app.exe   \t \r\n"), Strings{});
    EXPECT_EQ(Arguments(L"  \"app.exe\"  "), Strings{});
    EXPECT_EQ(Arguments(L""), Strings{});
}

TEST(CommandLine, UnquotedProgramPathWithBlanksKeepsItsLaterPieces)
{
    EXPECT_EQ(Arguments(L"C:\\Program Files\\app.exe x"), (Strings{L"Files\\app.exe", L"x"}));
}

TEST(CommandLine, LoneDoubleQuoteGivesOneEmptyArgument)
{
    EXPECT_EQ(Arguments(L"app.exe \""), (Strings{L""}));
}

TEST(CommandLine, UnmatchedQuoteTakesTheRest)
{
    EXPECT_EQ(Arguments(L"app.exe \"a b  c"), (Strings{L"a b  c"}));
}

TEST(CommandLine, SplashSwitchStaysAnArgument)
{
    EXPECT_EQ(Arguments(L"app.exe -nosplash doc.txt"), (Strings{L"-nosplash", L"doc.txt"}));
}

TEST(CommandLine, TwoAdjacentQuotesPairsGiveTwoElements)
{
    EXPECT_EQ(Arguments(L"app.exe \"\"\"\""), (Strings{L"", L""}));
}

TEST(SplitArguments, AppendsToWhatIsThere)
{
    CArgumentList list;
    list.Append(L"first");
    SplitArguments(L"-a   \"b c\" ", list);
    EXPECT_EQ(Elements(list), (Strings{L"first", L"-a", L"b c"}));
    SplitArguments(L"", list);
    EXPECT_EQ(list.Count(), 3u);
    // Text is split as it comes: a leading blank ends an empty first element.
    SplitArguments(L" x", list);
    EXPECT_EQ(Elements(list), (Strings{L"first", L"-a", L"b c", L"", L"x"}));
}

TEST(SplitString, Pieces)
{
    EXPECT_EQ(Pieces(L"a;;b", L";"), (Strings{L"a", L"", L"b"}));
    EXPECT_EQ(Pieces(L"a;b;", L";"), (Strings{L"a", L"b"}));
    EXPECT_EQ(Pieces(L";a", L";"), (Strings{L"", L"a"}));
    EXPECT_EQ(Pieces(L"abc", L";"), (Strings{L"abc"}));
    EXPECT_EQ(Pieces(L"", L";"), Strings{});
    EXPECT_EQ(Pieces(L";", L";"), (Strings{L""}));
    EXPECT_EQ(Pieces(L"a::b::", L"::"), (Strings{L"a", L"b"}));
}

TEST(ArgumentList, FindIsWholeElementAndCaseSensitive)
{
    CArgumentList list;
    SplitArguments(L"-NoSplash x -nosplash", list);
    EXPECT_EQ(list.Find(L"-nosplash"), 2);
    EXPECT_EQ(list.Find(L"/nosplash"), -1);
    EXPECT_EQ(list.Find(L"-nosplas"), -1);
    list.RemoveFirst();
    EXPECT_EQ(list.Find(L"-nosplash"), 1);
}

TEST(CommandLine, TailAfterProgramNameIsUnchanged)
{
    EXPECT_EQ(CommandLineAfterProgramName(L"\"C:\\a b\\app.exe\"  one \"two\""), L"  one \"two\"");
    // A tab does not end the program name, for main's arguments and the companion's alike.
    EXPECT_EQ(CommandLineAfterProgramName(L"app.exe\tx"), L"");
    EXPECT_EQ(Arguments(L"app.exe\tx"), Strings{});
    EXPECT_EQ(CommandLineAfterProgramName(L"app.exe"), L"");
    EXPECT_EQ(CommandLineAfterProgramName(L"\"app.exe\""), L"");
}
