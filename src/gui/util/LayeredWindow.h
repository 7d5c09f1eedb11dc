#pragma once

// Making a window layered from a picture: per-pixel alpha, a constant alpha on top, or a colour key.

#include <windows.h>

#include <cstdint>

#include "forms/Graphic.h"

namespace forms {
class TWinControl;
}

namespace gs {

// The settings of a layered window and the UpdateLayeredWindow call that applies them to one window
// and one bitmap. The bitmap must already hold premultiplied colours for per-pixel alpha.
class PerPixelLayeredWindowBase {
public:
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                                BLENDFUNCTION*, DWORD);

    PerPixelLayeredWindowBase();
    virtual ~PerPixelLayeredWindowBase() = default;
    PerPixelLayeredWindowBase(const PerPixelLayeredWindowBase&) = delete;
    PerPixelLayeredWindowBase& operator=(const PerPixelLayeredWindowBase&) = delete;

    // Makes the window layered from the graphic by the current settings.
    void Apply(HWND window, forms::TGraphic* graphic);
    void Apply(forms::TWinControl* control, forms::TGraphic* graphic);
    // Takes the layered and click-through styles off.
    void Remove(HWND window);
    void Remove(forms::TWinControl* control);

    void SetColorKeyEnabled(bool enabled) { colorKeyEnabled_ = enabled; }
    bool GetColorKeyEnabled() const { return colorKeyEnabled_; }
    void SetColorKey(COLORREF key) { colorKey_ = key; }
    COLORREF GetColorKey() const { return colorKey_; }
    void SetClickThrough(bool clickThrough) { clickThrough_ = clickThrough; }
    bool GetClickThrough() const { return clickThrough_; }
    void SetUseConstantAlpha(bool use) { useConstantAlpha_ = use; }
    bool GetUseConstantAlpha() const { return useConstantAlpha_; }
    void SetAlpha(std::uint8_t alpha) { alpha_ = alpha; }
    std::uint8_t GetAlpha() const { return alpha_; }
    void SetPerPixelAlpha(bool allowed) { perPixelAlpha_ = allowed; }
    bool GetPerPixelAlpha() const { return perPixelAlpha_; }

    // The layered-window call in use: user32's, found at construction, or a stand-in. With none the
    // styles are still set but the window's picture is not updated.
    void SetUpdateLayeredWindow(UpdateLayeredWindowFn update) { update_ = update; }
    UpdateLayeredWindowFn GetUpdateLayeredWindow() const { return update_; }

protected:
    virtual HBITMAP GetBitmapHandle(forms::TGraphic* graphic) = 0;

private:
    // Sets or clears WS_EX_LAYERED and WS_EX_TRANSPARENT; true when the style changed.
    static bool SetStyles(HWND window, bool layered, bool clickThrough);
    static void Redraw(HWND window);
    void UpdateLayered(HWND window, HBITMAP bitmap, BLENDFUNCTION blend, DWORD flags);

    COLORREF colorKey_ = 0xFFFFFFFF;
    bool colorKeyEnabled_ = false;
    bool clickThrough_ = false;
    bool useConstantAlpha_ = false;
    std::uint8_t alpha_ = 255;
    bool perPixelAlpha_ = false;
    UpdateLayeredWindowFn update_ = nullptr;
};

// The layered window made from a TBitmap.
class TPerPixelLayeredWindowMaker : public PerPixelLayeredWindowBase {
protected:
    HBITMAP GetBitmapHandle(forms::TGraphic* graphic) override;
};

} // namespace gs
