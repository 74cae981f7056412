#include "base/java_version.h"

#include <gtest/gtest.h>

namespace
{
struct SParsed
{
    bool ok;
    int parts[4];
    int count;
};

SParsed ParseText(const std::wstring& text, int fill = kVersionFillLow)
{
    CJavaVersion version;
    version.Set(9, 9, 9, 9);
    const bool ok = version.Parse(text, fill);
    return {ok,
            {version.m_parts[0], version.m_parts[1], version.m_parts[2], version.m_parts[3]},
            version.m_count};
}

void ExpectParsed(const std::wstring& text, int fill, bool ok, std::vector<int> parts, int count)
{
    const SParsed parsed = ParseText(text, fill);
    const std::string name(text.begin(), text.end());
    EXPECT_EQ(parsed.ok, ok) << name;
    EXPECT_EQ(std::vector<int>(parsed.parts, parsed.parts + 4), parts) << name;
    EXPECT_EQ(parsed.count, count) << name;
}

CJavaVersion V(const std::wstring& text, int fill = kVersionFillLow)
{
    CJavaVersion version;
    version.Parse(text, fill);
    return version;
}
} // namespace

TEST(JavaVersion, ParsesUpToFourRunsOfDigits)
{
    ExpectParsed(L"1.6.0_45", 0, true, {1, 6, 0, 45}, 4);
    ExpectParsed(L"1.6", 0, true, {1, 6, 0, 0}, 2);
    ExpectParsed(L"1.6", kVersionFillHigh, true, {1, 6, 65535, 65535}, 2);
    ExpectParsed(L"jre1.7.0", 0, true, {1, 7, 0, 0}, 3);
    ExpectParsed(L"1.6.0_45-b06", 0, true, {1, 6, 0, 45}, 4);
    ExpectParsed(L"10", 0, true, {10, 0, 0, 0}, 1);
    ExpectParsed(L"1..6", 0, true, {1, 6, 0, 0}, 2);
    ExpectParsed(L"1 x 6", 0, true, {1, 6, 0, 0}, 2);
    ExpectParsed(L"1-6", 0, true, {1, 6, 0, 0}, 2);
    ExpectParsed(L"2147483647", 0, true, {2147483647, 0, 0, 0}, 1);
}

TEST(JavaVersion, TextWithoutDigitsOrTooLargePartFails)
{
    ExpectParsed(L"", 0, false, {0, 0, 0, 0}, 0);
    ExpectParsed(L"any", 0, false, {0, 0, 0, 0}, 0);
    ExpectParsed(L"Default", kVersionFillHigh, false, {0, 0, 0, 0}, 0);
    ExpectParsed(L"1.2147483648", 0, false, {0, 0, 0, 0}, 0);
    ExpectParsed(L"\u0661.\u0662", 0, false, {0, 0, 0, 0}, 0);
}

TEST(JavaVersion, ComparesFourPartsOnly)
{
    EXPECT_TRUE(V(L"1.6").IsEqual(V(L"1.6.0")));
    EXPECT_TRUE(V(L"1.6").IsEqual(V(L"1.6.0.0")));
    EXPECT_TRUE(V(L"1.6.0_45").IsGreater(V(L"1.6")));
    EXPECT_TRUE(V(L"1.6.0_45").IsLess(V(L"1.6", kVersionFillHigh)));
    EXPECT_TRUE(V(L"1.7").IsGreater(V(L"1.6", kVersionFillHigh)));
    EXPECT_TRUE(V(L"1.6.70000").IsGreater(V(L"1.6", kVersionFillHigh)));
    EXPECT_EQ(V(L"1.10").Compare(V(L"1.9")), 1);
    EXPECT_EQ(V(L"1.9").Compare(V(L"1.10")), -1);
    EXPECT_EQ(V(L"1.9").Compare(V(L"1.9")), 0);
}

TEST(JavaVersion, MatchesAsPrefix)
{
    EXPECT_TRUE(V(L"1.6").Matches(V(L"1.6")));
    EXPECT_TRUE(V(L"1.6.0_45").Matches(V(L"1.6")));
    EXPECT_TRUE(V(L"1.6.0_45-b06").Matches(V(L"1.6")));
    EXPECT_FALSE(V(L"1.7.0").Matches(V(L"1.6")));
    EXPECT_TRUE(V(L"1.6.0_45").Matches(V(L"1.6.0_45")));
    EXPECT_FALSE(V(L"1.6.0_46").Matches(V(L"1.6.0_45")));
    // Equal parts match whatever the counts.
    EXPECT_TRUE(V(L"1.6").Matches(V(L"1.6.0")));
    EXPECT_FALSE(V(L"1.6.1").Matches(V(L"1.6.0")));
    // A pattern without digits matches only 0.0.0.0.
    EXPECT_FALSE(V(L"1.6").Matches(V(L"")));
    EXPECT_TRUE(V(L"Default").Matches(V(L"")));
}

TEST(JavaVersion, UnsetIsAllZeroOrAllHigh)
{
    CJavaVersion version;
    EXPECT_TRUE(version.IsUnset());
    version.Set(65535, 65535, 65535, 65535);
    EXPECT_TRUE(version.IsUnset());
    version.Set(0, 0, 0, 1);
    EXPECT_FALSE(version.IsUnset());
    EXPECT_TRUE(V(L"0.0").IsUnset());
}

TEST(JavaVersion, FormatsForMessages)
{
    EXPECT_EQ(V(L"1.6.0_45").Format(), L"1.6.0.45");
    EXPECT_EQ(V(L"1.6").Format(), L"1.6");
    EXPECT_EQ(V(L"1.6", kVersionFillHigh).Format(), L"1.6");
    EXPECT_EQ(V(L"7").Format(), L"7.0");
    CJavaVersion version;
    EXPECT_EQ(version.Format(), L"0.0.0.0");
    version.Set(65535, 65535, 65535, 65535);
    EXPECT_EQ(version.Format(), L"0.0.0.0");
    version.Set(1, 65535, 65535, 65535);
    EXPECT_EQ(version.Format(), L"1.65535");
    version.Set(1, 0, 65535, 3);
    EXPECT_EQ(version.Format(), L"1.0.65535.3");
}
