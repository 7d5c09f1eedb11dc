#include "SkinPainter.h"

#include <algorithm>
#include <cmath>

#include "gui/graphics/FloatModel.h"

namespace gallery {

namespace {

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int num, int den)
{
    auto channel = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return static_cast<std::uint32_t>(ca + (cb - ca) * num / den) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

void FillRect(RgbaPicture& p, int left, int top, int width, int height, std::uint32_t argb)
{
    for (int y = std::max(top, 0); y < std::min(top + height, p.height); ++y)
        for (int x = std::max(left, 0); x < std::min(left + width, p.width); ++x)
            p.at(x, y) = argb;
}

void Frame(RgbaPicture& p, int left, int top, int width, int height, std::uint32_t argb)
{
    FillRect(p, left, top, width, 1, argb);
    FillRect(p, left, top + height - 1, width, 1, argb);
    FillRect(p, left, top, 1, height, argb);
    FillRect(p, left + width - 1, top, 1, height, argb);
}

} // namespace

RgbaPicture PaintBackground()
{
    const int w = kMainForm.width, h = kMainForm.height;
    RgbaPicture p(w, h);
    for (int y = 0; y < h; ++y) {
        const std::uint32_t row = Argb(255, Mix(kBackgroundTop, kBackgroundBottom, y, h - 1));
        for (int x = 0; x < w; ++x)
            p.at(x, y) = row;
    }
    // A lighter band behind the buttons and a frame, so that blending has something to show.
    FillRect(p, 16, 36, w - 32, 54, Argb(255, 0x2A3340));
    Frame(p, 4, 4, w - 8, h - 8, Argb(255, 0x56606E));
    // Key-coloured corners: cut out of the window by its region.
    for (int y = 0; y < kCornerCut; ++y)
        for (int x = 0; x < kCornerCut - y; ++x) {
            p.at(x, y) = p.at(w - 1 - x, y) = Argb(255, kKeyColour);
            p.at(x, h - 1 - y) = p.at(w - 1 - x, h - 1 - y) = Argb(255, kKeyColour);
        }
    return p;
}

RgbaPicture PaintButtonFace(std::uint32_t fill)
{
    RgbaPicture p(kButtonWidth, kButtonHeight, Argb(255, fill));
    Frame(p, 0, 0, kButtonWidth, kButtonHeight, Argb(255, kButtonFrame));
    return p;
}

RgbaPicture PaintBoxFace(BoxKind kind, std::uint32_t fill, bool mark)
{
    RgbaPicture p(kBoxWidth, kBoxSize, 0);
    for (int y = 0; y < kBoxSize; ++y)
        for (int x = 0; x < kBoxSize; ++x) {
            if (kind == BoxKind::Radio) {
                // Squared distance from the centre in half pixels: the ring is exact integer arithmetic.
                const int dx = 2 * x - (kBoxSize - 1), dy = 2 * y - (kBoxSize - 1);
                const int d2 = dx * dx + dy * dy;
                if (d2 <= kBoxSize * kBoxSize)
                    p.at(x, y) = Argb(255, d2 >= (kBoxSize - 3) * (kBoxSize - 3) ? kButtonFrame : fill);
                if (mark && d2 <= 9 * 9)
                    p.at(x, y) = Argb(255, kBoxMark);
            } else {
                const bool edge = x == 0 || y == 0 || x == kBoxSize - 1 || y == kBoxSize - 1;
                p.at(x, y) = Argb(255, edge ? kButtonFrame : fill);
            }
        }
    if (kind == BoxKind::CheckBox && mark) {
        // A tick: down-right from (5, 11) to (9, 15), then up-right to (16, 6).
        for (int i = 0; i <= 4; ++i)
            FillRect(p, 5 + i, 11 + i, 2, 2, Argb(255, kBoxMark));
        for (int i = 0; i <= 8; ++i)
            FillRect(p, 9 + i, 15 - i, 2, 2, Argb(255, kBoxMark));
    }
    return p;
}

RgbaPicture PaintBlendPicture()
{
    RgbaPicture p(kBlendImage.width, kBlendImage.height);
    const int third = kBlendImage.width / 3;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t alpha = x < third ? 255 : x < 2 * third ? kBlendHalfAlpha : 0;
            p.at(x, y) = Argb(alpha, kBlendColour);
        }
    return p;
}

RgbaPicture PaintEditFrame(std::uint32_t centre)
{
    RgbaPicture p(kEdit.width, kEdit.height, Argb(255, centre));
    Frame(p, 0, 0, kEdit.width, kEdit.height, Argb(255, 0x8090A0));
    Frame(p, 1, 1, kEdit.width - 2, kEdit.height - 2, Argb(255, 0x404850));
    return p;
}

RgbaPicture PaintLayeredPlate()
{
    const int w = kLayeredForm.width, h = kLayeredForm.height;
    RgbaPicture p(w, h, 0);
    const int radius = 30;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Distance outside the rounded rectangle's inner rectangle.
            const int dx = std::max({radius - x, x - (w - 1 - radius), 0});
            const int dy = std::max({radius - y, y - (h - 1 - radius), 0});
            if (dx * dx + dy * dy > radius * radius)
                continue;
            // A square root is correctly rounded in every build, unlike hypot.
            const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            // Full plate alpha inside, fading over the outer six pixels.
            const double edge = std::clamp((radius - d) / 6.0, 0.0, 1.0);
            const auto alpha = static_cast<std::uint8_t>(kLayeredAlpha * edge);
            p.at(x, y) = Argb(alpha, kLayeredColour);
        }
    return p;
}

} // namespace gallery
