#pragma once

// Small pictures made in the tests.

#include <cstdint>

#include "forms/Bitmap.h"

namespace controls_test {

// A 32-bit bitmap of one colour (0x00BBGGRR) and alpha.
void FillBitmap(forms::TBitmap& bitmap, int width, int height, std::uint32_t color, std::uint8_t alpha = 255);

// Colour (0x00BBGGRR) of a pixel of a 24- or 32-bit bitmap.
std::uint32_t PixelAt(forms::TBitmap& bitmap, int x, int y);

}  // namespace controls_test
