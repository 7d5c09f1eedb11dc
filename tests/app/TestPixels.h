#pragma once

// Plain bitmaps for the picture tests: filled with one colour, read back as 0xRRGGBB.

#include "forms/Bitmap.h"

#include <cstdint>

inline void Fill(forms::TBitmap& bitmap, int width, int height, std::uint32_t bgra)
{
    bitmap.SetPixelFormat(forms::pf32bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(y))[x] = bgra;
}

inline std::uint32_t Colour(forms::TBitmap& bitmap, int x, int y)
{
    const int bytes = bitmap.PixelFormat() == forms::pf24bit ? 3 : 4;
    const std::uint8_t* p = static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + x * bytes;
    return p[0] | p[1] << 8 | p[2] << 16;
}
