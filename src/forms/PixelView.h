#pragma once

// Rows of pixels in memory, top row first: the arithmetic behind bitmap storage, format changes and
// bitmap-to-bitmap copies, kept free of GDI so that it can be checked on plain buffers.

#include <windows.h>

#include <cstdint>

#include "forms/Types.h"

namespace forms {

// Bytes in one stored row: rows are padded to a multiple of 4 bytes.
constexpr int RowStride(int width, int bytesPerPixel)
{
    return (width * bytesPerPixel + 3) & ~3;
}

// A view of pixel rows owned elsewhere: 3 bytes (blue, green, red) or 4 bytes (blue, green, red, alpha).
struct PixelView {
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;
    int BytesPerPixel = 4;

    std::uint8_t* Row(int y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
    std::uint8_t* At(int x, int y) const { return Row(y) + static_cast<std::ptrdiff_t>(x) * BytesPerPixel; }
    bool Empty() const { return !Bits || Width <= 0 || Height <= 0; }
    TRect Bounds() const { return {0, 0, Width, Height}; }
};

// Copies the area both views share at their top-left corner, converting between 3 and 4 bytes a pixel:
// 4 -> 3 drops alpha, 3 -> 4 writes alpha 0.
void ConvertPixels(const PixelView& source, const PixelView& dest);

// Copies source area `from` to `dest` with its top-left corner at `to`, clipped to both views and
// converted as ConvertPixels does. Same-format copies keep every byte (alpha included).
void CopyPixels(const PixelView& source, const TRect& from, const PixelView& dest, TPoint to);

// Nearest-neighbour stretch of source area `from` onto dest area `to` (clipped to dest); source pixels
// outside the source view read as zero. Same-format stretches keep every byte (alpha included).
void StretchPixels(const PixelView& source, const TRect& from, const PixelView& dest, const TRect& to);

// The pixel as a colour value (0x00BBGGRR); 0 outside the view.
COLORREF ReadPixel(const PixelView& view, int x, int y);
// Sets blue, green and red; a 4-byte pixel keeps its alpha. Ignored outside the view.
void WritePixel(const PixelView& view, int x, int y, COLORREF color);

}  // namespace forms
