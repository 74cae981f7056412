// Decoding the splash picture and rendering it into the splash window's bitmap.
#include "splash/splash_picture.h"
#include "ui/system_libraries.h"

#include <vector>

// IID_IPicture.
static const IID kPictureInterface = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

CSplashPicture::CSplashPicture(CUniqueBitmap& bitmapSlot)
    : m_target{0, 0, 0, 0}, m_bitmapSlot(bitmapSlot)
{
}

// A splash picture is small: a larger file is refused, as one that does not decode, before
// anything is allocated for it.
static const LONGLONG kMaxPictureBytes = 64LL * 1024 * 1024;

bool CSplashPicture::LoadFromFile(const std::wstring& path)
{
    m_pPicture.Reset();
    const CUniqueFile hFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER fileSize;
    if (!hFile || !GetFileSizeEx(hFile.Get(), &fileSize) || fileSize.QuadPart > kMaxPictureBytes)
        return false;
    std::vector<BYTE> data(static_cast<size_t>(fileSize.QuadPart));
    DWORD read = 0;
    if (data.empty() ||
        !ReadFile(hFile.Get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
        read == 0)
        return false;
    return LoadFromMemory(data.data(), read);
}

bool CSplashPicture::LoadFromMemory(const void* pData, DWORD size)
{
    m_pPicture.Reset();
    CUniqueGlobalMemory hBlock(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!hBlock)
        return false;
    void* pBlock = GlobalLock(hBlock.Get());
    if (pBlock == nullptr)
        return false;
    memcpy(pBlock, pData, size);
    GlobalUnlock(hBlock.Get());
    CUniqueInterface<IStream> pStream;
    // The stream owns the block from here on and frees it when released.
    if (FAILED(SystemLibraries::CreateStreamOnHGlobal(hBlock.Get(), TRUE, pStream.Receive())))
        return false;
    hBlock.Release();
    void* pPicture = nullptr;
    const HRESULT result = SystemLibraries::OleLoadPicture(pStream.Get(), static_cast<LONG>(size),
                                                           FALSE, kPictureInterface, &pPicture);
    m_pPicture.Reset(static_cast<IPicture*>(pPicture));
    return SUCCEEDED(result) && m_pPicture;
}

SIZE CSplashPicture::GetSizeInPixels() const
{
    SIZE size = {0, 0};
    if (!m_pPicture)
        return size;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPicture.Get()->get_Width(&width);
    m_pPicture.Get()->get_Height(&height);
    const CWindowDc screen(nullptr);
    // HIMETRIC units are hundredths of a millimetre: 2540 to the inch.
    size.cx = MulDiv(width, GetDeviceCaps(screen.Get(), LOGPIXELSX), 2540);
    size.cy = MulDiv(height, GetDeviceCaps(screen.Get(), LOGPIXELSY), 2540);
    return size;
}

void CSplashPicture::RenderToBitmap(HWND hWnd)
{
    const SIZE size = GetSizeInPixels();
    m_target = {0, 0, size.cx, size.cy};
    m_bitmapSlot.Reset();
    const CWindowDc window(hWnd);
    m_bitmapSlot.Reset(CreateCompatibleBitmap(window.Get(), size.cx, size.cy));
    const CUniqueMemoryDc hMemory(CreateCompatibleDC(window.Get()));
    if (!m_bitmapSlot || !hMemory || !m_pPicture)
        return;
    const CSelection selection(hMemory.Get(), m_bitmapSlot.Get());
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPicture.Get()->get_Width(&width);
    m_pPicture.Get()->get_Height(&height);
    // A negative source height draws the picture the right way up.
    m_pPicture.Get()->Render(hMemory.Get(), m_target.left, m_target.top,
                             m_target.right - m_target.left, m_target.bottom - m_target.top, 0,
                             height, width, -height, nullptr);
}
