// What the build puts into the executable's resources: the manifest and the dialog templates.
#include "ui/resources/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace
{
std::string ResourceBytes(const wchar_t* pType, int id)
{
    HRSRC hResource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), pType);
    HGLOBAL hData = hResource != nullptr ? LoadResource(nullptr, hResource) : nullptr;
    if (hData == nullptr)
        return std::string();
    return std::string(static_cast<const char*>(LockResource(hData)),
                       SizeofResource(nullptr, hResource));
}

// Moves past a string or ordinal field of a dialog template (0xFFFF and a number, or text).
size_t SkipNameOrOrdinal(const std::string& bytes, size_t offset)
{
    if (static_cast<unsigned char>(bytes[offset]) == 0xFF && bytes[offset + 1] == '\xFF')
        return offset + 4;
    while (bytes[offset] != 0 || bytes[offset + 1] != 0)
        offset += 2;
    return offset + 2;
}

// The size (dialog units) of control id in the extended dialog template, or -1, -1.
std::pair<int, int> ControlSize(int dialogId, int controlId)
{
    const std::string bytes = ResourceBytes(RT_DIALOG, dialogId);
    if (bytes.size() < 26)
        return {-1, -1};
    WORD count = 0;
    memcpy(&count, &bytes[16], 2);
    size_t offset = SkipNameOrOrdinal(bytes, 26);  // menu
    offset = SkipNameOrOrdinal(bytes, offset);     // class
    offset = SkipNameOrOrdinal(bytes, offset);     // title
    offset = SkipNameOrOrdinal(bytes, offset + 6); // font size, weight, italic, charset, face
    for (WORD i = 0; i < count && offset < bytes.size(); ++i)
    {
        offset = (offset + 3) & ~static_cast<size_t>(3);
        short size[2] = {};
        DWORD id = 0;
        memcpy(size, &bytes[offset + 16], 4);
        memcpy(&id, &bytes[offset + 20], 4);
        if (static_cast<int>(id) == controlId)
            return {size[0], size[1]};
        offset = SkipNameOrOrdinal(bytes, SkipNameOrOrdinal(bytes, offset + 24));
        WORD extra = 0;
        memcpy(&extra, &bytes[offset], 2);
        offset += 2 + extra;
    }
    return {-1, -1};
}
} // namespace

TEST(Resources, ManifestNamesTheBuildsProcessor)
{
#ifdef _WIN64
    const char* pExpected = "processorArchitecture=\"amd64\"";
#else
    const char* pExpected = "processorArchitecture=\"x86\"";
#endif
    const std::string manifest = ResourceBytes(RT_MANIFEST, 1);
    ASSERT_NE(manifest.find(pExpected), std::string::npos) << manifest;
}

TEST(Resources, DialogIconsKeepTheirSize)
{
    EXPECT_EQ(ControlSize(IDD_JRE_NOT_FOUND, IDC_ERROR_ICON), std::make_pair(21, 20));
    EXPECT_EQ(ControlSize(IDD_JAVA_EXCEPTION, IDC_ERROR_ICON), std::make_pair(21, 20));
    EXPECT_EQ(ControlSize(IDD_JAVA_EXCEPTION, IDC_STACK_TRACE), std::make_pair(243, 102));
}
