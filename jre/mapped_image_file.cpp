#include "jre/mapped_image_file.h"

#include <cstring>

CMappedImageFile::CMappedImageFile()
    : m_hFile(INVALID_HANDLE_VALUE), m_hMapping(nullptr), m_pView(nullptr), m_size(0)
{
}

CMappedImageFile::~CMappedImageFile()
{
    Close();
}

bool CMappedImageFile::Open(const std::wstring& path)
{
    Close();
    m_hFile = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size) || size.QuadPart <= 0)
        return false;
    m_size = static_cast<unsigned long long>(size.QuadPart);
    m_hMapping = CreateFileMappingW(m_hFile, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m_hMapping == nullptr)
        return false;
    m_pView = static_cast<const unsigned char*>(MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0));
    return m_pView != nullptr;
}

bool CMappedImageFile::HasDosSignature() const
{
    return m_pView != nullptr && m_size >= 2 && m_pView[0] == 'M' && m_pView[1] == 'Z';
}

bool CMappedImageFile::GetMachine(WORD& machine) const
{
    // The NT headers start at the offset stored at 0x3C: "PE\0\0", then the file header,
    // whose first field is the machine. Every offset is checked against the file's size.
    const unsigned long long kNtOffsetField = 0x3C;
    if (!HasDosSignature() || m_size < kNtOffsetField + 4)
        return false;
    LONG ntOffset = 0;
    memcpy(&ntOffset, m_pView + kNtOffsetField, sizeof(ntOffset));
    if (ntOffset < 0 || static_cast<unsigned long long>(ntOffset) + 6 > m_size)
        return false;
    DWORD signature = 0;
    memcpy(&signature, m_pView + ntOffset, sizeof(signature));
    if (signature != IMAGE_NT_SIGNATURE)
        return false;
    memcpy(&machine, m_pView + ntOffset + 4, sizeof(machine));
    return true;
}

void CMappedImageFile::Close()
{
    if (m_pView != nullptr)
        UnmapViewOfFile(m_pView);
    m_pView = nullptr;
    if (m_hMapping != nullptr)
        CloseHandle(m_hMapping);
    m_hMapping = nullptr;
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_size = 0;
}
