#include "base/windows_machine.h"
#include "jre/jre_candidate.h"
#include "jre/jvm_resolution.h"
#include "jre/runtime_search.h"
#include "test_folders.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace
{
// A runtime home holding the given files (each written with a few bytes of text).
std::wstring MakeHome(const std::vector<std::wstring>& files)
{
    const std::wstring home = NewScratchFolder();
    for (const std::wstring& file : files)
    {
        std::wstring folder = home;
        size_t start = 0;
        size_t slash;
        while ((slash = file.find(L'\\', start)) != std::wstring::npos)
        {
            folder = home + file.substr(0, slash);
            CreateDirectoryW(folder.c_str(), nullptr);
            start = slash + 1;
        }
        WriteTextFile(home + file, "text");
    }
    return home;
}

struct SResolved
{
    std::wstring relative;
    int isServer;
};

SResolved Resolve(const std::wstring& home, EJvmType jvmType)
{
    const SJvmLibrary library = ResolveJvmLibrary(CWindowsMachine(), home, jvmType);
    // 2 marks a library that was not found, whose server flag means nothing.
    if (library.m_path.empty())
        return {L"", 2};
    return {library.m_path.substr(home.size()), library.m_bServerVm ? 1 : 0};
}

SJreCandidate Candidate(const wchar_t* version, bool isServerVm, bool isFavored)
{
    SJreCandidate candidate;
    candidate.m_version.Parse(version, kVersionFillLow);
    candidate.m_home = version;
    candidate.m_bServerVm = isServerVm;
    candidate.m_bFavored = isFavored;
    return candidate;
}

std::vector<std::wstring> Homes(const std::vector<SJreCandidate>& candidates)
{
    std::vector<std::wstring> homes;
    for (const SJreCandidate& candidate : candidates)
        homes.push_back(candidate.m_home);
    return homes;
}

bool RunsPairProduct(const std::wstring& library, const std::wstring& pairProduct = L"x.exe")
{
    return ChoosePairProduct(CWindowsMachine(), library, !pairProduct.empty()) ==
           PairChoicePairProduct;
}

typedef std::vector<std::wstring> Strings;
} // namespace

TEST(ResolveJvmLibrary, ClientAndServer)
{
    const std::wstring home = MakeHome({L"bin\\client\\jvm.dll", L"bin\\server\\jvm.dll"});
    EXPECT_EQ(Resolve(home, JvmTypeDefault).relative, L"bin\\client\\jvm.dll");
    EXPECT_EQ(Resolve(home, JvmTypeDefault).isServer, 0);
    EXPECT_EQ(Resolve(home, JvmTypeFavorServer).relative, L"bin\\server\\jvm.dll");
    EXPECT_EQ(Resolve(home, JvmTypeServer).relative, L"bin\\server\\jvm.dll");
    EXPECT_EQ(Resolve(home, JvmTypeServer).isServer, 1);
}

TEST(ResolveJvmLibrary, ClientOnly)
{
    const std::wstring home = MakeHome({L"bin\\client\\jvm.dll"});
    EXPECT_EQ(Resolve(home, JvmTypeServer).relative, L"");
    EXPECT_EQ(Resolve(home, JvmTypeServer).isServer, 2);
    EXPECT_EQ(Resolve(home, JvmTypeFavorServer).relative, L"bin\\client\\jvm.dll");
}

TEST(ResolveJvmLibrary, OrderOfTheFlavours)
{
    EXPECT_EQ(Resolve(MakeHome({L"bin\\jrockit\\jvm.dll"}), JvmTypeDefault).relative,
              L"bin\\jrockit\\jvm.dll");
    EXPECT_EQ(Resolve(MakeHome({L"bin\\jrockit\\jvm.dll"}), JvmTypeServer).relative, L"");
    EXPECT_EQ(
        Resolve(MakeHome({L"bin\\jrockit\\jvm.dll", L"bin\\hotspot\\jvm.dll"}), JvmTypeFavorServer)
            .relative,
        L"bin\\hotspot\\jvm.dll");
    EXPECT_EQ(Resolve(MakeHome({L"bin\\classic\\jvm.dll", L"bin\\server\\jvm.dll"}), JvmTypeDefault)
                  .relative,
              L"bin\\classic\\jvm.dll");
    EXPECT_EQ(Resolve(NewScratchFolder() + L"missing\\", JvmTypeDefault).relative, L"");
}

TEST(ResolveJvmLibrary, FolderNamedLikeTheLibraryCounts)
{
    const std::wstring home = MakeHome({L"bin\\client\\jvm.dll\\inner"});
    EXPECT_EQ(Resolve(home, JvmTypeDefault).relative, L"bin\\client\\jvm.dll");
}

TEST(CheckPairProduct, ThirtyTwoBitLibraryGoesToTheCompanion)
{
    EXPECT_TRUE(RunsPairProduct(TestBinaryFolder() + L"pe32.dll"));
    EXPECT_FALSE(RunsPairProduct(TestBinaryFolder() + L"pe32.dll", L""));
#ifdef _WIN64
    // The stand-in VM of the build is of the build's own kind: 64-bit only here.
    EXPECT_FALSE(RunsPairProduct(TestBinaryFolder() + L"fakejvm.dll"));
#endif
}

TEST(CheckPairProduct, FilesThatAreNoImagesStayWithTheLauncher)
{
    const std::wstring folder = NewScratchFolder();
    EXPECT_FALSE(RunsPairProduct(folder + L"missing.dll"));
    WriteTextFile(folder + L"text.dll", "just some text, long enough to have an offset field");
    EXPECT_FALSE(RunsPairProduct(folder + L"text.dll"));
    WriteTextFile(folder + L"empty.dll", "");
    EXPECT_FALSE(RunsPairProduct(folder + L"empty.dll"));
    WriteTextFile(folder + L"mz.dll", "MZ");
    EXPECT_FALSE(RunsPairProduct(folder + L"mz.dll"));
    // NT header offset pointing past the end of the file.
    std::string truncated(64, '\0');
    truncated[0] = 'M';
    truncated[1] = 'Z';
    truncated[0x3C] = '\x7F';
    truncated[0x3D] = '\x7F';
    WriteTextFile(folder + L"far.dll", truncated);
    EXPECT_FALSE(RunsPairProduct(folder + L"far.dll"));
    // A well-formed header for i386 is recognised however small the file.
    std::string handMade(0x40 + 6, '\0');
    handMade[0] = 'M';
    handMade[1] = 'Z';
    handMade[0x3C] = '\x40';
    handMade.replace(0x40, 6, std::string("PE\0\0\x4C\x01", 6));
    WriteTextFile(folder + L"i386.dll", handMade);
    EXPECT_TRUE(RunsPairProduct(folder + L"i386.dll"));
    handMade.replace(0x40, 6, std::string("PF\0\0\x4C\x01", 6));
    WriteTextFile(folder + L"badsig.dll", handMade);
    EXPECT_FALSE(RunsPairProduct(folder + L"badsig.dll"));
}

TEST(SortCandidates, FavouredThenServerThenHigherVersionStably)
{
    SLaunchSettings settings;
    std::vector<SJreCandidate> candidates = {
        Candidate(L"1.5", false, false), Candidate(L"1.7", false, false),
        Candidate(L"1.6", true, true),   Candidate(L"1.6.0", false, true),
        Candidate(L"1.8", true, false),
    };
    settings.m_jvmSource = JvmSourceUnset;
    settings.m_jvmType = JvmTypeDefault;
    std::vector<SJreCandidate> sorted = candidates;
    SortCandidates(sorted, settings);
    EXPECT_EQ(Homes(sorted), (Strings{L"1.6", L"1.6.0", L"1.8", L"1.7", L"1.5"}));

    settings.m_jvmType = JvmTypeFavorServer;
    sorted = candidates;
    SortCandidates(sorted, settings);
    EXPECT_EQ(Homes(sorted), (Strings{L"1.6", L"1.6.0", L"1.8", L"1.7", L"1.5"}));

    settings.m_jvmSource = JvmSourceOnlyJre;
    sorted = candidates;
    SortCandidates(sorted, settings);
    EXPECT_EQ(Homes(sorted), (Strings{L"1.8", L"1.6", L"1.7", L"1.6.0", L"1.5"}));

    settings.m_jvmType = JvmTypeDefault;
    sorted = candidates;
    SortCandidates(sorted, settings);
    EXPECT_EQ(Homes(sorted), (Strings{L"1.8", L"1.7", L"1.6", L"1.6.0", L"1.5"}));
}

TEST(ChooseCandidate, FirstPreferredTextThatMatchesWins)
{
    CArgumentList preferred;
    const std::vector<SJreCandidate> sorted = {Candidate(L"1.7.0", false, false),
                                               Candidate(L"1.6.0_45", false, false),
                                               Candidate(L"1.6.0_20", false, false)};
    SplitString(L"1.5;1.6", L";", preferred);
    EXPECT_EQ(ChooseCandidate(sorted, preferred).m_home, L"1.6.0_45");
    EXPECT_EQ(ChooseCandidate(sorted, preferred).m_version.m_parts[3], 45);

    SplitString(L"1.8;;1.6.0_20;1.7", L";", preferred);
    EXPECT_EQ(ChooseCandidate(sorted, preferred).m_home, L"1.6.0_20");

    SplitString(L"1.8", L";", preferred);
    EXPECT_EQ(ChooseCandidate(sorted, preferred).m_home, L"1.7.0");

    preferred.Clear();
    EXPECT_EQ(ChooseCandidate(sorted, preferred).m_home, L"1.7.0");
}
