// The launcher's own splash window: a picture centred on the screen.
#include "splash/splash_window.h"
#include "splash/splash_picture.h"

static const wchar_t kSplashClassName[] = L"SplashScreenWindow";

CSplashWindow::CSplashWindow() {}

bool CSplashWindow::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    switch (message)
    {
        case WM_PAINT:
            Paint();
            result = 0;
            return true;
        case WM_ERASEBKGND:
            // The picture covers the whole window.
            result = 1;
            return true;
        default:
            return false;
    }
}

void CSplashWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC hDc = BeginPaint(m_hWnd, &paint);
    BITMAP bitmap = {};
    if (hDc != nullptr && m_hBitmap && GetObjectW(m_hBitmap.Get(), sizeof(bitmap), &bitmap) != 0)
    {
        const CUniqueMemoryDc hMemory(CreateCompatibleDC(hDc));
        if (hMemory)
        {
            const CSelection selection(hMemory.Get(), m_hBitmap.Get());
            BitBlt(hDc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, hMemory.Get(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(m_hWnd, &paint);
}

HWND CSplashWindow::CreateSplashWindow(const std::wstring& imagePath, bool shadow)
{
    WNDCLASSEXW windowClass = {};
    windowClass.style = CS_DBLCLKS | CS_SAVEBITS | (shadow ? CS_DROPSHADOW : 0);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kSplashClassName;
    ATOM atom = RegisterWindowClass(windowClass);
    if (atom == 0 && shadow)
    {
        windowClass.style &= ~CS_DROPSHADOW;
        atom = RegisterWindowClass(windowClass);
    }

    CSplashPicture picture(m_hBitmap);
    picture.LoadFromFile(imagePath);
    const SIZE size = picture.GetSizeInPixels();
    RECT frame;
    frame.left = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    frame.top = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    frame.right = frame.left + size.cx;
    frame.bottom = frame.top + size.cy;
    HWND hWnd = Create(atom, WS_EX_TOOLWINDOW, WS_POPUP, frame, nullptr);
    picture.RenderToBitmap(hWnd);
    return hWnd;
}
