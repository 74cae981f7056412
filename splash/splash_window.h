// The launcher's own splash screen: a borderless picture window centred on the screen, run
// by a thread of its own so that it paints while Java starts.
#ifndef JVMHOST_SPLASH_WINDOW_H
#define JVMHOST_SPLASH_WINDOW_H

#include <string>

#include "base/unique_handle.h"
#include "ui/window_framework.h"

class CSplashWindow : public CWindowBase
{
public:
    CSplashWindow();

    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Returns the window, or null; the picture is rendered either way.
    HWND CreateSplashWindow(const std::wstring& imagePath, bool shadow);

private:
    void Paint();

    CUniqueBitmap m_hBitmap;
};

#endif
