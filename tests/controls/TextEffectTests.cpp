#include <windows.h>

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "forms/Bitmap.h"
#include "forms/Color.h"
#include "forms/Exceptions.h"
#include "gui/controls/GsButtonOuterGlowTextEffect.h"
#include "gui/controls/GsCheckBoxOuterGlowTextEffect.h"
#include "gui/controls/GsRadioButtonOuterGlowTextEffect.h"
#include "gui/controls/GsTextMargins.h"
#include "gui/controls/GsTextRadiationEffect.h"

using namespace gs;
using controls_test::FillBitmap;
using controls_test::PixelAt;

namespace {

struct ChangeCounter {
    int count = 0;
    forms::TObject* lastSender = nullptr;
    forms::TNotifyEvent Handler()
    {
        return [this](forms::TObject* sender) {
            ++count;
            lastSender = sender;
        };
    }
};

}  // namespace

TEST(TextRadiationEffect, SettersReportOnlyRealChanges)
{
    ChangeCounter changes;
    GsTextRadiationEffect effect(changes.Handler());
    effect.SetOpacity(255);
    effect.SetRadius(0);
    effect.SetColor(0xBFFFFF);
    effect.SetOffsetX(0);
    EXPECT_EQ(changes.count, 0);

    effect.SetOpacity(160);
    effect.SetRadius(3);
    effect.SetSpread(9);
    effect.SetColor(0x102030);
    effect.SetRadiationX(1);
    effect.SetRadiationY(2);
    effect.SetOffsetX(-1);
    effect.SetOffsetY(4);
    EXPECT_EQ(changes.count, 8);
    EXPECT_EQ(changes.lastSender, &effect);
    // The glow settings live in the glow painter.
    EXPECT_EQ(effect.GlowPainter().Radius, 3);

    forms::TFont font;
    font.SetName(L"Arial");
    effect.SetFont(&font);
    EXPECT_EQ(changes.count, 9);
    EXPECT_EQ(effect.Font().Name(), L"Arial");
    effect.SetFont(&effect.Font());
    EXPECT_EQ(changes.count, 9);
}

TEST(TextRadiationEffect, AssignCopiesAllNineSettingsAndReportsOnce)
{
    GsTextRadiationEffect source;
    source.SetOpacity(10);
    source.SetRadius(2);
    source.SetSpread(20);
    source.SetColor(0x123456);
    source.SetRadiationX(3);
    source.SetRadiationY(4);
    source.SetOffsetX(5);
    source.SetOffsetY(6);
    source.Font().SetHeight(-20);
    source.Font().SetColor(0x00FF00);

    ChangeCounter changes;
    GsTextRadiationEffect dest(changes.Handler());
    dest.Assign(&source);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(dest.Opacity(), 10);
    EXPECT_EQ(dest.Radius(), 2u);
    EXPECT_EQ(dest.Spread(), 20);
    EXPECT_EQ(dest.Color(), 0x123456u);
    EXPECT_EQ(dest.RadiationX(), 3);
    EXPECT_EQ(dest.RadiationY(), 4);
    EXPECT_EQ(dest.OffsetX(), 5);
    EXPECT_EQ(dest.OffsetY(), 6);
    EXPECT_EQ(dest.Font().Height(), -20);
    EXPECT_EQ(dest.Font().Color(), 0x00FF00u);
    EXPECT_NE(&dest.Font(), &source.Font());
}

TEST(TextRadiationEffect, AssignAcrossClassesFailsAndCopiesNothing)
{
    GsTextMargins margins;
    margins.SetLeft(7);
    GsTextRadiationEffect effect;
    effect.SetOffsetX(3);
    EXPECT_THROW(effect.Assign(&margins), forms::EInvalidCast);
    EXPECT_EQ(effect.OffsetX(), 3);
    EXPECT_THROW(margins.Assign(&effect), forms::EInvalidCast);
    EXPECT_EQ(margins.Left(), 7);
}

TEST(TextMargins, EveryWriteReportsAndAssignCopiesAllFour)
{
    ChangeCounter changes;
    GsTextMargins margins;
    margins.OnChange = changes.Handler();
    margins.SetLeft(0);
    EXPECT_EQ(changes.count, 1);
    margins.SetRight(2);
    margins.SetTop(3);
    margins.SetBottom(4);
    EXPECT_EQ(changes.count, 4);

    ChangeCounter copyChanges;
    GsTextMargins copy;
    copy.OnChange = copyChanges.Handler();
    margins.SetLeft(1);
    copy.Assign(&margins);
    EXPECT_EQ(copyChanges.count, 1);
    EXPECT_EQ(copy.Left(), 1);
    EXPECT_EQ(copy.Right(), 2);
    EXPECT_EQ(copy.Top(), 3);
    EXPECT_EQ(copy.Bottom(), 4);
}

TEST(ButtonTextEffect, PainterByDrawStateWithRaisedForUnknownStates)
{
    GsButtonOuterGlowTextEffect effect;
    for (int state : {0, 7, -1})
        EXPECT_EQ(effect.GetPainter(0, state), effect.Raised().GetTextPainter()) << state;
    EXPECT_EQ(effect.GetPainter(0, 1), effect.Sunken().GetTextPainter());
    EXPECT_EQ(effect.GetPainter(0, 3), effect.Disabled().GetTextPainter());
    EXPECT_EQ(effect.GetPainter(0, 5), effect.Active().GetTextPainter());
    // The check state plays no part.
    EXPECT_EQ(effect.GetPainter(1, 2), effect.Hovered().GetTextPainter());
    EXPECT_NE(effect.GetPainter(0, 2), effect.GetPainter(0, 0));
}

TEST(ButtonTextEffect, StatesAreCopiesOfRaisedWhenFirstUsedAndSeparateAfterwards)
{
    GsButtonOuterGlowTextEffect effect;
    effect.Raised().SetOpacity(160);
    effect.Raised().Font().SetColor(0x112233);
    effect.GetPainter(0, 2);
    EXPECT_EQ(effect.Hovered().Opacity(), 160);
    EXPECT_EQ(effect.Hovered().Font().Color(), 0x112233u);
    effect.Raised().SetOpacity(100);
    EXPECT_EQ(effect.Hovered().Opacity(), 160);
    EXPECT_EQ(effect.Focused().Opacity(), 100);
    EXPECT_EQ(effect.Active().Opacity(), 100);
}

TEST(ButtonTextEffect, SunkenTakesOnlyTheFontAndDisabledTurnsGrey)
{
    GsButtonOuterGlowTextEffect effect;
    effect.Raised().SetOpacity(10);
    effect.Raised().SetColor(0x010203);
    effect.Raised().SetRadius(3);
    effect.Raised().Font().SetName(L"Arial");
    effect.Raised().Font().SetColor(0x445566);
    EXPECT_EQ(effect.Sunken().Font().Name(), L"Arial");
    EXPECT_EQ(effect.Sunken().Font().Color(), 0x445566u);
    EXPECT_EQ(effect.Sunken().Opacity(), 255);
    EXPECT_EQ(effect.Sunken().Color(), 0xBFFFFFu);
    EXPECT_EQ(effect.Sunken().Radius(), 0u);

    EXPECT_EQ(effect.Disabled().Opacity(), 10);
    EXPECT_EQ(effect.Disabled().Radius(), 3u);
    EXPECT_EQ(effect.Disabled().Font().Color(), 0xFF000011u);
    EXPECT_EQ(effect.Disabled().Font().Color(), forms::clGrayText);
}

TEST(ButtonTextEffect, ChangesDeepInsideReachTheFamilyHandler)
{
    ChangeCounter changes;
    GsButtonOuterGlowTextEffect effect(changes.Handler());
    effect.Sunken();  // only a font copy: no notice
    EXPECT_EQ(changes.count, 0);
    effect.Hovered();  // a full copy ends with a notice
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(changes.lastSender, &effect);
    effect.Hovered().SetOpacity(1);
    EXPECT_EQ(changes.count, 2);
    effect.Raised().SetOpacity(1);
    EXPECT_EQ(changes.count, 3);
}

TEST(ButtonTextEffect, RaisedWriterCopiesAndKeepsItsOwnEffect)
{
    GsButtonOuterGlowTextEffect effect;
    GsTextRadiationEffect* owned = &effect.Raised();
    {
        GsTextRadiationEffect other;
        other.SetOpacity(42);
        other.SetOffsetX(1);
        effect.SetRaised(&other);
    }  // the caller's object goes; the effect must not hold it
    EXPECT_EQ(&effect.Raised(), owned);
    EXPECT_EQ(effect.Raised().Opacity(), 42);
    EXPECT_EQ(effect.Raised().OffsetX(), 1);
    effect.SetRaised(owned);
    EXPECT_EQ(&effect.Raised(), owned);

    GsTextRadiationEffect hovered;
    hovered.SetRadius(5);
    effect.SetHovered(&hovered);
    EXPECT_EQ(effect.Hovered().Radius(), 5u);
    EXPECT_NE(&effect.Hovered(), &hovered);
}

TEST(ButtonTextEffect, AssignMakesAllSixStatesOnBothSides)
{
    GsButtonOuterGlowTextEffect source;
    source.Raised().SetOpacity(50);
    GsButtonOuterGlowTextEffect dest;
    dest.Assign(&source);
    // Every state of the source was made at the time of the copy.
    source.Raised().SetOpacity(60);
    EXPECT_EQ(source.Hovered().Opacity(), 50);
    EXPECT_EQ(source.Sunken().Opacity(), 255);
    EXPECT_EQ(dest.Raised().Opacity(), 50);
    EXPECT_EQ(dest.Hovered().Opacity(), 50);
    EXPECT_EQ(dest.Disabled().Font().Color(), forms::clGrayText);
    EXPECT_NE(&dest.Hovered(), &source.Hovered());
}

TEST(RadioTextEffect, CheckedIsMadeAsACopyOfUncheckedWithAllStates)
{
    GsRadioButtonOuterGlowTextEffect effect;
    effect.Unchecked().Raised().SetOpacity(70);
    effect.Unchecked().Raised().Font().SetColor(0x8D8D8D);
    TTextPainter* painter = effect.GetPainter(1, 3);
    EXPECT_EQ(painter, effect.Checked().Disabled().GetTextPainter());
    EXPECT_EQ(effect.Checked().Disabled().Font().Color(), forms::clGrayText);
    EXPECT_EQ(effect.Checked().Raised().Opacity(), 70);
    EXPECT_EQ(effect.Checked().Raised().Font().Color(), 0x8D8D8Du);

    // The copy made every Unchecked state then, so later Raised changes reach none of them.
    effect.Unchecked().Raised().SetOpacity(80);
    EXPECT_EQ(effect.Unchecked().Hovered().Opacity(), 70);
    EXPECT_EQ(effect.Unchecked().Active().Opacity(), 70);
    EXPECT_EQ(effect.Checked().Raised().Opacity(), 70);

    // Check states other than 1 use Unchecked.
    EXPECT_EQ(effect.GetPainter(0, 2), effect.Unchecked().Hovered().GetTextPainter());
    EXPECT_EQ(effect.GetPainter(2, 2), effect.Unchecked().Hovered().GetTextPainter());
}

TEST(RadioTextEffect, ChangeInAStateReachesTheRadioHandler)
{
    ChangeCounter changes;
    GsRadioButtonOuterGlowTextEffect effect(changes.Handler());
    effect.Unchecked().Raised().SetRadius(2);
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(changes.lastSender, &effect);
    const int before = changes.count;
    effect.Checked().Hovered().SetOpacity(3);
    EXPECT_GT(changes.count, before);
    EXPECT_EQ(changes.lastSender, &effect);
}

TEST(RadioTextEffect, WritersAndAssignCopyIntoTheHeldFamilies)
{
    GsRadioButtonOuterGlowTextEffect effect;
    GsButtonOuterGlowTextEffect* unchecked = &effect.Unchecked();
    GsButtonOuterGlowTextEffect given;
    given.Raised().SetOpacity(33);
    effect.SetChecked(&given);
    effect.SetUnchecked(&given);
    EXPECT_EQ(&effect.Unchecked(), unchecked);
    EXPECT_EQ(effect.Checked().Raised().Opacity(), 33);
    EXPECT_EQ(effect.Unchecked().Raised().Opacity(), 33);

    GsRadioButtonOuterGlowTextEffect copy;
    copy.Assign(&effect);
    EXPECT_EQ(copy.Checked().Raised().Opacity(), 33);
    EXPECT_NE(&copy.Checked(), &effect.Checked());

    GsCheckBoxOuterGlowTextEffect other;
    EXPECT_THROW(other.Assign(&effect), forms::EInvalidCast);
}

TEST(CheckBoxTextEffect, GrayedIsGreyOnItsRaisedStateOnly)
{
    GsCheckBoxOuterGlowTextEffect effect;
    effect.Unchecked().Raised().Font().SetColor(0xD2D2D2);
    effect.Unchecked().Hovered().Font().SetColor(0xFFFFFF);
    EXPECT_EQ(effect.GetPainter(2, 0), effect.Grayed().Raised().GetTextPainter());
    EXPECT_EQ(effect.Grayed().Raised().Font().Color(), 0x808080u);
    EXPECT_EQ(effect.Grayed().Hovered().Font().Color(), 0xFFFFFFu);
    EXPECT_EQ(effect.Grayed().Disabled().Font().Color(), forms::clGrayText);
    EXPECT_EQ(effect.Grayed().Sunken().Font().Color(), 0xD2D2D2u);
    // Checked is an unchanged copy.
    EXPECT_EQ(effect.GetPainter(1, 0), effect.Checked().Raised().GetTextPainter());
    EXPECT_EQ(effect.Checked().Raised().Font().Color(), 0xD2D2D2u);
    EXPECT_EQ(effect.GetPainter(0, 5), effect.Unchecked().Active().GetTextPainter());
}

TEST(CheckBoxTextEffect, AssignCopiesAllThreeFamilies)
{
    GsCheckBoxOuterGlowTextEffect source;
    source.Unchecked().Raised().SetSpread(5);
    source.Checked().Raised().SetSpread(6);
    GsCheckBoxOuterGlowTextEffect dest;
    dest.Assign(&source);
    EXPECT_EQ(dest.Unchecked().Raised().Spread(), 5);
    EXPECT_EQ(dest.Checked().Raised().Spread(), 6);
    EXPECT_EQ(dest.Grayed().Raised().Spread(), 5);
    EXPECT_EQ(dest.Grayed().Raised().Font().Color(), 0x808080u);
}

TEST(EffectPainter, LeavesTheTargetCanvasWithTheEffectFont)
{
    GsTextRadiationEffect effect;
    effect.Font().SetName(L"Arial");
    effect.Font().SetHeight(-17);
    effect.Font().SetColor(0x00FF00);
    forms::TBitmap bitmap;
    FillBitmap(bitmap, 40, 20, 0);
    bitmap.Canvas().Font().SetName(L"Courier New");
    effect.GetTextPainter()->DrawWideText(bitmap.Canvas(), L"Ab", forms::TRect(0, 0, 40, 20), DT_LEFT, false);
    EXPECT_EQ(bitmap.Canvas().Font().Name(), L"Arial");
    EXPECT_EQ(bitmap.Canvas().Font().Height(), -17);
    EXPECT_EQ(bitmap.Canvas().Font().Color(), 0x00FF00u);

    forms::TRect measured(0, 0, 0, 0);
    effect.SetRadius(3);
    effect.SetRadiationX(1);
    effect.SetRadiationY(1);
    forms::TRect plain(0, 0, 0, 0);
    bitmap.Canvas().Font().Assign(&effect.Font());
    GetDefaultTextPainter()->CalcWideTextRect(bitmap.Canvas(), L"Ab", plain, DT_LEFT);
    bitmap.Canvas().Font().SetName(L"Courier New");
    effect.GetTextPainter()->CalcWideTextRect(bitmap.Canvas(), L"Ab", measured, DT_LEFT);
    EXPECT_EQ(measured.Width(), plain.Width() + 7);
    EXPECT_EQ(measured.Height(), plain.Height() + 7);
}

TEST(EffectPainter, OffsetCaptionIsShiftedAndCutToTheRectangle)
{
    const forms::TRect rect(10, 5, 40, 25);
    const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP;
    const wchar_t* text = L"WWWWWWWW";  // far wider than the rectangle

    GsTextRadiationEffect plain;
    plain.Font().SetName(L"Arial");
    plain.Font().SetHeight(-14);
    plain.Font().SetColor(0xFFFFFF);
    forms::TBitmap unshifted;
    FillBitmap(unshifted, 60, 32, 0);
    unshifted.SetPixelFormat(forms::pf24bit);
    plain.GetTextPainter()->DrawWideTextOnBitmap(unshifted, text, rect, format, false);

    GsTextRadiationEffect offset;
    offset.Assign(&plain);
    offset.SetOffsetX(1);
    offset.SetOffsetY(1);
    forms::TBitmap shifted;
    FillBitmap(shifted, 60, 32, 0);
    shifted.SetPixelFormat(forms::pf24bit);
    offset.GetTextPainter()->DrawWideTextOnBitmap(shifted, text, rect, format, false);

    int lit = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t got = PixelAt(shifted, x, y);
            if (!rect.Contains(forms::TPoint(x, y))) {
                ASSERT_EQ(got, 0u) << "drawn outside the rectangle at " << x << "," << y;
            } else if (x > rect.Left && y > rect.Top) {
                ASSERT_EQ(got, PixelAt(unshifted, x - 1, y - 1)) << x << "," << y;
                lit += got != 0;
            } else {
                ASSERT_EQ(got, 0u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(lit, 20);
}
