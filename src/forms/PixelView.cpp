#include "forms/PixelView.h"

#include <algorithm>
#include <cstring>

namespace forms {

namespace {

void CopyPixel(const std::uint8_t* from, int fromBytes, std::uint8_t* to, int toBytes)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    if (toBytes == 4)
        to[3] = fromBytes == 4 ? from[3] : 0;
}

void CopyRun(const std::uint8_t* from, int fromBytes, std::uint8_t* to, int toBytes, int count)
{
    if (fromBytes == toBytes) {
        std::memmove(to, from, static_cast<size_t>(count) * static_cast<size_t>(toBytes));
        return;
    }
    for (int i = 0; i < count; ++i)
        CopyPixel(from + i * fromBytes, fromBytes, to + i * toBytes, toBytes);
}

}  // namespace

void ConvertPixels(const PixelView& source, const PixelView& dest)
{
    CopyPixels(source, source.Bounds(), dest, {0, 0});
}

void CopyPixels(const PixelView& source, const TRect& from, const PixelView& dest, TPoint to)
{
    if (source.Empty() || dest.Empty())
        return;
    // Clip the source area to the source, moving the target corner with it.
    TRect src = from;
    if (src.Left < 0) {
        to.X -= src.Left;
        src.Left = 0;
    }
    if (src.Top < 0) {
        to.Y -= src.Top;
        src.Top = 0;
    }
    src.Right = std::min(src.Right, source.Width);
    src.Bottom = std::min(src.Bottom, source.Height);
    // Then to the destination.
    if (to.X < 0) {
        src.Left -= to.X;
        to.X = 0;
    }
    if (to.Y < 0) {
        src.Top -= to.Y;
        to.Y = 0;
    }
    const int width = std::min(src.Width(), dest.Width - to.X);
    const int height = std::min(src.Height(), dest.Height - to.Y);
    if (width <= 0 || height <= 0)
        return;
    for (int y = 0; y < height; ++y)
        CopyRun(source.At(src.Left, src.Top + y), source.BytesPerPixel, dest.At(to.X, to.Y + y), dest.BytesPerPixel,
                width);
}

void StretchPixels(const PixelView& source, const TRect& from, const PixelView& dest, const TRect& to)
{
    if (dest.Empty() || to.IsEmpty() || from.IsEmpty())
        return;
    const TRect clip = to.Intersect(dest.Bounds());
    if (clip.IsEmpty())
        return;
    const long long fromW = from.Width();
    const long long fromH = from.Height();
    const long long toW = to.Width();
    const long long toH = to.Height();
    static const std::uint8_t zero[4] = {0, 0, 0, 0};
    for (int y = clip.Top; y < clip.Bottom; ++y) {
        const int sy = from.Top + static_cast<int>((y - to.Top) * fromH / toH);
        std::uint8_t* out = dest.At(clip.Left, y);
        for (int x = clip.Left; x < clip.Right; ++x, out += dest.BytesPerPixel) {
            const int sx = from.Left + static_cast<int>((x - to.Left) * fromW / toW);
            const bool inside = !source.Empty() && sx >= 0 && sy >= 0 && sx < source.Width && sy < source.Height;
            if (inside)
                CopyPixel(source.At(sx, sy), source.BytesPerPixel, out, dest.BytesPerPixel);
            else
                CopyPixel(zero, 4, out, dest.BytesPerPixel);
        }
    }
}

COLORREF ReadPixel(const PixelView& view, int x, int y)
{
    if (view.Empty() || x < 0 || y < 0 || x >= view.Width || y >= view.Height)
        return 0;
    const std::uint8_t* p = view.At(x, y);
    return RGB(p[2], p[1], p[0]);
}

void WritePixel(const PixelView& view, int x, int y, COLORREF color)
{
    if (view.Empty() || x < 0 || y < 0 || x >= view.Width || y >= view.Height)
        return;
    std::uint8_t* p = view.At(x, y);
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}

}  // namespace forms
