// A picture file decoded by the system's picture loader and rendered once into a bitmap.
#ifndef JVMHOST_SPLASH_PICTURE_H
#define JVMHOST_SPLASH_PICTURE_H

#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include <string>

#include "base/unique_handle.h"

class CSplashPicture
{
public:
    // The bitmap slot that RenderToBitmap fills.
    explicit CSplashPicture(CUniqueBitmap& bitmapSlot);

    bool LoadFromFile(const std::wstring& path);
    bool LoadFromMemory(const void* pData, DWORD size);
    // The picture's size in screen pixels; 0 x 0 without a picture.
    SIZE GetSizeInPixels() const;
    // Draws the picture upright into a new bitmap, compatible with the window's device
    // context, of the picture's size.
    void RenderToBitmap(HWND hWnd);

private:
    CUniqueInterface<IPicture> m_pPicture;
    RECT m_target;
    CUniqueBitmap& m_bitmapSlot;
};

#endif
