#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "forms/PixelView.h"

using namespace forms;

namespace {

// A buffer with its view; every byte starts at `fill`.
struct Pixels {
    Pixels(int width, int height, int bytes, std::uint8_t fill = 0)
        : data(static_cast<size_t>(RowStride(width, bytes) * height) + 8, fill),
          view{data.data(), width, height, RowStride(width, bytes), bytes}
    {
    }
    void Set(int x, int y, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a = 0)
    {
        std::uint8_t* p = view.At(x, y);
        p[0] = b;
        p[1] = g;
        p[2] = r;
        if (view.BytesPerPixel == 4)
            p[3] = a;
    }
    std::vector<std::uint8_t> data;
    PixelView view;
};

}  // namespace

TEST(PixelView, RowsArePaddedToFourBytes)
{
    EXPECT_EQ(RowStride(1, 3), 4);
    EXPECT_EQ(RowStride(3, 3), 12);
    EXPECT_EQ(RowStride(5, 3), 16);
    EXPECT_EQ(RowStride(5, 4), 20);
    EXPECT_EQ(RowStride(0, 3), 0);
}

TEST(PixelView, ThirtyTwoToTwentyFourKeepsColoursAndDropsAlpha)
{
    Pixels from(3, 2, 4);
    from.Set(0, 0, 1, 2, 3, 200);
    from.Set(2, 1, 10, 20, 30, 255);
    Pixels to(3, 2, 3, 0xEE);
    ConvertPixels(from.view, to.view);
    EXPECT_EQ(ReadPixel(to.view, 0, 0), RGB(3, 2, 1));
    EXPECT_EQ(ReadPixel(to.view, 2, 1), RGB(30, 20, 10));
    // The row padding (3 pixels = 9 bytes, 3 spare) is left alone.
    EXPECT_EQ(to.view.Row(0)[9], 0xEE);
    EXPECT_EQ(to.view.Row(1)[11], 0xEE);
}

TEST(PixelView, TwentyFourToThirtyTwoGivesAlphaZeroAndBack)
{
    Pixels from(5, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            from.Set(x, y, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77);
    Pixels wide(5, 3, 4, 0xFF);
    ConvertPixels(from.view, wide.view);
    Pixels back(5, 3, 3);
    ConvertPixels(wide.view, back.view);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(wide.view.At(x, y)[3], 0);
            EXPECT_EQ(ReadPixel(back.view, x, y), ReadPixel(from.view, x, y));
        }
}

TEST(PixelView, CopyIsClippedOnBothSides)
{
    Pixels from(4, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            from.Set(x, y, static_cast<std::uint8_t>(10 * y + x), 0, 0, static_cast<std::uint8_t>(100 + x));
    Pixels to(3, 3, 4, 0x55);
    // Source area partly left of the source and a target corner partly outside the target.
    CopyPixels(from.view, TRect{-1, 1, 3, 5}, to.view, TPoint{0, -1});
    // Source column -1 is skipped, so source (0, 2) lands at target (1, 0).
    EXPECT_EQ(to.view.At(1, 0)[0], 20);
    EXPECT_EQ(to.view.At(1, 0)[3], 100);  // alpha kept between 32-bit views
    EXPECT_EQ(to.view.At(2, 1)[0], 31);
    EXPECT_EQ(to.view.At(0, 0)[0], 0x55);  // nothing written where no source pixel maps
    EXPECT_EQ(to.view.At(2, 2)[0], 0x55);  // source row 4 does not exist
}

TEST(PixelView, StretchIsNearestNeighbourAndKeepsAlpha)
{
    Pixels from(2, 1, 4);
    from.Set(0, 0, 1, 1, 1, 10);
    from.Set(1, 0, 2, 2, 2, 20);
    Pixels to(4, 2, 4);
    StretchPixels(from.view, from.view.Bounds(), to.view, to.view.Bounds());
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(to.view.At(0, y)[3], 10);
        EXPECT_EQ(to.view.At(1, y)[3], 10);
        EXPECT_EQ(to.view.At(2, y)[3], 20);
        EXPECT_EQ(to.view.At(3, y)[0], 2);
    }
    // Shrinking picks every other pixel.
    Pixels wide(4, 1, 4);
    for (int x = 0; x < 4; ++x)
        wide.Set(x, 0, static_cast<std::uint8_t>(x), 0, 0, static_cast<std::uint8_t>(x));
    Pixels narrow(2, 1, 4);
    StretchPixels(wide.view, wide.view.Bounds(), narrow.view, narrow.view.Bounds());
    EXPECT_EQ(narrow.view.At(0, 0)[3], 0);
    EXPECT_EQ(narrow.view.At(1, 0)[3], 2);
}

TEST(PixelView, StretchTargetOutsideTheViewIsClipped)
{
    Pixels from(1, 1, 3);
    from.Set(0, 0, 9, 9, 9);
    Pixels to(2, 2, 3, 0x44);
    StretchPixels(from.view, from.view.Bounds(), to.view, TRect{1, 1, 10, 10});
    EXPECT_EQ(ReadPixel(to.view, 1, 1), RGB(9, 9, 9));
    EXPECT_EQ(ReadPixel(to.view, 0, 0), RGB(0x44, 0x44, 0x44));
}

TEST(PixelView, PixelAccessOutsideIsHarmless)
{
    Pixels p(2, 2, 4);
    WritePixel(p.view, 1, 0, RGB(1, 2, 3));
    EXPECT_EQ(ReadPixel(p.view, 1, 0), RGB(1, 2, 3));
    WritePixel(p.view, 2, 0, RGB(1, 2, 3));
    WritePixel(p.view, -1, 0, RGB(1, 2, 3));
    EXPECT_EQ(ReadPixel(p.view, 5, 5), 0u);
    EXPECT_EQ(p.data[p.data.size() - 1], 0);
}
