// The argument area a later start fills for the first instance, the objects' name, and what a
// later start checks of the record.
#include "instance/instance_record.h"
#include "instance/single_instance.h"
#include "test_folders.h"

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
    // Past 240 characters: a name from the path's hash, as long for every path.
    const std::wstring folder = L"C:\\" + std::wstring(250, L'a') + L"\\";
    EXPECT_EQ(GetInstanceObjectName(folder + L"one.exe").size(), 24u);
    EXPECT_NE(GetInstanceObjectName(folder + L"one.exe"),
              GetInstanceObjectName(folder + L"two.exe"));
}

TEST(InstanceRecord, ArgumentsArriveInOrderEmptyOnesToo)
{
    EXPECT_EQ(Delivered({L"one", L"two three"}), (Strings{L"one", L"two three"}));
    EXPECT_EQ(Delivered({}), (Strings{L""}));
    EXPECT_EQ(Delivered({L"a", L"", L"b", L""}), (Strings{L"a", L"", L"b", L""}));
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

// A later start believes the shared record only where it proves itself: this very process
// stands in for the first instance, a suspended companion.exe for another program.
TEST(InstanceRecord, LaterStartChecksTheRecordsFirstInstance)
{
    const std::wstring self = TestProgramPath();
    std::wstring other = TestBinaryFolder() + L"companion.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &other[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &startup, &child));
    const UINT message = RegisterWindowMessageW(L"jvmhost-instance-record-test");
    auto Believed = [&](DWORD threadId, DWORD processId, UINT recordMessage)
    {
        const InstanceRecord record = {threadId, processId, recordMessage, {}};
        return OpenPrimaryProcess(record, message, self).IsValid();
    };
    const DWORD ownThread = GetCurrentThreadId();
    const DWORD ownProcess = GetCurrentProcessId();
    EXPECT_TRUE(Believed(ownThread, ownProcess, message));
    EXPECT_FALSE(Believed(ownThread, ownProcess, message + 1));
    EXPECT_FALSE(Believed(child.dwThreadId, ownProcess, message));
    EXPECT_FALSE(Believed(child.dwThreadId, child.dwProcessId, message));
    EXPECT_FALSE(Believed(0, ownProcess, message));
    TerminateProcess(child.hProcess, 0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}
