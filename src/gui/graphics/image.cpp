#include "gui/graphics/image.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "forms/Assert.h"
#include "forms/GdiHandles.h"
#include "gui/graphics/PixelArithmetic.h"
#include "gui/graphics/RegionBuilder.h"

namespace gs {

void AlphaBlendBitmap(forms::TBitmap& dest, const forms::TRect& rect, forms::TBitmap& source, forms::TPoint origin,
                      std::uint8_t alpha)
{
    if (source.PixelFormat() != forms::pf32bit)
        FORMS_ASSERT_FAILED("src->PixelFormat == pf32bit");
    if (dest.PixelFormat() != forms::pf24bit)
        dest.SetPixelFormat(forms::pf24bit);
    BlendPixels(dest.View(), rect, source.View(), origin, alpha);
}

void AlphaBlendWholeBitmap(forms::TBitmap& dest, forms::TBitmap& source, std::uint8_t alpha)
{
    AlphaBlendBitmap(dest, forms::TRect(0, 0, dest.Width(), dest.Height()), source, forms::TPoint(0, 0), alpha);
}

forms::TRect ClipBlendRect(forms::TSize dest, const forms::TRect& rect, forms::TSize source, forms::TPoint& origin)
{
    forms::TRect c = rect;
    if (c.Left < 0) {
        origin.X -= c.Left;
        c.Left = 0;
    }
    if (origin.X < 0) {
        c.Left -= origin.X;
        origin.X = 0;
    }
    if (c.Top < 0) {
        origin.Y -= c.Top;
        c.Top = 0;
    }
    if (origin.Y < 0) {
        c.Top -= origin.Y;
        origin.Y = 0;
    }
    const int availableWidth = std::max(source.cx - origin.X, 0);
    const int availableHeight = std::max(source.cy - origin.Y, 0);
    c.Right = std::min(c.Right, dest.cx);
    c.Bottom = std::min(c.Bottom, dest.cy);
    if (availableWidth < rect.Width())
        c.Right = std::min(c.Right, rect.Left + availableWidth);
    if (availableHeight < c.Height())
        c.Bottom = std::min(c.Bottom, rect.Top + availableHeight);
    return c;
}

forms::TRect ClipBlendRect(const forms::TBitmap& dest, const forms::TRect& rect, const forms::TBitmap& source,
                           forms::TPoint& origin)
{
    return ClipBlendRect(forms::TSize{dest.Width(), dest.Height()}, rect,
                         forms::TSize{source.Width(), source.Height()}, origin);
}

void AlphaBlendBitmapClipped(forms::TBitmap& dest, const forms::TRect& rect, forms::TBitmap& source,
                             forms::TPoint origin, std::uint8_t alpha)
{
    const forms::TRect clipped = ClipBlendRect(dest, rect, source, origin);
    AlphaBlendBitmap(dest, clipped, source, origin, alpha);
}

void CopyCanvasRectToBitmap(forms::TCanvas& canvas, forms::TBitmap& bitmap, const forms::TRect& rect)
{
    const int width = std::max(rect.Width(), 0);
    const int height = std::max(rect.Height(), 0);
    bitmap.SetSize(width, height);
    bitmap.SetPixelFormat(forms::pf24bit);
    canvas.SetCopyMode(SRCCOPY);
    if (width > 0 && height > 0)
        bitmap.Canvas().CopyRect(forms::TRect(0, 0, width, height), canvas, rect);
}

void CopyBitmapToCanvas(forms::TCanvas& canvas, const forms::TRect& rect, forms::TBitmap& bitmap,
                        forms::TPoint origin)
{
    canvas.SetCopyMode(SRCCOPY);
    if (rect.IsEmpty() || bitmap.Empty())
        return;
    canvas.CopyRect(rect, bitmap.Canvas(),
                    forms::TRect(origin.X, origin.Y, origin.X + rect.Width(), origin.Y + rect.Height()));
}

void DrawAlphaBitmap(forms::TCanvas& canvas, const forms::TRect& rect, forms::TBitmap& source, forms::TPoint origin,
                     std::uint8_t alpha)
{
    forms::TBitmap under;
    CopyCanvasRectToBitmap(canvas, under, rect);
    AlphaBlendBitmapClipped(under, forms::TRect(0, 0, rect.Width(), rect.Height()), source, origin, alpha);
    CopyBitmapToCanvas(canvas, rect, under, forms::TPoint(0, 0));
}

void PremultiplyAlpha(forms::TBitmap& bitmap)
{
    if (bitmap.PixelFormat() == forms::pf32bit && !bitmap.Empty())
        PremultiplyPixels(bitmap.View());
}

bool IsEmptyBitmap(const forms::TBitmap* bitmap)
{
    return !bitmap || bitmap->Width() == 0 || bitmap->Height() == 0;
}

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key, COLORREF tolerance)
{
    if (!bitmap)
        return nullptr;
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info))
        return nullptr;
    const int width = info.bmWidth;
    const int height = std::abs(info.bmHeight);
    forms::MemoryDC dc(nullptr);
    if (!dc)
        return nullptr;

    // The picture as 32-bit rows, top row first, whatever its own format.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels;
    try {
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (height > 0 &&
        GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS) != height)
        return nullptr;

    const KeyColorRange range = KeyColorRange::From(key, tolerance);
    RegionBuilder builder;
    try {
        for (int y = 0; y < height; ++y)
            builder.AddRow(pixels.data() + static_cast<std::size_t>(y) * width * 4, width, y, range);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return builder.Finish();
}

}  // namespace gs
