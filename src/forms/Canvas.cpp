#include "forms/Canvas.h"

#include "forms/Bitmap.h"
#include "forms/Exceptions.h"
#include "forms/Graphic.h"
#include "forms/PixelView.h"

namespace forms {

TCanvas::TCanvas() = default;

TCanvas::~TCanvas()
{
    DeselectHandles();
}

HDC TCanvas::Handle()
{
    if (!dc_)
        CreateHandle();
    if (!dc_)
        throw EInvalidOperation(L"Canvas does not allow drawing");
    Realize();
    return dc_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    DeselectHandles();
    dc_ = dc;
}

void TCanvas::SetHandleInternal(HDC dc)
{
    SetHandle(dc);
}

void TCanvas::Realize()
{
    const auto font = font_.SharedHandle();
    if (font && font->Get() != GetCurrentObject(dc_, OBJ_FONT)) {
        const HGDIOBJ previous = SelectObject(dc_, font->Get());
        if (!oldFont_)
            oldFont_ = previous;
        selectedFont_ = font;
    }
    SetTextColor(dc_, ColorToRGB(font_.Color()));

    const HBRUSH brush = brush_.Handle();
    if (brush != GetCurrentObject(dc_, OBJ_BRUSH)) {
        const HGDIOBJ previous = SelectObject(dc_, brush);
        if (!oldBrush_)
            oldBrush_ = previous;
    }
    // Keeps the brush object alive while it is selected.
    selectedBrush_ = brush_.SharedHandle();
    if (brush_.Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
        SetBkMode(dc_, OPAQUE);
    }
}

void TCanvas::DeselectHandles()
{
    if (dc_) {
        if (oldFont_)
            SelectObject(dc_, oldFont_);
        if (oldBrush_)
            SelectObject(dc_, oldBrush_);
    }
    oldFont_ = nullptr;
    oldBrush_ = nullptr;
    selectedFont_.reset();
    selectedBrush_.reset();
}

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

// Bitmap-to-bitmap copies work on the pixels (GDI does not promise to keep alpha), but only while the
// DC has no clipping or origin shift that the copy would have to honour.
bool TCanvas::DirectPixelAccess()
{
    if (!TargetBitmap())
        return false;
    if (!dc_)
        return true;
    POINT viewport{}, window{};
    GetViewportOrgEx(dc_, &viewport);
    GetWindowOrgEx(dc_, &window);
    if (viewport.x || viewport.y || window.x || window.y)
        return false;
    RegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    return GetClipRgn(dc_, clip.Get()) == 0;
}

void TCanvas::FillRect(const TRect& rect)
{
    DrawWithBrush(rect, ::FillRect);
}

void TCanvas::FrameRect(const TRect& rect)
{
    DrawWithBrush(rect, ::FrameRect);
}

void TCanvas::DrawWithBrush(const TRect& rect, int(WINAPI* draw)(HDC, const RECT*, HBRUSH))
{
    Changing();
    const HDC dc = Handle();
    if (brush_.Style() != bsClear) {
        const RECT r = rect;
        draw(dc, &r, brush_.Handle());
    }
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect)
{
    Changing();
    TBitmap* target = TargetBitmap();
    TBitmap* from = source.TargetBitmap();
    if (copyMode_ == SRCCOPY && target && from && target != from && DirectPixelAccess() &&
        source.DirectPixelAccess()) {
        StretchPixels(from->View(), srcRect, target->View(), dest);
    } else {
        const HDC dc = Handle();
        const HDC sourceDC = source.Handle();
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), sourceDC, srcRect.Left, srcRect.Top,
                   srcRect.Width(), srcRect.Height(), copyMode_);
        SetStretchBltMode(dc, oldMode);
    }
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic& graphic)
{
    if (graphic.Empty())
        return;
    Changing();
    auto* bitmap = dynamic_cast<TBitmap*>(&graphic);
    TBitmap* target = TargetBitmap();
    if (bitmap && target && bitmap != target && DirectPixelAccess()) {
        const PixelView from = bitmap->View();
        CopyPixels(from, from.Bounds(), target->View(), {x, y});
    } else {
        graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
    }
    Changed();
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic)
{
    if (graphic.Empty())
        return;
    Changing();
    auto* bitmap = dynamic_cast<TBitmap*>(&graphic);
    TBitmap* target = TargetBitmap();
    if (bitmap && target && bitmap != target && DirectPixelAccess()) {
        const PixelView from = bitmap->View();
        StretchPixels(from, from.Bounds(), target->View(), rect);
    } else {
        graphic.Draw(*this, rect);
    }
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    Changing();
    ExtTextOutW(Handle(), x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::wstring& text)
{
    Changing();
    const HDC dc = Handle();
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear)
        options |= ETO_OPAQUE;
    const RECT r = rect;
    ExtTextOutW(dc, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

TSize TCanvas::TextExtent(const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(Handle(), text.c_str(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

TColor TCanvas::Pixel(int x, int y)
{
    return GetPixel(Handle(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    ::SetPixel(Handle(), x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipRect()
{
    RECT r{};
    GetClipBox(Handle(), &r);
    return r;
}

}  // namespace forms
