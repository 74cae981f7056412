// A read-only view of a whole file, for looking at the headers of an executable image.
#ifndef JVMHOST_MAPPED_IMAGE_FILE_H
#define JVMHOST_MAPPED_IMAGE_FILE_H

#include "base/unique_handle.h"

#include <string>

class CMappedImageFile
{
public:
    CMappedImageFile();
    ~CMappedImageFile();
    CMappedImageFile(const CMappedImageFile&) = delete;
    CMappedImageFile& operator=(const CMappedImageFile&) = delete;

    bool Open(const std::wstring& path);
    // The view starts with the "MZ" signature.
    bool HasDosSignature() const;
    // The Machine field of a PE image's file header; false when the file holds no PE
    // headers within its size.
    bool GetMachine(WORD& machine) const;
    void Close();

private:
    const unsigned char* View() const;

    CUniqueFile m_hFile;
    CUniqueHandle m_hMapping;
    CUniqueMappedView m_pView;
    unsigned long long m_size;
};

#endif
