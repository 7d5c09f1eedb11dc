#include "SimTestSupport.h"

#include <gmock/gmock.h>

#include <array>
#include <cstdint>

using namespace simtest;
using testing::ElementsAre;

namespace {

using GetBitmapFromIconFn = HBITMAP(WINAPI*)(HICON icon, int width, int height);

// A 32 x 32 icon: a transparent border of 4 pixels around a square whose upper half is opaque red
// and whose lower half is green at alpha 128. Without an alpha channel the mask alone makes the
// border transparent, and the green half is opaque.
HICON MakeIcon(bool withAlpha)
{
    constexpr int kSide = 32;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::array<std::uint8_t, kSide * kSide / 8> mask{};
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool inside = x >= 4 && x < 28 && y >= 4 && y < 28;
            std::uint32_t value = 0;
            if (inside)
                value = y < 16 ? 0xFFFF0000u : (withAlpha ? 0x8000FF00u : 0x0000FF00u);
            if (inside && !withAlpha)
                value &= 0x00FFFFFFu;
            pixel[y * kSide + x] = value;
            if (!inside)
                mask[(y * kSide + x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    const HBITMAP maskBitmap = CreateBitmap(kSide, kSide, 1, 1, mask.data());
    ICONINFO iconInfo{TRUE, 0, 0, maskBitmap, color};
    const HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(color);
    DeleteObject(maskBitmap);
    return icon;
}

class IconformTest : public StateFolderTest {
protected:
    Library dll{DistFolder() + L"Iconform.dll"};
    GetBitmapFromIconFn convert = dll.Get<GetBitmapFromIconFn>("GetBitmapFromIcon");

    void SetUp() override
    {
        ASSERT_TRUE(dll.Loaded());
        ASSERT_NE(convert, nullptr);
    }
};

TEST_F(IconformTest, DrawsTheIconBottomRowFirstWithStraightAlpha)
{
    struct Case {
        bool withAlpha;
        std::uint32_t red, green, border; // pixels (8, 4), (8, 11) and (0, 0) as 0xAARRGGBB
    };
    for (const Case& c : {Case{true, 0xFFFF0000u, 0x8000FF00u, 0}, Case{false, 0xFFFF0000u, 0xFF00FF00u, 0}}) {
        SCOPED_TRACE(c.withAlpha ? "alpha channel" : "mask only");
        const HICON icon = MakeIcon(c.withAlpha);
        ASSERT_NE(icon, nullptr);
        const HBITMAP bitmap = convert(icon, 16, 16);
        DestroyIcon(icon);
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(section.dsBm.bmWidth, 16);
        EXPECT_EQ(section.dsBm.bmHeight, 16);
        // Bottom-up: the picture's row y is stored row 15 - y.
        const auto* stored = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
        const auto pixel = [stored](int x, int y) { return stored[(15 - y) * 16 + x]; };
        const auto similar = [](std::uint32_t actual, std::uint32_t expected) {
            for (int shift = 0; shift < 32; shift += 8) {
                const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
                if (a - e > 2 || e - a > 2)
                    return false;
            }
            return true;
        };
        EXPECT_PRED2(similar, pixel(8, 4), c.red);
        EXPECT_PRED2(similar, pixel(8, 11), c.green);
        EXPECT_EQ(pixel(0, 0), c.border);
        DeleteObject(bitmap);
    }
}

TEST_F(IconformTest, GivesNoBitmapWithoutAnIconOrASize)
{
    const HICON icon = MakeIcon(true);
    EXPECT_EQ(convert(nullptr, 16, 16), nullptr);
    EXPECT_EQ(convert(icon, 0, 16), nullptr);
    EXPECT_EQ(convert(icon, 16, -1), nullptr);
    EXPECT_EQ(convert(icon, 5000, 16), nullptr);
    DestroyIcon(icon);
    EXPECT_THAT(CallLog(), ElementsAre("Iconform GetBitmapFromIcon 0x00000000 16 16",
                                       testing::EndsWith(" 0 16"), testing::EndsWith(" 16 -1"),
                                       testing::EndsWith(" 5000 16")));
}

} // namespace
