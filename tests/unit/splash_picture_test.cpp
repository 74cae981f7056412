// The splash picture's loading from a file.
#include "splash/splash_picture.h"
#include "test_folders.h"

#include <gtest/gtest.h>

TEST(SplashPicture, FilesOverTheLimitAreRefusedBeforeTheyAreRead)
{
    // 3 GiB (sparse): more than a 32-bit process can allocate, and far more than a picture.
    const std::wstring path = NewScratchFolder() + L"huge.gif";
    {
        const CUniqueFile hFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(hFile.IsValid());
        LARGE_INTEGER size;
        size.QuadPart = 3LL * 1024 * 1024 * 1024;
        ASSERT_TRUE(SetFilePointerEx(hFile.Get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(hFile.Get()));
    }
    CUniqueBitmap bitmap;
    CSplashPicture picture(bitmap);
    EXPECT_FALSE(picture.LoadFromFile(path));
    DeleteFileW(path.c_str());
}
