#include "forms/Screen.h"

#include <windows.h>

#include "forms/GdiHandles.h"

namespace forms {

int TScreen::PixelsPerInch() const
{
    static const int ppi = [] {
        WindowDC screen(nullptr);
        const int value = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}

}  // namespace forms
