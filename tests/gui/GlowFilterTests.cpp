// The glow kernel, the neighbour filter and the mask steps of the radiating painter.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Assert.h"
#include "forms/Bitmap.h"
#include "gui/Painter/GlowFilter.h"
#include "gui/Painter/TextPainter.h"

namespace {

using gs::IntMatrix;

std::vector<std::vector<int>> Cells(const IntMatrix& m)
{
    std::vector<std::vector<int>> out;
    for (int i = 0; i < m.Rows(); ++i)
        out.emplace_back(m[i], m[i] + m.Columns());
    return out;
}

const IntMatrix& KernelOf(const std::shared_ptr<const gs::Filter>& filter)
{
    return dynamic_cast<const gs::NeighborWeightedFilter&>(*filter).Kernel();
}

IntMatrix Kernel(int radius, std::uint8_t opacity, std::uint8_t spread)
{
    gs::OuterGlowFilterFactory factory;
    factory.SetInnerFraction(spread / 255.0f);
    factory.SetStrength(opacity / 255.0f);
    return KernelOf(factory.GetFilter(radius, radius));
}

TEST(GlowKernel, RadiusZeroIsOneScaledWeight)
{
    EXPECT_EQ(Cells(Kernel(0, 160, 0)), (std::vector<std::vector<int>>{{160}}));
    EXPECT_EQ(Cells(Kernel(0, 255, 0)), (std::vector<std::vector<int>>{{256}}));
}

TEST(GlowKernel, RadiusOneKeepsOnlyTheCentre)
{
    EXPECT_EQ(Cells(Kernel(1, 255, 0)), (std::vector<std::vector<int>>{{0, 0, 0}, {0, 256, 0}, {0, 0, 0}}));
}

TEST(GlowKernel, RadiusTwoFallsWithTheSquareOfTheDistanceLeft)
{
    EXPECT_EQ(Cells(Kernel(2, 255, 0)), (std::vector<std::vector<int>>{{0, 0, 0, 0, 0},
                                                                       {0, 21, 64, 21, 0},
                                                                       {0, 64, 256, 64, 0},
                                                                       {0, 21, 64, 21, 0},
                                                                       {0, 0, 0, 0, 0}}));
}

TEST(GlowKernel, RadiusThreeAtOpacity192)
{
    const IntMatrix k = Kernel(3, 192, 0);
    ASSERT_EQ(k.Rows(), 7);
    EXPECT_EQ(k[3][3], 192);
    EXPECT_EQ(k[3][4], 85);
    EXPECT_EQ(k[2][3], 85);
    EXPECT_EQ(k[4][4], 53);
    EXPECT_EQ(k[3][5], 21);
    EXPECT_EQ(k[1][3], 21);
    EXPECT_EQ(k[4][5], 12);
    EXPECT_EQ(k[2][1], 12);
    EXPECT_EQ(k[5][5], 0);
    EXPECT_EQ(k[3][6], 0);
    EXPECT_EQ(k[0][0], 0);
}

TEST(GlowKernel, SpreadGivesFullWeightInsideAndAStepAtItsEdge)
{
    const IntMatrix k = Kernel(4, 255, 128);  // inner fraction 0.50196
    EXPECT_EQ(k[4][4], 256);
    EXPECT_EQ(k[4][6], 256);  // distance 0.5
    EXPECT_EQ(k[3][6], 99);   // distance 0.559: (1 - 0.559)^2 / (1 - 0.502) x 256
    EXPECT_EQ(k[4][8], 0);
}

TEST(NeighborFilter, TakesTheStrongestWeightedNeighbour)
{
    IntMatrix input(5, 5);
    input[2][2] = 255;
    input[0][4] = 40;
    gs::OuterGlowFilterFactory factory;
    const auto filter = factory.GetFilter(2, 2);
    IntMatrix output(5, 5);
    gs::ApplyFilter(*filter, input, 0, 0, 5, 5, output, 0, 0);
    EXPECT_EQ(output[2][2], 255);
    EXPECT_EQ(output[2][1], 63);   // 255 x 64 / 256
    EXPECT_EQ(output[1][1], 20);   // 255 x 21 / 256
    EXPECT_EQ(output[2][0], 0);    // distance 2 has weight 0
    EXPECT_EQ(output[0][3], 10);   // 40 x 64 / 256 beats 255 x 0
    EXPECT_EQ(output[1][3], 20);   // 255 x 21 / 256 beats 40 x 21 / 256
}

TEST(NeighborFilter, WindowEdgesSeeOnlyCellsInsideTheWindow)
{
    // The 3 x 3 window starts at input (1, 1); a bright cell lies just above it.
    IntMatrix input(5, 5);
    input[0][1] = 255;
    input[2][2] = 100;
    gs::OuterGlowFilterFactory factory;
    const auto filter = factory.GetFilter(2, 2);
    IntMatrix output(4, 4);
    gs::ApplyFilter(*filter, input, 1, 1, 3, 3, output, 1, 0);
    // Window cell (0, 0) sees its diagonal neighbour 100 x 21 / 256, not the bright cell above the window.
    EXPECT_EQ(output[1][0], 8);
    EXPECT_EQ(output[2][1], 100);
    EXPECT_EQ(output[0][0], 0);  // outside the output window: untouched
    EXPECT_EQ(output[1][3], 0);
}

TEST(FilterFactory, KeepsItsFilterWhileSettingsStay)
{
    gs::OuterGlowFilterFactory factory;
    auto first = factory.GetFilter(2, 2);
    const gs::Filter* kept = first.get();
    factory.ReleaseFilter(first);
    EXPECT_EQ(first, nullptr);
    auto again = factory.GetFilter(2, 2);
    EXPECT_EQ(again.get(), kept);
    EXPECT_EQ(KernelOf(again)[2][2], 256);  // still alive after the release

    factory.SetStrength(1.0f);
    factory.SetInnerFraction(0.0f);
    EXPECT_EQ(factory.GetFilter(2, 2).get(), kept);

    factory.SetStrength(0.5f);
    auto weaker = factory.GetFilter(2, 2);
    EXPECT_EQ(KernelOf(weaker)[2][2], 128);
    EXPECT_EQ(KernelOf(again)[2][2], 256);  // a filter in use outlives the change

    // Another radius gets a kernel of its own size.
    EXPECT_EQ(KernelOf(factory.GetFilter(3, 3)).Rows(), 7);
    EXPECT_EQ(KernelOf(factory.GetFilter(1, 1)).Rows(), 3);
}

TEST(FilterFactory, UnequalRadiiFailTheCheck)
{
    struct Stop {
        std::string expression;
    };
    const auto previous = forms::SetAssertHandler([](const forms::AssertionFailure& f) { throw Stop{f.Expression}; });
    gs::OuterGlowFilterFactory factory;
    try {
        factory.GetFilter(2, 3);
        ADD_FAILURE() << "no check";
    } catch (const Stop& stop) {
        EXPECT_EQ(stop.expression, "r == c");
    }
    forms::SetAssertHandler(previous);
}

// ---- mask steps ----

void Set32(forms::TBitmap& b, int x, int y, int blue, int green, int red, int alpha)
{
    std::uint8_t* p = b.ScanLine(y) + x * 4;
    p[0] = static_cast<std::uint8_t>(blue);
    p[1] = static_cast<std::uint8_t>(green);
    p[2] = static_cast<std::uint8_t>(red);
    p[3] = static_cast<std::uint8_t>(alpha);
}

TEST(GlowMask, LuminanceIsRoundedHalfUpForEachFormat)
{
    forms::TBitmap b(7, 1, forms::pf32bit);
    Set32(b, 0, 0, 255, 255, 255, 0);
    Set32(b, 1, 0, 0, 0, 255, 0);  // red
    Set32(b, 2, 0, 0, 255, 0, 0);  // green
    Set32(b, 3, 0, 255, 0, 0, 0);  // blue
    Set32(b, 4, 0, 10, 20, 30, 0);
    // Sums of exactly one half: 0.587 x 36 + 0.114 x 12 = 22.5 and 0.587 x 12 + 0.114 x 4 = 7.5.
    Set32(b, 5, 0, 12, 36, 0, 0);
    Set32(b, 6, 0, 4, 12, 0, 0);
    const std::vector<int> expected{255, 76, 150, 29, 22, 23, 8};  // 0.299 x 30 + 0.587 x 20 + 0.114 x 10 = 21.88
    EXPECT_EQ(Cells(gs::ComputeLuminance(b, forms::TRect(0, 0, 7, 1)))[0], expected);

    b.SetPixelFormat(forms::pf24bit);
    EXPECT_EQ(Cells(gs::ComputeLuminance(b, forms::TRect(0, 0, 7, 1)))[0], expected);

    // A window of the picture, reaching past its right edge.
    EXPECT_EQ(Cells(gs::ComputeLuminance(b, forms::TRect(5, 0, 9, 1)))[0], (std::vector<int>{23, 8, 0, 0}));
}

TEST(GlowMask, RadiusZeroScalesTheLuminance)
{
    forms::TBitmap layer(3, 1, forms::pf32bit);
    Set32(layer, 0, 0, 255, 255, 255, 0);
    Set32(layer, 1, 0, 100, 100, 100, 0);
    auto painter = gs::CreateOuterGlowTextPainter();
    painter->Opacity = 160;
    const IntMatrix mask = painter->BuildGlowMask(layer, forms::TRect(0, 0, 3, 1));
    EXPECT_EQ(Cells(mask)[0], (std::vector<int>{159, 62, 0}));  // x 160 / 256
}

TEST(GlowMask, WrittenAsAlphaClampedWithTransparentPixelsBlack)
{
    forms::TBitmap layer(3, 1, forms::pf32bit);
    for (int x = 0; x < 3; ++x)
        Set32(layer, x, 0, 10, 20, 30, 99);
    IntMatrix mask(1, 3);
    mask[0][0] = 300;
    mask[0][1] = 0;
    mask[0][2] = 128;
    gs::WriteMaskToAlpha(layer, forms::TRect(0, 0, 3, 1), mask);
    const std::uint8_t* p = layer.ScanLine(0);
    EXPECT_EQ((std::vector<int>(p, p + 12)), (std::vector<int>{10, 20, 30, 255, 0, 0, 0, 0, 10, 20, 30, 128}));
    EXPECT_EQ(mask[0][0], 255);
}

TEST(GlowMask, ColorizeFillsWithTheHaloColourUnderTheMask)
{
    forms::TBitmap layer(5, 5, forms::pf32bit);
    Set32(layer, 2, 2, 255, 255, 255, 0);
    auto painter = gs::CreateOuterGlowTextPainter();
    painter->Radius = 2;
    painter->ColorizeGlow(layer, forms::TRect(0, 0, 5, 5), 0x0000FF);  // red
    const std::uint8_t* centre = layer.ScanLine(2) + 2 * 4;
    EXPECT_EQ((std::vector<int>(centre, centre + 4)), (std::vector<int>{0, 0, 255, 255}));
    const std::uint8_t* side = layer.ScanLine(2) + 3 * 4;
    EXPECT_EQ((std::vector<int>(side, side + 4)), (std::vector<int>{0, 0, 255, 63}));
    const std::uint8_t* corner = layer.ScanLine(0);
    EXPECT_EQ((std::vector<int>(corner, corner + 4)), (std::vector<int>{0, 0, 0, 0}));
}

}  // namespace
