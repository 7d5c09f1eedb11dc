// Blending, premultiplying and regions cut from pictures.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Assert.h"
#include "forms/Bitmap.h"
#include "forms/GdiHandles.h"
#include "gui/graphics/ExtendedSum.h"
#include "gui/graphics/PixelArithmetic.h"
#include "gui/graphics/RegionBuilder.h"
#include "gui/graphics/image.h"

namespace {

using forms::TBitmap;
using forms::TPoint;
using forms::TRect;
using forms::TSize;
using Bgr = std::array<int, 3>;

void Set32(TBitmap& b, int x, int y, int blue, int green, int red, int alpha)
{
    std::uint8_t* p = b.ScanLine(y) + x * 4;
    p[0] = static_cast<std::uint8_t>(blue);
    p[1] = static_cast<std::uint8_t>(green);
    p[2] = static_cast<std::uint8_t>(red);
    p[3] = static_cast<std::uint8_t>(alpha);
}

void Fill24(TBitmap& b, int blue, int green, int red)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            std::uint8_t* p = b.ScanLine(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(blue);
            p[1] = static_cast<std::uint8_t>(green);
            p[2] = static_cast<std::uint8_t>(red);
        }
}

Bgr Get24(TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * 3;
    return {p[0], p[1], p[2]};
}

// One source pixel of the given colour and alpha blended onto one destination pixel.
Bgr BlendOne(Bgr source, int sourceAlpha, Bgr dest, std::uint8_t globalAlpha)
{
    TBitmap d(1, 1, forms::pf24bit);
    Fill24(d, dest[0], dest[1], dest[2]);
    TBitmap s(1, 1, forms::pf32bit);
    Set32(s, 0, 0, source[0], source[1], source[2], sourceAlpha);
    gs::AlphaBlendBitmap(d, TRect(0, 0, 1, 1), s, TPoint(0, 0), globalAlpha);
    return Get24(d, 0, 0);
}

TEST(AlphaBlend, FullAndNoCoverageAtBothGlobalAlphaExtremes)
{
    EXPECT_EQ(BlendOne({1, 2, 3}, 255, {200, 100, 50}, 255), (Bgr{1, 2, 3}));
    EXPECT_EQ(BlendOne({1, 2, 3}, 0, {200, 100, 50}, 255), (Bgr{200, 100, 50}));
    EXPECT_EQ(BlendOne({90, 90, 90}, 255, {200, 100, 50}, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(BlendOne({90, 90, 90}, 0, {200, 100, 50}, 0), (Bgr{200, 100, 50}));
}

TEST(AlphaBlend, PartialCoverageTruncatesTheExtendedPrecisionSum)
{
    EXPECT_EQ(BlendOne({200, 200, 200}, 128, {100, 100, 100}, 255), (Bgr{150, 150, 150}));
    EXPECT_EQ(BlendOne({200, 200, 200}, 128, {100, 100, 100}, 128), (Bgr{100, 100, 100}));
    EXPECT_EQ(BlendOne({10, 10, 10}, 200, {250, 250, 250}, 255), (Bgr{61, 61, 61}));
    // Sums just below a whole number: 0 x f + 5 x (1 - 0.4) is 2.99999... in extended precision, and
    // 77 over 77 at alpha 77 stays below 77.
    EXPECT_EQ(BlendOne({0, 0, 0}, 102, {5, 10, 15}, 255), (Bgr{2, 5, 8}));
    EXPECT_EQ(BlendOne({77, 77, 77}, 77, {77, 77, 77}, 255), (Bgr{76, 76, 76}));
}

// Sets the x87 control word (precision and rounding of long double arithmetic); returns the old one.
std::uint16_t SwapX87ControlWord(std::uint16_t word)
{
    std::uint16_t old = 0;
    asm volatile("fnstcw %0\n\tfldcw %1" : "=m"(old) : "m"(word));
    return old;
}

TEST(AlphaBlend, SameBytesWhateverTheThreadsX87Settings)
{
    // 64-bit precision (the runtime's start-up setting), 53-bit (a new thread's), 24-bit, rounding toward zero.
    for (const std::uint16_t word : {0x037F, 0x027F, 0x007F, 0x0F7F}) {
        const std::uint16_t saved = SwapX87ControlWord(word);
        const Bgr belowWhole = BlendOne({0, 0, 0}, 102, {5, 10, 15}, 255);
        const Bgr roundedUp = BlendOne({255, 255, 255}, 8, {37, 37, 37}, 37);  // the exact sum is below 37
        SwapX87ControlWord(saved);
        EXPECT_EQ(belowWhole, (Bgr{2, 5, 8})) << std::hex << word;
        EXPECT_EQ(roundedUp, (Bgr{37, 37, 37})) << std::hex << word;
    }
}

TEST(AlphaBlend, IntegerSumEqualsTheX87ExtendedSum)
{
    const std::uint16_t saved = SwapX87ControlWord(0x037F);  // 64-bit precision, to nearest
    for (const int global : {255, 200, 128, 68, 37, 1}) {
        for (const int cover : {1, 8, 24, 77, 102, 128, 254}) {
            const double f = global / 255.0 * (cover / 255.0);
            const double h = 1.0 - cover / 255.0;
            const gs::BlendFactor x = gs::BlendFactor::FromDouble(f);
            const gs::BlendFactor y = gs::BlendFactor::FromDouble(h);
            int mismatches = 0;
            for (int a = 0; a < 256; ++a)
                for (int b = 0; b < 256; ++b) {
                    const long double sum = static_cast<long double>(a) * f + static_cast<long double>(b) * h;
                    mismatches += gs::TruncatedExtendedSum(static_cast<std::uint8_t>(a), x,
                                                           static_cast<std::uint8_t>(b), y) != static_cast<int>(sum);
                }
            EXPECT_EQ(mismatches, 0) << "global alpha " << global << ", source alpha " << cover;
        }
    }
    SwapX87ControlWord(saved);
}

TEST(AlphaBlend, OpaqueSourcePixelsGiveTheX87ExtendedSumForEveryByteAndGlobalAlpha)
{
    // A row of every source byte at alpha 255, over destinations that must not matter.
    std::vector<std::uint8_t> source(256 * 4);
    for (int v = 0; v < 256; ++v)
        for (int c = 0; c < 4; ++c)
            source[static_cast<std::size_t>(v * 4 + c)] = static_cast<std::uint8_t>(c == 3 ? 255 : v);
    const forms::PixelView from{source.data(), 256, 1, 256 * 4, 4};
    const std::uint16_t saved = SwapX87ControlWord(0x037F);
    int mismatches = 0;
    for (int global = 0; global < 256; ++global)
        for (const std::uint8_t under : {0, 77, 255}) {
            std::vector<std::uint8_t> dest(256 * 3, under);
            gs::BlendPixels({dest.data(), 256, 1, 256 * 3, 3}, TRect(0, 0, 256, 1), from, TPoint(0, 0),
                            static_cast<std::uint8_t>(global));
            const double f = global / 255.0 * (255 / 255.0);
            const double h = 1.0 - 255 / 255.0;
            for (int v = 0; v < 256; ++v) {
                const long double sum = static_cast<long double>(v) * f + static_cast<long double>(under) * h;
                for (int c = 0; c < 3; ++c)
                    mismatches += dest[static_cast<std::size_t>(v * 3 + c)] != static_cast<int>(sum);
            }
        }
    SwapX87ControlWord(saved);
    EXPECT_EQ(mismatches, 0);
}

TEST(AlphaBlend, DestinationIsMadeTwentyFourBitKeepingItsPicture)
{
    TBitmap d(2, 1, forms::pf32bit);
    Set32(d, 0, 0, 11, 22, 33, 200);
    Set32(d, 1, 0, 44, 55, 66, 7);
    TBitmap s(2, 1, forms::pf32bit);
    Set32(s, 0, 0, 1, 2, 3, 0);
    Set32(s, 1, 0, 4, 5, 6, 255);
    gs::AlphaBlendWholeBitmap(d, s, 255);
    EXPECT_EQ(d.PixelFormat(), forms::pf24bit);
    EXPECT_EQ(Get24(d, 0, 0), (Bgr{11, 22, 33}));
    EXPECT_EQ(Get24(d, 1, 0), (Bgr{4, 5, 6}));
}

TEST(AlphaBlend, SourceOfAnotherFormatFailsTheCheck)
{
    struct Stop {
        std::string expression;
    };
    const auto previous = forms::SetAssertHandler([](const forms::AssertionFailure& f) { throw Stop{f.Expression}; });
    TBitmap d(1, 1, forms::pf24bit);
    TBitmap s(1, 1, forms::pf24bit);
    try {
        gs::AlphaBlendBitmap(d, TRect(0, 0, 1, 1), s, TPoint(0, 0), 255);
        ADD_FAILURE() << "no check";
    } catch (const Stop& stop) {
        EXPECT_EQ(stop.expression, "src->PixelFormat == pf32bit");
    }
    forms::SetAssertHandler(previous);
}

// Blends a 4 x 3 opaque source whose pixel (x, y) has blue 10 x + y + 1 onto a 4 x 3 grey destination.
class UnclippedBlend : public testing::Test {
protected:
    void SetUp() override
    {
        Fill24(dest_, 99, 99, 99);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                Set32(source_, x, y, 10 * x + y + 1, 0, 0, 255);
    }
    // Blue of each destination pixel, rows top first; 99 = untouched.
    std::vector<int> Blues()
    {
        std::vector<int> out;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                out.push_back(Get24(dest_, x, y)[0]);
        return out;
    }
    TBitmap dest_{4, 3, forms::pf24bit};
    TBitmap source_{4, 3, forms::pf32bit};
};

TEST_F(UnclippedBlend, AreasOutsideEitherBitmapAreDroppedWithoutShiftingTheRest)
{
    // Starts two columns left of and one row above the destination: only the overlap is drawn, each pixel
    // from the source pixel the rectangle maps onto it.
    gs::AlphaBlendBitmap(dest_, TRect(-2, -1, 3, 2), source_, TPoint(0, 0), 255);
    EXPECT_EQ(Blues(), (std::vector<int>{22, 32, 99, 99,  //
                                         23, 33, 99, 99,  //
                                         99, 99, 99, 99}));

    SetUp();
    // Reaches past the destination's right and bottom edges and past the source's.
    gs::AlphaBlendBitmap(dest_, TRect(2, 1, 40, 30), source_, TPoint(1, 1), 255);
    EXPECT_EQ(Blues(), (std::vector<int>{99, 99, 99, 99,  //
                                         99, 99, 12, 22,  //
                                         99, 99, 13, 23}));

    SetUp();
    gs::AlphaBlendBitmap(dest_, TRect(0, 0, 4, 3), source_, TPoint(-3, 2), 255);
    EXPECT_EQ(Blues(), (std::vector<int>{99, 99, 99, 3,  //
                                         99, 99, 99, 99,  //
                                         99, 99, 99, 99}));
}

TEST(ClipBlendRect, MovesOriginWithClippedEdges)
{
    TPoint origin(0, 0);
    EXPECT_EQ(gs::ClipBlendRect(TSize{10, 10}, TRect(-3, -2, 5, 6), TSize{20, 20}, origin), TRect(0, 0, 5, 6));
    EXPECT_EQ(origin, TPoint(3, 2));

    origin = TPoint(-4, -1);
    EXPECT_EQ(gs::ClipBlendRect(TSize{10, 10}, TRect(1, 1, 8, 8), TSize{20, 20}, origin), TRect(5, 2, 8, 8));
    EXPECT_EQ(origin, TPoint(0, 0));

    origin = TPoint(0, 0);
    EXPECT_EQ(gs::ClipBlendRect(TSize{10, 8}, TRect(2, 3, 30, 30), TSize{100, 100}, origin), TRect(2, 3, 10, 8));

    // The source ends first: the rectangle is cut where the source's right and bottom edges fall.
    origin = TPoint(4, 5);
    EXPECT_EQ(gs::ClipBlendRect(TSize{50, 50}, TRect(10, 10, 30, 30), TSize{10, 8}, origin),
              TRect(10, 10, 16, 13));

    // A left edge clipped while the source is narrower than the rectangle: the right edge is bounded by
    // the given rectangle's left edge, which draws less than the overlap but never outside it.
    origin = TPoint(0, 0);
    EXPECT_TRUE(gs::ClipBlendRect(TSize{3, 3}, TRect(-1, 1, 2, 4), TSize{2, 2}, origin).IsEmpty());

    // Nothing of the source left: an inverted or empty rectangle.
    origin = TPoint(12, 0);
    EXPECT_TRUE(gs::ClipBlendRect(TSize{50, 50}, TRect(10, 10, 30, 30), TSize{10, 8}, origin).IsEmpty());
}

TEST(ClipBlendRect, ResultNeverReachesOutsideEitherBitmap)
{
    for (int left = -6; left <= 6; left += 3)
        for (int top = -6; top <= 6; top += 3)
            for (int ox = -5; ox <= 5; ox += 5)
                for (int oy = -5; oy <= 5; oy += 5) {
                    TPoint origin(ox, oy);
                    const TRect r = gs::ClipBlendRect(TSize{8, 7}, TRect(left, top, left + 9, top + 9), TSize{6, 5},
                                                      origin);
                    if (r.IsEmpty())
                        continue;
                    EXPECT_GE(r.Left, 0);
                    EXPECT_GE(r.Top, 0);
                    EXPECT_LE(r.Right, 8);
                    EXPECT_LE(r.Bottom, 7);
                    EXPECT_GE(origin.X, 0);
                    EXPECT_GE(origin.Y, 0);
                    EXPECT_LE(origin.X + r.Width(), 6);
                    EXPECT_LE(origin.Y + r.Height(), 5);
                }
}

TEST(ClipBlendRect, ClippedBlendLeavesTheCallersOriginAndDrawsTheOverlap)
{
    TBitmap d(3, 3, forms::pf24bit);
    Fill24(d, 0, 0, 0);
    TBitmap s(2, 2, forms::pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            Set32(s, x, y, 100 + 10 * x + y, 0, 0, 255);
    const TPoint origin(1, 0);
    gs::AlphaBlendBitmapClipped(d, TRect(0, 1, 3, 4), s, origin, 255);
    EXPECT_EQ(origin, TPoint(1, 0));
    EXPECT_EQ(Get24(d, 0, 1)[0], 110);
    EXPECT_EQ(Get24(d, 0, 2)[0], 111);
    EXPECT_EQ(Get24(d, 1, 1)[0], 0);
    EXPECT_EQ(Get24(d, 0, 0)[0], 0);
}

TEST(DrawAlphaBitmap, BlendsOntoABitmapCanvasAndLeavesCopyModeSrcCopy)
{
    TBitmap target(4, 2, forms::pf24bit);
    Fill24(target, 50, 60, 70);
    TBitmap picture(2, 1, forms::pf32bit);
    Set32(picture, 0, 0, 200, 200, 200, 255);
    Set32(picture, 1, 0, 200, 200, 200, 0);
    target.Canvas().SetCopyMode(SRCINVERT);
    gs::DrawAlphaBitmap(target.Canvas(), TRect(1, 1, 3, 2), picture, TPoint(0, 0), 255);
    EXPECT_EQ(target.Canvas().CopyMode(), static_cast<DWORD>(SRCCOPY));
    EXPECT_EQ(Get24(target, 1, 1), (Bgr{200, 200, 200}));
    EXPECT_EQ(Get24(target, 2, 1), (Bgr{50, 60, 70}));
    EXPECT_EQ(Get24(target, 1, 0), (Bgr{50, 60, 70}));
}

TEST(DrawAlphaBitmap, BlendsOntoAForeignDeviceContext)
{
    // A canvas bound to a DC of its own, as a control's paint canvas is.
    TBitmap surface(5, 5, forms::pf24bit);
    Fill24(surface, 10, 20, 30);
    forms::MemoryDC dc(nullptr);
    forms::SelectedObject selected(dc.Get(), surface.Handle());
    forms::TCanvas canvas;
    canvas.SetHandle(dc.Get());
    TBitmap picture(3, 3, forms::pf32bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            Set32(picture, x, y, 250, 250, 250, 255);
    gs::DrawAlphaBitmap(canvas, TRect(3, 3, 6, 6), picture, TPoint(0, 0), 255);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetPixel(dc.Get(), 3, 3), RGB(250, 250, 250));
    EXPECT_EQ(GetPixel(dc.Get(), 4, 4), RGB(250, 250, 250));
    EXPECT_EQ(GetPixel(dc.Get(), 2, 3), RGB(30, 20, 10));
}

TEST(PremultiplyAlpha, ScalesColoursOfThirtyTwoBitPicturesOnly)
{
    TBitmap b(3, 1, forms::pf32bit);
    Set32(b, 0, 0, 255, 128, 1, 128);
    Set32(b, 1, 0, 200, 100, 50, 0);
    Set32(b, 2, 0, 200, 100, 50, 255);
    gs::PremultiplyAlpha(b);
    const std::uint8_t* p = b.ScanLine(0);
    EXPECT_EQ((std::vector<int>(p, p + 12)), (std::vector<int>{128, 64, 0, 128, 0, 0, 0, 0, 200, 100, 50, 255}));

    TBitmap rgb(1, 1, forms::pf24bit);
    Fill24(rgb, 200, 100, 50);
    gs::PremultiplyAlpha(rgb);
    EXPECT_EQ(Get24(rgb, 0, 0), (Bgr{200, 100, 50}));
}

TEST(IsEmptyBitmap, AbsentOrWithoutArea)
{
    EXPECT_TRUE(gs::IsEmptyBitmap(nullptr));
    TBitmap b;
    EXPECT_TRUE(gs::IsEmptyBitmap(&b));
    b.SetSize(0, 4);
    EXPECT_TRUE(gs::IsEmptyBitmap(&b));
    b.SetSize(4, 0);
    EXPECT_TRUE(gs::IsEmptyBitmap(&b));
    b.SetSize(1, 1);
    EXPECT_FALSE(gs::IsEmptyBitmap(&b));
}

// ---- regions ----

std::vector<RECT> RegionRects(HRGN region)
{
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<std::uint8_t> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* rects = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
    return std::vector<RECT>(rects, rects + header->nCount);
}

// A 32-bit picture from colour values (0x00BBGGRR), rows top first.
std::unique_ptr<TBitmap> Picture(int width, const std::vector<COLORREF>& colors)
{
    auto b = std::make_unique<TBitmap>(width, static_cast<int>(colors.size()) / width, forms::pf32bit);
    for (std::size_t i = 0; i < colors.size(); ++i)
        Set32(*b, static_cast<int>(i) % width, static_cast<int>(i) / width, GetBValue(colors[i]),
              GetGValue(colors[i]), GetRValue(colors[i]), 255);
    return b;
}

TEST(RegionFromBitmap, KeyPixelsAreLeftOut)
{
    auto b = Picture(3, {0xFF00FF, 0xFFFFFF, 0xFF00FF});
    forms::RegionHandle region(gs::CreateRegionFromBitmap(b->Handle(), 0xFF00FF, 0));
    ASSERT_TRUE(region);
    const std::vector<RECT> rects = RegionRects(region.Get());
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(TRect(rects[0]), TRect(1, 0, 2, 1));
}

TEST(RegionFromBitmap, ToleranceWidensTheKeyUpwardOnly)
{
    auto exact = Picture(4, {0x0A0A0A, 0x0A0A0B, 0x0B0A0A, 0x0A0A0A});
    forms::RegionHandle region(gs::CreateRegionFromBitmap(exact->Handle(), 0x0A0A0A, 0));
    ASSERT_EQ(RegionRects(region.Get()).size(), 1u);
    EXPECT_EQ(TRect(RegionRects(region.Get())[0]), TRect(1, 0, 3, 1));

    auto b = Picture(5, {0x101010, 0x151515, 0x161010, 0x0F1010, 0x10150F});
    region.Reset(gs::CreateRegionFromBitmap(b->Handle(), 0x101010, 0x050505));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 2, 0));  // blue 0x16 above the range
    EXPECT_TRUE(PtInRegion(region.Get(), 3, 0));  // blue 0x0F below the key
    EXPECT_TRUE(PtInRegion(region.Get(), 4, 0));  // red 0x0F below the key

    // The range stops at 255 per channel.
    auto white = Picture(2, {0xFFFFFF, 0xFAFAFA});
    region.Reset(gs::CreateRegionFromBitmap(white->Handle(), 0xFAFAFA, 0x202020));
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, AllKeyGivesAnEmptyRegionAndNoBitmapGivesNone)
{
    auto b = Picture(2, {0xFF00FF, 0xFF00FF, 0xFF00FF, 0xFF00FF});
    forms::RegionHandle region(gs::CreateRegionFromBitmap(b->Handle(), 0xFF00FF, 0));
    ASSERT_TRUE(region);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Get(), &box), NULLREGION);
    EXPECT_EQ(gs::CreateRegionFromBitmap(nullptr, 0xFF00FF, 0), nullptr);
}

TEST(RegionFromBitmap, ManyRunsGiveTheUnionOfAllRuns)
{
    // Runs of varying length separated by single key pixels: far more than one batch of rectangles.
    const int width = 301;
    const int height = 90;
    TBitmap b(width, height, forms::pf24bit);
    Fill24(b, 40, 50, 60);
    forms::RegionHandle expected(CreateRectRgn(0, 0, 0, 0));
    int runs = 0;
    for (int y = 0; y < height; ++y) {
        int start = 0;
        for (int x = 0; x < width; ++x) {
            if ((x * 7 + y * 3) % 5 == 0 || x == width - 1) {
                std::uint8_t* p = b.ScanLine(y) + x * 3;
                p[0] = 0xFF;
                p[1] = 0x00;
                p[2] = 0xFF;
                if (x > start) {
                    forms::RegionHandle run(CreateRectRgn(start, y, x, y + 1));
                    CombineRgn(expected.Get(), expected.Get(), run.Get(), RGN_OR);
                    ++runs;
                }
                start = x + 1;
            }
        }
    }
    ASSERT_GT(runs, 2 * gs::RegionBuilder::BatchLimit);
    forms::RegionHandle region(gs::CreateRegionFromBitmap(b.Handle(), 0xFF00FF, 0));
    ASSERT_TRUE(region);
    EXPECT_TRUE(EqualRgn(region.Get(), expected.Get()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(PtInRegion(region.Get(), x, y) != 0, PtInRegion(expected.Get(), x, y) != 0) << x << "," << y;
}

TEST(RegionBuilder, BatchesHoldAtMostTwoThousandRectanglesGrownByHundreds)
{
    gs::RegionBuilder builder;
    EXPECT_EQ(builder.Capacity(), 100);
    for (int i = 0; i < 150; ++i)
        builder.AddRun(0, 1, i);
    EXPECT_EQ(builder.Capacity(), 200);
    for (int i = 150; i < 4500; ++i)
        builder.AddRun(i % 7, i % 7 + 2, i);
    EXPECT_EQ(builder.Capacity(), gs::RegionBuilder::BatchLimit);
    EXPECT_EQ(builder.BatchesMade(), 2);
    forms::RegionHandle region(builder.Finish());
    EXPECT_EQ(builder.BatchesMade(), 3);
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 4499 % 7 + 1, 4499));
    EXPECT_FALSE(PtInRegion(region.Get(), 4499 % 7 + 2, 4499));
    RECT box;
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(TRect(box), TRect(0, 0, 8, 4500));
}

}  // namespace
