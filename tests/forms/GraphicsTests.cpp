#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "forms/Graphics.h"

using namespace forms;

namespace {

// Counts OnChange notices of anything that has one.

struct Counter {
    int value = 0;
    TNotifyEvent Handler()
    {
        return [this](TObject*) { ++value; };
    }
};

void Fill(TBitmap& bitmap, TColor color)
{
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

COLORREF PixelOf(TBitmap& bitmap, int x, int y)
{
    return ReadPixel(bitmap.View(), x, y);
}

}  // namespace

TEST(Font, DefaultsAndSizeHeightConversion)
{
    TFont font;
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Style(), 0u);
    font.SetPixelsPerInch(96);
    font.SetSize(13);
    EXPECT_EQ(font.Height(), -17);  // -MulDiv(13, 96, 72)
    EXPECT_EQ(font.Size(), 13);
    font.SetPixelsPerInch(120);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -15);
    font.SetHeight(14);  // a positive height is a cell height and passes through
    EXPECT_EQ(font.LogFont().lfHeight, 14);
}

TEST(Font, OnChangeFiresPerChangedSettingAndOnAssign)
{
    TFont font;
    Counter changes;
    font.OnChange = changes.Handler();
    font.SetName(L"Arial");
    font.SetHeight(14);
    font.SetColor(0xD2D2D2);
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes.value, 4);
    font.SetName(L"Arial");
    font.SetHeight(14);
    font.SetColor(0xD2D2D2);
    EXPECT_EQ(changes.value, 4);

    TFont other;
    other.Assign(&font);
    EXPECT_EQ(other.Name(), L"Arial");
    EXPECT_EQ(other.Height(), 14);
    EXPECT_EQ(other.Color(), 0xD2D2D2u);
    EXPECT_EQ(other.Style(), fsBold | fsItalic);
    Counter otherChanges;
    other.OnChange = otherChanges.Handler();
    other.Assign(&font);
    EXPECT_EQ(otherChanges.value, 1);
    EXPECT_EQ(changes.value, 4);  // the source is not told
}

TEST(Font, HandleFollowsTheSettings)
{
    TFont font;
    font.SetName(L"Arial");
    font.SetHeight(-20);
    font.SetStyle(fsBold);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(font.Handle(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
}

TEST(Bitmap, NewBitmapIsEmptyAndDeviceFormat)
{
    TBitmap bitmap;
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
    EXPECT_EQ(bitmap.Handle(), nullptr);
    EXPECT_THROW(bitmap.ScanLine(0), EInvalidGraphicOperation);
}

TEST(Bitmap, ChangeNoticesOfSizeFormatAssignAndDrawing)
{
    TBitmap bitmap;
    Counter changes;
    bitmap.OnChange = changes.Handler();
    bitmap.SetWidth(10);
    bitmap.SetHeight(5);
    EXPECT_EQ(changes.value, 2);
    bitmap.SetSize(10, 5);
    bitmap.SetWidth(10);
    EXPECT_EQ(changes.value, 2);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(changes.value, 3);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(changes.value, 3);

    // Pixel writes and raw GDI calls are silent; canvas methods are not.
    bitmap.ScanLine(2)[0] = 0x12;
    PatBlt(bitmap.Canvas().Handle(), 0, 0, 2, 2, BLACKNESS);
    bitmap.Handle();
    EXPECT_EQ(changes.value, 3);
    Fill(bitmap, clRed);
    EXPECT_EQ(changes.value, 4);

    TBitmap source(3, 3, pf24bit);
    bitmap.Assign(&source);
    EXPECT_EQ(changes.value, 5);
    bitmap.Assign(&bitmap);
    EXPECT_EQ(changes.value, 5);
}

TEST(Bitmap, FormatChangesKeepThePicture)
{
    TBitmap bitmap(4, 3, pf32bit);
    for (int y = 0; y < 3; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < 4; ++x) {
            row[4 * x + 0] = static_cast<std::uint8_t>(10 * x);
            row[4 * x + 1] = static_cast<std::uint8_t>(10 * y);
            row[4 * x + 2] = 200;
            row[4 * x + 3] = 128;
        }
    }
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap.BytesPerPixel(), 3);
    EXPECT_EQ(bitmap.ScanLine(2)[3 * 3 + 0], 30);
    EXPECT_EQ(bitmap.ScanLine(2)[3 * 3 + 1], 20);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(bitmap.ScanLine(1)[4 * 2 + 0], 20);
    EXPECT_EQ(bitmap.ScanLine(1)[4 * 2 + 2], 200);
    EXPECT_EQ(bitmap.ScanLine(1)[4 * 2 + 3], 0);  // alpha went with the 24-bit step
    // The handle is a 32-bit DIB section of the same size.
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap.Handle(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBm.bmWidth, 4);
}

TEST(Bitmap, ResizeKeepsTheTopLeftPart)
{
    TBitmap bitmap(2, 2, pf24bit);
    Fill(bitmap, RGB(1, 2, 3));
    bitmap.SetSize(3, 1);
    EXPECT_EQ(PixelOf(bitmap, 1, 0), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(bitmap, 2, 0), 0u);
}

TEST(Bitmap, ScanLineZeroIsTheTopRowOfWhatWasDrawn)
{
    TBitmap bitmap(8, 6, pf24bit);
    Fill(bitmap, clWhite);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(TRect{0, 0, 8, 1});
    const std::uint8_t* top = bitmap.ScanLine(0);
    EXPECT_EQ(top[0], 0xFF);  // blue byte first
    EXPECT_EQ(top[2], 0x00);
    EXPECT_EQ(bitmap.ScanLine(5)[0], 0xFF);
    EXPECT_EQ(bitmap.ScanLine(5)[2], 0xFF);
}

TEST(Bitmap, HandleCanBeSelectedIntoAnotherDCAfterCanvasDrawing)
{
    TBitmap bitmap(5, 5, pf32bit);
    Fill(bitmap, RGB(10, 20, 30));
    const HBITMAP handle = bitmap.Handle();
    MemoryDC dc(nullptr);
    const HGDIOBJ old = SelectObject(dc.Get(), handle);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(GetPixel(dc.Get(), 4, 4), RGB(10, 20, 30));
    SetPixelV(dc.Get(), 0, 0, RGB(7, 8, 9));
    SelectObject(dc.Get(), old);
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(7, 8, 9));
    // The canvas works again afterwards.
    Fill(bitmap, RGB(1, 1, 1));
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(1, 1, 1));
}

TEST(Bitmap, SetHandleAdoptsABottomUpDib)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    auto* stored = static_cast<std::uint32_t*>(bits);
    stored[0] = 0x80000001;  // bottom-left in storage order
    stored[2] = 0xFF000002;  // top-left

    TBitmap bitmap;
    Counter changes;
    bitmap.OnChange = changes.Handler();
    bitmap.SetHandle(dib);
    EXPECT_EQ(changes.value, 1);
    EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
    std::uint32_t top = 0, bottom = 0;
    std::memcpy(&top, bitmap.ScanLine(0), 4);
    std::memcpy(&bottom, bitmap.ScanLine(1), 4);
    EXPECT_EQ(top, 0xFF000002u);
    EXPECT_EQ(bottom, 0x80000001u);
    // The adopted handle is gone.
    BITMAP probe{};
    EXPECT_EQ(GetObjectW(dib, sizeof(probe), &probe), 0);
}

TEST(Bitmap, SetHandleOfADeviceBitmapGivesDeviceFormat)
{
    WindowDC screen(nullptr);
    const HBITMAP ddb = CreateCompatibleBitmap(screen.Get(), 3, 2);
    {
        MemoryDC dc(screen.Get());
        SelectedObject selected(dc.Get(), ddb);
        SetPixelV(dc.Get(), 2, 1, RGB(50, 60, 70));
    }
    TBitmap bitmap;
    bitmap.SetHandle(ddb);
    EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(PixelOf(bitmap, 2, 1), RGB(50, 60, 70));
}

TEST(Bitmap, AssignCopiesAndNeverShares)
{
    TBitmap source(3, 2, pf32bit);
    Fill(source, RGB(9, 9, 9));
    source.ScanLine(0)[3] = 77;
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.ScanLine(0)[3], 77);
    EXPECT_NE(copy.Handle(), source.Handle());
    Fill(source, RGB(1, 1, 1));
    EXPECT_EQ(PixelOf(copy, 1, 1), RGB(9, 9, 9));
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, TransparentColorIsTheBottomLeftPixelMarked)
{
    TBitmap bitmap(3, 3, pf24bit);
    Fill(bitmap, clWhite);
    bitmap.Canvas().SetPixel(0, 2, RGB(255, 0, 255));
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), 0x02FF00FFu);
    bitmap.SetTransparentColor(clBlack);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clBlack);
}

TEST(Canvas, HandleRealizesBrushAsTextBackground)
{
    TBitmap bitmap(60, 20, pf24bit);
    Fill(bitmap, clWhite);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clBlack);
    canvas.Font().SetColor(clWhite);
    RECT r{0, 0, 60, 20};
    const HDC dc = canvas.Handle();
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    DrawTextW(dc, L"W", -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    // The glyph cell is painted black behind the white text.
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(bitmap, 59, 19), RGB(255, 255, 255));

    canvas.Brush().SetStyle(bsClear);
    EXPECT_EQ(GetBkMode(canvas.Handle()), TRANSPARENT);
}

TEST(Canvas, FontChangesReachTheDC)
{
    TBitmap bitmap(10, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetHeight(-30);
    const int tall = canvas.TextHeight(L"Xg");
    canvas.Font().SetHeight(-10);
    const int small = canvas.TextHeight(L"Xg");
    EXPECT_GT(tall, small);
    canvas.Font().SetColor(0x2730B8);
    EXPECT_EQ(GetTextColor(canvas.Handle()), 0x2730B8u);
}

TEST(Canvas, StretchDrawBetween32BitBitmapsKeepsAlpha)
{
    TBitmap source(2, 2, pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            std::uint8_t* p = source.ScanLine(y) + 4 * x;
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(40 * (x + 2 * y));
            p[3] = static_cast<std::uint8_t>(60 * (x + 2 * y) + 10);
        }
    TBitmap target(4, 4, pf32bit);
    Counter changes;
    target.OnChange = changes.Handler();
    target.Canvas().StretchDraw(TRect{0, 0, 4, 4}, source);
    EXPECT_EQ(changes.value, 1);
    EXPECT_EQ(target.ScanLine(0)[4 * 1 + 3], 10);
    EXPECT_EQ(target.ScanLine(0)[4 * 2 + 3], 70);
    EXPECT_EQ(target.ScanLine(3)[4 * 3 + 3], 190);
    EXPECT_EQ(target.ScanLine(3)[4 * 3 + 0], 120);

    // Draw copies unscaled, alpha bytes included, and leaves the rest alone.
    TBitmap plain(3, 3, pf32bit);
    plain.Canvas().Draw(1, 1, source);
    EXPECT_EQ(plain.ScanLine(2)[4 * 2 + 3], 190);
    EXPECT_EQ(plain.ScanLine(0)[3], 0);
}

TEST(Canvas, CopyRectUsesCopyModeAndReadsTheSourceCanvas)
{
    TBitmap source(4, 4, pf24bit);
    Fill(source, RGB(200, 100, 50));
    TBitmap target(4, 4, pf24bit);
    target.Canvas().CopyRect(TRect{0, 0, 2, 2}, source.Canvas(), TRect{0, 0, 4, 4});
    EXPECT_EQ(PixelOf(target, 1, 1), RGB(200, 100, 50));
    EXPECT_EQ(PixelOf(target, 3, 3), 0u);
    // Another raster operation goes through GDI.
    target.Canvas().SetCopyMode(NOTSRCCOPY);
    target.Canvas().CopyRect(TRect{2, 2, 4, 4}, source.Canvas(), TRect{0, 0, 2, 2});
    EXPECT_EQ(PixelOf(target, 3, 3), RGB(55, 155, 205));
}

TEST(Canvas, CopiesHonourAClipRegionOnTheTarget)
{
    TBitmap source(4, 4, pf24bit);
    Fill(source, RGB(255, 0, 0));
    TBitmap target(4, 4, pf24bit);
    const HDC dc = target.Canvas().Handle();
    RegionHandle clip(CreateRectRgn(0, 0, 2, 4));
    SelectClipRgn(dc, clip.Get());
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(PixelOf(target, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(target, 2, 1), 0u);
}

TEST(Canvas, BindsToAForeignDCAndLetsGo)
{
    TBitmap bitmap(4, 4, pf24bit);
    MemoryDC dc(nullptr);
    const HGDIOBJ oldBitmap = SelectObject(dc.Get(), bitmap.Handle());
    const HGDIOBJ originalFont = GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        TCanvas canvas;
        canvas.SetHandle(dc.Get());
        canvas.Brush().SetColor(RGB(0, 0, 255));
        canvas.FillRect(TRect{0, 0, 4, 4});
        EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), originalFont);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), originalFont);
    }
    SelectObject(dc.Get(), oldBitmap);
    EXPECT_EQ(PixelOf(bitmap, 3, 3), RGB(0, 0, 255));
}

TEST(Picture, BitmapIsMadeOnDemandAndItsChangesAreReported)
{
    TPicture picture;
    Counter changes;
    picture.OnChange = changes.Handler();
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    picture.Bitmap().SetSize(20, 30);
    EXPECT_EQ(changes.value, 1);
    EXPECT_EQ(picture.Width(), 20);
    EXPECT_EQ(picture.Height(), 30);

    TBitmap other(5, 6, pf32bit);
    picture.Assign(&other);
    EXPECT_EQ(changes.value, 2);
    EXPECT_EQ(picture.Bitmap().PixelFormat(), pf32bit);

    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_NE(&copy.Bitmap(), &picture.Bitmap());

    TBitmap target;
    target.Assign(&picture);  // a picture copies itself into a bitmap
    EXPECT_EQ(target.Height(), 6);
}

TEST(Icon, MissingFileIsAFileOpenError)
{
    TIcon icon;
    try {
        icon.LoadFromFile(L"C:\\no\\such\\ap.ico");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot open file \"C:\\no\\such\\ap.ico\". ", 0), 0u);
    }
    EXPECT_TRUE(icon.Empty());
}

TEST(Icon, AssignMakesAnIconOfItsOwn)
{
    TIcon icon;
    Counter changes;
    icon.OnChange = changes.Handler();
    icon.SetHandle(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(changes.value, 1);
    EXPECT_GT(icon.Width(), 0);
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), nullptr);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), icon.Width());
}
