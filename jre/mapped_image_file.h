// A read-only view of a whole file, for looking at the headers of an executable image.
#ifndef JVMHOST_MAPPED_IMAGE_FILE_H
#define JVMHOST_MAPPED_IMAGE_FILE_H

#include <windows.h>

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
    HANDLE m_hFile;
    HANDLE m_hMapping;
    const unsigned char* m_pView;
    unsigned long long m_size;
};

#endif
