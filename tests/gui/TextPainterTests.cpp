// Text painters drawing into memory bitmaps.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "forms/Bitmap.h"
#include "gui/Painter/TextPainter.h"

namespace {

using forms::TBitmap;
using forms::TRect;

constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

// A black 24-bit surface with a large font, so that captions cover many pixels.
struct Surface {
    explicit Surface(int width = 160, int height = 60) : bitmap(width, height, forms::pf24bit)
    {
        for (int y = 0; y < height; ++y)
            std::memset(bitmap.ScanLine(y), 0, static_cast<std::size_t>(width) * 3);
        bitmap.Canvas().Font().SetName(L"Arial");
        bitmap.Canvas().Font().SetHeight(-24);
        bitmap.Canvas().Font().SetColor(forms::clWhite);
    }
    forms::TCanvas& Canvas() { return bitmap.Canvas(); }
    // Blue, green, red of every pixel.
    std::vector<std::uint8_t> Pixels()
    {
        std::vector<std::uint8_t> out;
        for (int y = 0; y < bitmap.Height(); ++y) {
            const std::uint8_t* row = bitmap.ScanLine(y);
            const int bytes = bitmap.BytesPerPixel();
            for (int x = 0; x < bitmap.Width(); ++x)
                out.insert(out.end(), row + x * bytes, row + x * bytes + 3);
        }
        return out;
    }
    TBitmap bitmap;
};

TRect Measure(gs::TTextPainter& painter, forms::TCanvas& canvas, const wchar_t* text)
{
    TRect r(0, 0, 0, 0);
    painter.CalcWideTextRect(canvas, text, r, kFormat);
    return r;
}

TEST(PlainPainter, DrawsWithATransparentBackgroundAndMeasuresIntoTheRectangle)
{
    Surface s;
    gs::TTextPainter& painter = *gs::GetDefaultTextPainter();
    s.Canvas().Brush().SetColor(forms::clBlue);  // a solid brush: the canvas alone would fill behind text
    const HDC dc = s.Canvas().Handle();

    TRect r(0, 0, 0, 0);
    painter.CalcWideTextRect(s.Canvas(), L"Macro", r, kFormat);
    EXPECT_GT(r.Width(), 20);
    EXPECT_GT(r.Height(), 10);

    const TRect place(5, 5, 150, 50);
    painter.DrawWideText(s.Canvas(), L"Macro", place, kFormat, false);
    EXPECT_EQ(place, TRect(5, 5, 150, 50));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    const std::vector<std::uint8_t> pixels = s.Pixels();
    int lit = 0;
    int background = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        lit += pixels[i + 2] != 0;
        background += pixels[i] == 255 && pixels[i + 1] == 0 && pixels[i + 2] == 0;
    }
    EXPECT_GT(lit, 20);
    EXPECT_EQ(background, 0);
}

TEST(PlainPainter, DefaultPainterIsSharedAndSurvivesRelease)
{
    gs::TTextPainter* painter = gs::GetDefaultTextPainter();
    painter->Release();
    EXPECT_EQ(gs::GetDefaultTextPainter(), painter);
    Surface s;
    painter->DrawText(s.Canvas(), "still here", TRect(0, 0, 160, 60), kFormat, false);
    int lit = 0;
    for (std::uint8_t v : s.Pixels())
        lit += v != 0;
    EXPECT_GT(lit, 20);
}

TEST(OuterGlowPainter, MeasureAddsTwiceTheRadiusAndTheRadiationOffset)
{
    Surface s;
    gs::TTextPainter& plain = *gs::GetDefaultTextPainter();
    auto glow = gs::CreateOuterGlowTextPainter();
    glow->Radius = 3;
    glow->RadiationX = 1;
    glow->RadiationY = 1;

    const TRect base = Measure(plain, s.Canvas(), L"Function");
    const TRect grown = Measure(*glow, s.Canvas(), L"Function");
    EXPECT_EQ(grown.Width(), base.Width() + 7);
    EXPECT_EQ(grown.Height(), base.Height() + 7);

    TRect narrowBase(0, 0, 0, 0);
    plain.CalcTextRect(s.Canvas(), "Function", narrowBase, kFormat);
    TRect narrow(0, 0, 0, 0);
    glow->CalcTextRect(s.Canvas(), "Function", narrow, kFormat);
    EXPECT_EQ(narrow.Width(), narrowBase.Width() + 7);
    EXPECT_EQ(narrow.Height(), narrowBase.Height() + 7);

    // An empty text measures width 0 and gets nothing added.
    const TRect emptyBase = Measure(plain, s.Canvas(), L"");
    const TRect empty = Measure(*glow, s.Canvas(), L"");
    EXPECT_EQ(emptyBase.Width(), 0);
    EXPECT_EQ(empty, emptyBase);
}

TEST(OuterGlowPainter, RadiusZeroDrawsPlainTextInsetByTheOffsetOnly)
{
    Surface withGlow;
    auto glow = gs::CreateOuterGlowTextPainter();
    glow->Opacity = 255;
    glow->Spread = 200;
    glow->Color = 0x00FF00;
    glow->RadiationX = 2;
    glow->RadiationY = 3;
    glow->DrawWideText(withGlow.Canvas(), L"Shortcut", TRect(4, 4, 120, 50), DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
                       false);

    Surface plain;
    gs::GetDefaultTextPainter()->DrawWideText(plain.Canvas(), L"Shortcut", TRect(4, 4, 118, 47),
                                              DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, false);
    EXPECT_EQ(withGlow.Pixels(), plain.Pixels());
}

TEST(RadiatePainter, HaloTakesTheCanvasFontColourWithSystemColoursResolved)
{
    const auto previous = forms::SetSysColorSource([](int index) {
        return index == COLOR_GRAYTEXT ? RGB(0, 0, 200) : RGB(255, 255, 255);
    });
    Surface s;
    s.Canvas().Font().SetColor(forms::clGrayText);
    gs::TextPainterPtr<gs::TRadiateTextPainter> painter(new gs::TRadiateTextPainter);
    painter->Radius = 2;
    painter->DrawWideText(s.Canvas(), L"Grey", TRect(0, 0, 160, 60), kFormat, false);
    forms::SetSysColorSource(previous);
    const std::vector<std::uint8_t> pixels = s.Pixels();
    int blue = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        ASSERT_EQ(pixels[i + 1], 0);
        ASSERT_EQ(pixels[i + 2], 0);
        blue += pixels[i] != 0;
    }
    EXPECT_GT(blue, 20);
}

TEST(OuterGlowPainter, HaloInGlowColourTextInFontColourAndTheFontColourRestored)
{
    Surface s;
    s.Canvas().Font().SetColor(0x0000FF);  // text red
    auto glow = gs::CreateOuterGlowTextPainter();
    glow->Radius = 3;
    glow->Color = 0x00FF00;  // halo green
    glow->DrawWideText(s.Canvas(), L"Keys", TRect(0, 0, 160, 60), kFormat, false);
    EXPECT_EQ(s.Canvas().Font().Color(), 0x0000FFu);

    const std::vector<std::uint8_t> pixels = s.Pixels();
    int green = 0;
    int red = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        ASSERT_EQ(pixels[i], 0);  // neither colour has blue
        green += pixels[i + 1] != 0;
        red += pixels[i + 2] != 0;
    }
    EXPECT_GT(green, red);  // the halo reaches further than the text
    EXPECT_GT(red, 20);
    // The corner lies beyond the halo's reach from the text, which starts at (3, 3).
    EXPECT_EQ(pixels[0], 0);
}

TEST(OuterGlowPainter, BitmapTwinsBlendTheHaloIntoTheBitmap)
{
    Surface s;
    s.bitmap.SetPixelFormat(forms::pf32bit);
    s.Canvas().Font().SetColor(0xFFFFFF);
    auto glow = gs::CreateOuterGlowTextPainter();
    glow->Radius = 2;
    glow->Color = 0xFF0000;  // blue halo
    glow->DrawTextOnBitmap(s.bitmap, "Tab", TRect(10, 10, 150, 55), kFormat, false);
    EXPECT_EQ(s.bitmap.PixelFormat(), forms::pf24bit);  // blending makes the target 24-bit
    int blueOnly = 0;
    int white = 0;
    const std::vector<std::uint8_t> pixels = s.Pixels();
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        blueOnly += pixels[i] != 0 && pixels[i + 1] == 0 && pixels[i + 2] == 0;
        white += pixels[i] == 255 && pixels[i + 1] == 255 && pixels[i + 2] == 255;
    }
    EXPECT_GT(blueOnly, 20);
    EXPECT_GT(white, 5);
    // Left of the rectangle nothing is drawn.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(pixels[(y * 160 + x) * 3], 0);
}

TEST(RadiatePainter, ReleaseEndsTheGlowPainters)
{
    static int ended = 0;
    struct Counted : gs::TOuterGlowTextPainter {
        ~Counted() override { ++ended; }
    };
    gs::TTextPainter* painter = new Counted;
    painter->Release();
    EXPECT_EQ(ended, 1);
}

}  // namespace
