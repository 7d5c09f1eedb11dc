#include <windows.h>

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "WindowTestBed.h"
#include "gui/controls/GsImage.h"

using namespace gs;
using controls_test::FillBitmap;

namespace {

constexpr COLORREF kParentColor = 0x00FF00;

class Images : public controls_test::WindowTestBed {
protected:
    void SetUp() override
    {
        WindowTestBed::SetUp();
        host->SetColor(kParentColor);
    }

    GsImage* MakeImage(int left, int top, int width, int height)
    {
        auto* image = new GsImage(host);
        image->SetParent(host);
        image->SetBounds(left, top, width, height);
        return image;
    }

    // Left half transparent red, right half opaque blue.
    static void HalfTransparent(forms::TBitmap& bitmap, int width, int height)
    {
        FillBitmap(bitmap, width, height, 0x0000FF, 0);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = bitmap.ScanLine(y);
            for (int x = width / 2; x < width; ++x) {
                row[4 * x] = 0xFF;
                row[4 * x + 2] = 0;
                row[4 * x + 3] = 255;
            }
        }
    }

    void Redraw()
    {
        host->Repaint();
        Pump();
    }
};

}  // namespace

TEST_F(Images, AlphaChannelBlendsOverTheParentPixelByPixel)
{
    GsImage* image = MakeImage(10, 10, 100, 50);
    HalfTransparent(image->Picture().Bitmap(), 100, 50);
    image->SetAlphaChannel(true);
    Redraw();
    EXPECT_EQ(ScreenPixel(*host, 10 + 20, 10 + 20), kParentColor);
    EXPECT_EQ(ScreenPixel(*host, 10 + 70, 10 + 20), 0xFF0000u);
    EXPECT_EQ(ScreenPixel(*host, 10 + 120, 10 + 20), kParentColor);
}

TEST_F(Images, PartOfAnAlphaPictureRepaintsInPlace)
{
    GsImage* image = MakeImage(10, 10, 100, 50);
    HalfTransparent(image->Picture().Bitmap(), 100, 50);
    image->SetAlphaChannel(true);
    Redraw();
    // A change across the picture's middle repaints only that part, from the matching part of the picture.
    RECT part{10 + 40, 10 + 10, 10 + 60, 10 + 30};
    RedrawWindow(host->Handle(), &part, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    for (const int x : {41, 49, 50, 59})
        EXPECT_EQ(ScreenPixel(*host, 10 + x, 10 + 20), x < 50 ? kParentColor : 0xFF0000u) << x;
}

TEST_F(Images, GlobalAlphaHalvesEveryContributionOnlyWhileAlphaBlendIsOn)
{
    GsImage* image = MakeImage(10, 10, 100, 50);
    HalfTransparent(image->Picture().Bitmap(), 100, 50);
    image->SetAlphaChannel(true);
    Redraw();

    ValidateRect(host->Handle(), nullptr);
    image->SetAlphaValue(128);
    EXPECT_EQ(image->AlphaValue(), 128);
    EXPECT_FALSE(GetUpdateRect(host->Handle(), nullptr, FALSE));
    image->SetAlphaBlend(true);
    EXPECT_TRUE(GetUpdateRect(host->Handle(), nullptr, FALSE));
    Pump();
    // Opaque blue scaled by 128 / 255 with nothing of the parent left (255 times that double lies just
    // below 128); transparent pixels unchanged.
    EXPECT_EQ(ScreenPixel(*host, 10 + 70, 10 + 20), COLORREF{127} << 16);
    EXPECT_EQ(ScreenPixel(*host, 10 + 20, 10 + 20), kParentColor);

    ValidateRect(host->Handle(), nullptr);
    image->SetAlphaValue(64);
    EXPECT_TRUE(GetUpdateRect(host->Handle(), nullptr, FALSE));
}

TEST_F(Images, PictureWithoutAlphaIsStretchedToTheControl)
{
    GsImage* image = MakeImage(10, 10, 50, 25);
    forms::TBitmap& bitmap = image->Picture().Bitmap();
    HalfTransparent(bitmap, 100, 50);
    bitmap.SetPixelFormat(forms::pf24bit);
    image->SetAlphaChannel(true);
    Redraw();
    // The transparent half shows its red: alpha plays no part in a 24-bit picture.
    EXPECT_EQ(ScreenPixel(*host, 10 + 10, 10 + 10), 0x0000FFu);
    EXPECT_EQ(ScreenPixel(*host, 10 + 40, 10 + 20), 0xFF0000u);
    EXPECT_EQ(ScreenPixel(*host, 10 + 55, 10 + 10), kParentColor);

    // The same with the alpha channel off, 32-bit.
    GsImage* plain = MakeImage(100, 100, 50, 25);
    HalfTransparent(plain->Picture().Bitmap(), 100, 50);
    Redraw();
    EXPECT_EQ(ScreenPixel(*host, 100 + 10, 100 + 10), 0x0000FFu);
}

TEST_F(Images, AutoSizeFollowsThePictureButNotAnEmptyOne)
{
    GsImage* image = MakeImage(7, 8, 5, 5);
    image->SetAutoSize(true);
    forms::TBitmap picture;
    FillBitmap(picture, 20, 30, 0x123456);
    image->Picture().Assign(&picture);
    EXPECT_EQ(image->BoundsRect(), forms::TRect(7, 8, 27, 38));

    image->Picture().Bitmap().SetWidth(0);
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 30);

    GsImage* fixed = MakeImage(0, 0, 5, 5);
    fixed->Picture().Assign(&picture);
    EXPECT_EQ(fixed->Width(), 5);
}

TEST_F(Images, EmptyPictureDrawsNothing)
{
    GsImage* image = MakeImage(10, 10, 40, 40);
    image->SetAlphaChannel(true);
    Redraw();
    EXPECT_EQ(ScreenPixel(*host, 30, 30), kParentColor);
    FillBitmap(image->Picture().Bitmap(), 40, 40, 0x0000FF);
    Redraw();
    EXPECT_EQ(ScreenPixel(*host, 30, 30), 0x0000FFu);
}
