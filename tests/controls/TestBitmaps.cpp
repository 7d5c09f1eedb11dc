#include "TestBitmaps.h"

namespace controls_test {

void FillBitmap(forms::TBitmap& bitmap, int width, int height, std::uint32_t color, std::uint8_t alpha)
{
    bitmap.SetPixelFormat(forms::pf32bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[4 * x + 0] = static_cast<std::uint8_t>(color >> 16);
            row[4 * x + 1] = static_cast<std::uint8_t>(color >> 8);
            row[4 * x + 2] = static_cast<std::uint8_t>(color);
            row[4 * x + 3] = alpha;
        }
    }
}

std::uint32_t PixelAt(forms::TBitmap& bitmap, int x, int y)
{
    const int bytes = bitmap.BytesPerPixel();
    const std::uint8_t* p = bitmap.ScanLine(y) + bytes * x;
    return static_cast<std::uint32_t>(p[2]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[0]) << 16;
}

}  // namespace controls_test
