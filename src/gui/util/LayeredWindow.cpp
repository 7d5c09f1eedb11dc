#include "gui/util/LayeredWindow.h"

#include "forms/Bitmap.h"
#include "forms/GdiHandles.h"
#include "forms/WinControl.h"

namespace gs {

namespace {

constexpr DWORD kLayeredStyles = WS_EX_LAYERED | WS_EX_TRANSPARENT;

} // namespace

PerPixelLayeredWindowBase::PerPixelLayeredWindowBase()
{
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll"))
        update_ = reinterpret_cast<UpdateLayeredWindowFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
}

void PerPixelLayeredWindowBase::Apply(HWND window, forms::TGraphic* graphic)
{
    HBITMAP bitmap = GetBitmapHandle(graphic);
    BITMAP info{};
    const bool is32Bit = bitmap && GetObjectW(bitmap, sizeof(info), &info) && info.bmBitsPixel == 32;
    const bool perPixel = is32Bit && perPixelAlpha_;

    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (useConstantAlpha_)
        blend.SourceConstantAlpha = alpha_;

    if (useConstantAlpha_ || perPixel) {
        SetStyles(window, true, clickThrough_);
        UpdateLayered(window, bitmap, blend, ULW_ALPHA);
    } else if (colorKeyEnabled_) {
        SetStyles(window, true, clickThrough_);
        UpdateLayered(window, bitmap, blend, ULW_COLORKEY);
    } else if (SetStyles(window, false, clickThrough_)) {
        Redraw(window);
    }
}

void PerPixelLayeredWindowBase::Apply(forms::TWinControl* control, forms::TGraphic* graphic)
{
    Apply(control->Handle(), graphic);
}

void PerPixelLayeredWindowBase::Remove(HWND window)
{
    if (SetStyles(window, false, false))
        Redraw(window);
}

void PerPixelLayeredWindowBase::Remove(forms::TWinControl* control)
{
    Remove(control->Handle());
}

bool PerPixelLayeredWindowBase::SetStyles(HWND window, bool layered, bool clickThrough)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    DWORD wanted = 0;
    if (clickThrough)
        wanted |= WS_EX_TRANSPARENT;
    if (layered)
        wanted |= WS_EX_LAYERED;
    if ((style & kLayeredStyles) == wanted)
        return false;
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>((style & ~kLayeredStyles) | wanted));
    return true;
}

void PerPixelLayeredWindowBase::Redraw(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void PerPixelLayeredWindowBase::UpdateLayered(HWND window, HBITMAP bitmap, BLENDFUNCTION blend, DWORD flags)
{
    if (!update_)
        return;
    forms::WindowDC screen(window);
    forms::MemoryDC memory(screen.Get());
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT destination{bounds.left, bounds.top};
    BITMAP info{};
    if (bitmap)
        GetObjectW(bitmap, sizeof(info), &info);
    SIZE size{info.bmWidth, info.bmHeight};
    POINT source{0, 0};
    forms::SelectedObject selected(memory.Get(), bitmap);
    update_(window, screen.Get(), &destination, &size, memory.Get(), &source, colorKey_, &blend, flags);
}

HBITMAP TPerPixelLayeredWindowMaker::GetBitmapHandle(forms::TGraphic* graphic)
{
    forms::TBitmap* bitmap = forms::As<forms::TBitmap>(graphic);
    return bitmap ? bitmap->Handle() : nullptr;
}

} // namespace gs
