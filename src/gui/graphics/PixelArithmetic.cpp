#include "gui/graphics/PixelArithmetic.h"

#include <algorithm>

#include "gui/graphics/ExtendedSum.h"
#include "gui/graphics/FloatModel.h"

namespace gs {

void BlendPixels(const forms::PixelView& dest, const forms::TRect& rect, const forms::PixelView& source,
                 forms::TPoint origin, std::uint8_t alpha)
{
    if (dest.Empty() || source.Empty() || dest.BytesPerPixel != 3 || source.BytesPerPixel != 4)
        return;
    // Destination cell (x, y) reads source cell (x - dx, y - dy); keep the cells valid in both.
    const int dx = rect.Left - origin.X;
    const int dy = rect.Top - origin.Y;
    const int left = std::max({rect.Left, 0, dx});
    const int top = std::max({rect.Top, 0, dy});
    const int right = std::min({rect.Right, dest.Width, source.Width + dx});
    const int bottom = std::min({rect.Bottom, dest.Height, source.Height + dy});
    if (left >= right || top >= bottom)
        return;

    // The two factors of every source alpha: f = g * s and h = 1 - s, with g = alpha / 255 and s = source
    // alpha / 255, as doubles.
    const double global = alpha / 255.0;
    BlendFactor sourceFactor[256];
    BlendFactor destFactor[256];
    for (int a = 0; a < 256; ++a) {
        const double cover = a / 255.0;
        sourceFactor[a] = BlendFactor::FromDouble(global * cover);
        destFactor[a] = BlendFactor::FromDouble(1.0 - cover);
    }
    // A source pixel of alpha 255 leaves nothing of the destination (h = 0), so each of its bytes
    // depends on the source byte alone: the 256 results, worked out once, serve every such pixel.
    std::uint8_t opaque[256];
    for (int v = 0; v < 256; ++v)
        opaque[v] = TruncatedExtendedSum(static_cast<std::uint8_t>(v), sourceFactor[255], 0, destFactor[255]);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* d = dest.Row(y) + static_cast<std::ptrdiff_t>(left) * 3;
        const std::uint8_t* s = source.Row(y - dy) + static_cast<std::ptrdiff_t>(left - dx) * 4;
        for (int x = left; x < right; ++x, d += 3, s += 4) {
            if (s[3] == 0)
                continue;  // f = 0 and h = 1 keep the destination
            if (s[3] == 255) {
                d[0] = opaque[s[0]];
                d[1] = opaque[s[1]];
                d[2] = opaque[s[2]];
                continue;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = TruncatedExtendedSum(s[c], sourceFactor[s[3]], d[c], destFactor[s[3]]);
        }
    }
}

void PremultiplyPixels(const forms::PixelView& view)
{
    if (view.Empty() || view.BytesPerPixel != 4)
        return;
    for (int y = 0; y < view.Height; ++y) {
        std::uint8_t* p = view.Row(y);
        for (int x = 0; x < view.Width; ++x, p += 4) {
            const unsigned a = p[3];
            p[0] = static_cast<std::uint8_t>(p[0] * a / 255);
            p[1] = static_cast<std::uint8_t>(p[1] * a / 255);
            p[2] = static_cast<std::uint8_t>(p[2] * a / 255);
        }
    }
}

int Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    // In thousandths, exactly: doubles would round some sums of exactly one half down.
    return (299 * red + 587 * green + 114 * blue + 500) / 1000;
}

}  // namespace gs
