#include "base/mapped_image_file.h"

#include <cstring>

CMappedImageFile::CMappedImageFile() : m_size(0) {}

CMappedImageFile::~CMappedImageFile()
{
    Close();
}

const unsigned char* CMappedImageFile::View() const
{
    return static_cast<const unsigned char*>(m_pView.Get());
}

bool CMappedImageFile::Open(const std::wstring& path)
{
    Close();
    m_hFile.Reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_hFile)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile.Get(), &size) || size.QuadPart <= 0)
        return false;
    m_size = static_cast<unsigned long long>(size.QuadPart);
    m_hMapping.Reset(CreateFileMappingW(m_hFile.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!m_hMapping)
        return false;
    m_pView.Reset(MapViewOfFile(m_hMapping.Get(), FILE_MAP_READ, 0, 0, 0));
    return m_pView.IsValid();
}

bool CMappedImageFile::HasDosSignature() const
{
    const unsigned char* pView = View();
    return pView != nullptr && m_size >= 2 && pView[0] == 'M' && pView[1] == 'Z';
}

bool CMappedImageFile::GetMachine(WORD& machine) const
{
    // The NT headers start at the offset stored at 0x3C: "PE\0\0", then the file header,
    // whose first field is the machine. Every offset is checked against the file's size.
    const unsigned long long kNtOffsetField = 0x3C;
    if (!HasDosSignature() || m_size < kNtOffsetField + 4)
        return false;
    const unsigned char* pView = View();
    LONG ntOffset = 0;
    memcpy(&ntOffset, pView + kNtOffsetField, sizeof(ntOffset));
    if (ntOffset < 0 || static_cast<unsigned long long>(ntOffset) + 6 > m_size)
        return false;
    DWORD signature = 0;
    memcpy(&signature, pView + ntOffset, sizeof(signature));
    if (signature != IMAGE_NT_SIGNATURE)
        return false;
    memcpy(&machine, pView + ntOffset + 4, sizeof(machine));
    return true;
}

void CMappedImageFile::Close()
{
    // The view first, then the mapping it belongs to, then the file.
    m_pView.Reset();
    m_hMapping.Reset();
    m_hFile.Reset();
    m_size = 0;
}
