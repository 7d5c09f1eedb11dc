#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "WindowTestBed.h"
#include "forms/Color.h"
#include "forms/Exceptions.h"
#include "forms/GdiHandles.h"
#include "gui/controls/GsLabel.h"
#include "gui/controls/GsTextMargins.h"

using namespace gs;

namespace {

int Luminance(COLORREF c)
{
    return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

class Labels : public controls_test::WindowTestBed {
protected:
    void SetUp() override
    {
        WindowTestBed::SetUp();
        host->SetColor(kParent);
    }

    GsLabel* MakeLabel(const std::wstring& caption)
    {
        auto* label = new GsLabel(host);
        label->SetParent(host);
        label->SetBounds(20, 20, 10, 10);
        label->Font().SetName(L"Arial");
        label->Font().SetHeight(-20);
        label->Font().SetColor(0xFFFFFF);
        label->SetTransparent(true);
        label->SetCaption(caption);
        return label;
    }

    // Darkest and brightest luminance inside the label, and the columns where they occur.
    struct Scan {
        int darkest = 255;
        int brightest = 0;
        int firstLit = 1 << 20, lastLit = -1;
        int firstDark = 1 << 20, lastDark = -1;
    };
    Scan ScanLabel(GsLabel& label, int darkBelow, int litAbove)
    {
        host->Repaint();
        Pump();
        Scan scan;
        for (int y = 0; y < label.Height(); ++y) {
            for (int x = 0; x < label.Width(); ++x) {
                const int l = Luminance(ScreenPixel(*host, label.Left() + x, label.Top() + y));
                scan.darkest = std::min(scan.darkest, l);
                scan.brightest = std::max(scan.brightest, l);
                if (l > litAbove) {
                    scan.firstLit = std::min(scan.firstLit, x);
                    scan.lastLit = std::max(scan.lastLit, x);
                }
                if (l < darkBelow) {
                    scan.firstDark = std::min(scan.firstDark, x);
                    scan.lastDark = std::max(scan.lastDark, x);
                }
            }
        }
        return scan;
    }

    static constexpr COLORREF kParent = 0xA0A0A0;
};

// The plain extent of a text in a font, measured on a screen DC.
forms::TRect PlainExtent(forms::TFont& font, const wchar_t* text)
{
    forms::TCanvas canvas;
    forms::WindowDC screen(nullptr);
    canvas.SetHandle(screen.Get());
    canvas.Font().Assign(&font);
    forms::TRect rect(0, 0, 0, 0);
    GetDefaultTextPainter()->CalcWideTextRect(canvas, text, rect, DT_LEFT);
    canvas.SetHandle(nullptr);
    return rect;
}

}  // namespace

TEST_F(Labels, DefaultGlowIsBlackRadiusThreeShiftedRightAndDown)
{
    GsLabel* label = MakeLabel(L"Hi");
    EXPECT_EQ(label->Radiation().Radius(), 3u);
    EXPECT_EQ(label->Radiation().Spread(), 0);
    EXPECT_EQ(label->Radiation().Opacity(), 192);
    EXPECT_EQ(label->Radiation().Color(), 0u);
    EXPECT_EQ(label->Radiation().X(), 1);
    EXPECT_EQ(label->Radiation().Y(), 1);
    EXPECT_TRUE(label->AutoSize());

    const Scan scan = ScanLabel(*label, Luminance(kParent) - 30, 230);
    EXPECT_GT(scan.brightest, 230) << "the caption itself";
    EXPECT_LT(scan.darkest, Luminance(kParent) - 30) << "a dark halo";
    // The halo reaches further right of the text than left of it.
    EXPECT_GE(scan.firstDark, scan.firstLit - 1);
    EXPECT_GE(scan.lastDark, scan.lastLit + 2);
}

TEST_F(Labels, RadiusZeroDrawsOnlyThePlainCaption)
{
    GsLabel* label = MakeLabel(L"Hi");
    label->Radiation().SetRadius(0);
    const Scan scan = ScanLabel(*label, Luminance(kParent) - 3, 230);
    EXPECT_GT(scan.brightest, 230);
    EXPECT_GE(scan.darkest, Luminance(kParent) - 3);
}

TEST_F(Labels, DisabledLabelDrawsPlainGreyText)
{
    const COLORREF dark = 0x303030;
    host->SetColor(dark);
    GsLabel* label = MakeLabel(L"Hi");
    label->SetEnabled(false);
    const int grey = Luminance(forms::ColorToRGB(forms::clGrayText));
    const Scan scan = ScanLabel(*label, Luminance(dark) - 3, grey - 3);
    EXPECT_GE(scan.darkest, Luminance(dark) - 3) << "no halo";
    EXPECT_NEAR(scan.brightest, grey, 3) << "the text in the grey-text colour, not its white font colour";
}

TEST_F(Labels, AutoSizeIncludesTheGlowAndFollowsRadiationChanges)
{
    GsLabel* label = MakeLabel(L"Caption");
    const forms::TRect plain = PlainExtent(label->Font(), L"Caption");
    EXPECT_EQ(label->Width(), plain.Width() + 2 * 3 + 1);
    EXPECT_EQ(label->Height(), plain.Height() + 2 * 3 + 1);
    EXPECT_EQ(label->Left(), 20);

    label->Radiation().SetRadius(5);
    EXPECT_EQ(label->Width(), plain.Width() + 2 * 5 + 1);
    label->Radiation().SetX(4);
    label->Radiation().SetY(0);
    EXPECT_EQ(label->Width(), plain.Width() + 2 * 5 + 4);
    EXPECT_EQ(label->Height(), plain.Height() + 2 * 5);
    EXPECT_EQ(label->GlowPainter().RadiationX, 4);

    // Without AutoSize nothing is re-measured.
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 50, 20);
    label->Radiation().SetRadius(1);
    EXPECT_EQ(label->Width(), 50);
}

TEST_F(Labels, RadiationAssignCopiesIntoTheOtherLabelsPainter)
{
    GsLabel* source = MakeLabel(L"One");
    source->Radiation().SetOpacity(10);
    source->Radiation().SetRadius(0);
    source->Radiation().SetSpread(7);
    source->Radiation().SetColor(0x0000FF);
    source->Radiation().SetX(2);
    source->Radiation().SetY(3);
    GsLabel* dest = MakeLabel(L"One");
    const int before = dest->Width();
    dest->SetRadiation(&source->Radiation());
    EXPECT_EQ(dest->GlowPainter().Opacity, 10);
    EXPECT_EQ(dest->GlowPainter().Radius, 0);
    EXPECT_EQ(dest->GlowPainter().Spread, 7);
    EXPECT_EQ(dest->GlowPainter().Color, 0x0000FFu);
    EXPECT_EQ(dest->GlowPainter().RadiationX, 2);
    EXPECT_EQ(dest->GlowPainter().RadiationY, 3);
    EXPECT_EQ(dest->Width(), before - 6 + 1) << "re-measured";
    EXPECT_NE(&dest->GlowPainter(), &source->GlowPainter());

    GsTextMargins margins;
    EXPECT_THROW(margins.Assign(&source->Radiation()), forms::EInvalidCast);
}
