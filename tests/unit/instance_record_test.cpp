// The argument area a later start fills for the first instance, and the objects' name.
#include "instance/instance_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
typedef std::vector<std::wstring> Strings;

CArgumentList List(const Strings& elements)
{
    CArgumentList list;
    for (const std::wstring& element : elements)
        list.Append(element);
    return list;
}

// What the first instance reads after a later start wrote these arguments.
Strings Delivered(const Strings& written)
{
    InstanceRecord record;
    std::memset(&record, 0xAB, sizeof(record));
    EXPECT_TRUE(WriteInstanceArguments(List(written), record.abArguments));
    CArgumentList read;
    ReadInstanceArguments(record.abArguments, read);
    Strings elements;
    for (size_t i = 0; i < read.Count(); ++i)
        elements.push_back(read.At(i));
    return elements;
}
} // namespace

TEST(InstanceRecord, ObjectNameIsThePathWithUnderscores)
{
    EXPECT_EQ(GetInstanceObjectName(L"C:\\Apps\\Tool\\tool.exe"), L"C:_Apps_Tool_tool.exe");
    EXPECT_EQ(GetInstanceObjectName(L"c:\\apps\\TOOL.exe"), L"c:_apps_TOOL.exe");
}

TEST(InstanceRecord, ArgumentsArriveInOrderUpToAnEmptyOne)
{
    EXPECT_EQ(Delivered({L"one", L"two three"}), (Strings{L"one", L"two three"}));
    EXPECT_EQ(Delivered({}), (Strings{L""}));
    EXPECT_EQ(Delivered({L"a", L"", L"b"}), (Strings{L"a"}));
    EXPECT_EQ(Delivered({L"", L"b"}), (Strings{L"", L"b"}));
    // Outside the code page too: Cyrillic, Japanese, a character beyond the BMP.
    EXPECT_EQ(Delivered({L"C:\\\u0416\u0430\u0431\u0430\\\u65e5\u672c.txt", L"\U0001F600"}),
              (Strings{L"C:\\\u0416\u0430\u0431\u0430\\\u65e5\u672c.txt", L"\U0001F600"}));
}

TEST(InstanceRecord, AsciiTravelsByteForByteAndTheRestIsZero)
{
    InstanceRecord record;
    std::memset(&record, 0xAB, sizeof(record));
    ASSERT_TRUE(WriteInstanceArguments(List({L"ab", L"c"}), record.abArguments));
    EXPECT_EQ(std::memcmp(record.abArguments, "ab\0c\0\0", 6), 0);
    for (size_t i = 6; i < kInstanceArgumentAreaSize; ++i)
        ASSERT_EQ(record.abArguments[i], 0) << "byte " << i;
}

TEST(InstanceRecord, AtMost1040BytesFit)
{
    unsigned char area[kInstanceArgumentAreaSize];
    std::memset(area, 0xAB, sizeof(area));
    EXPECT_FALSE(WriteInstanceArguments(List({std::wstring(1039, L'x')}), area));
    EXPECT_EQ(area[0], 0xAB);
    // Counted in bytes: a Cyrillic letter takes two.
    EXPECT_FALSE(WriteInstanceArguments(List({std::wstring(520, L'\u0416')}), area));
    EXPECT_TRUE(WriteInstanceArguments(List({std::wstring(519, L'\u0416')}), area));
    EXPECT_EQ(Delivered({std::wstring(1038, L'x')}), (Strings{std::wstring(1038, L'x')}));
}
