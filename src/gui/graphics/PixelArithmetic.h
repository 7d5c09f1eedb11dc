#pragma once

// The toolkit's per-pixel arithmetic on plain pixel rows, free of GDI so that it is exact and testable.

#include <windows.h>

#include <cstdint>

#include "forms/PixelView.h"
#include "forms/Types.h"

namespace gs {

// Blends the 32-bit source area that starts at `origin` onto `rect` of the 24-bit destination:
// each colour byte becomes trunc(src * g * s + dst * (1 - s)) with g = alpha / 255 and s = the source
// pixel's alpha / 255 (doubles), the sum rounded to a 64-bit significand as in x87 extended precision but
// computed in integers (ExtendedSum.h). Only pixels inside both views are touched, so a
// rectangle or origin that reaches outside either picture loses that part and shifts nothing.
void BlendPixels(const forms::PixelView& dest, const forms::TRect& rect, const forms::PixelView& source,
                 forms::TPoint origin, std::uint8_t alpha);

// Blue, green and red of every 32-bit pixel times its alpha / 255, truncated; alpha is kept.
void PremultiplyPixels(const forms::PixelView& view);

// Weighted luminance 0.299 R + 0.587 G + 0.114 B, rounded half up, in integers.
int Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace gs
