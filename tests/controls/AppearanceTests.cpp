#include <gtest/gtest.h>

#include <vector>

#include "TestBitmaps.h"
#include "forms/Exceptions.h"
#include "gui/controls/GsButtonAppearance.h"
#include "gui/controls/GsCheckBoxAppearance.h"
#include "gui/controls/GsRadioButtonAppearance.h"

using namespace gs;
using controls_test::FillBitmap;
using controls_test::PixelAt;

namespace {

struct Notices {
    std::vector<int> indexes;
    forms::TObject* lastSender = nullptr;
    GsAppearanceChangeEvent Handler()
    {
        return [this](forms::TObject* sender, int index) {
            indexes.push_back(index);
            lastSender = sender;
        };
    }
};

void Load(forms::TBitmap* target, int width, int height, std::uint32_t color)
{
    FillBitmap(*target, width, height, color);
}

int IndexOf(GsCtrlAppearance& appearance, int checkState, int drawState, forms::TBitmap** bitmap = nullptr)
{
    int index = -99;
    forms::TBitmap* result = appearance.GetBitmap(checkState, drawState, index);
    if (bitmap)
        *bitmap = result;
    return index;
}

}  // namespace

TEST(ButtonAppearance, FallbackChainWithRaisedAndHovered)
{
    GsButtonAppearance appearance;
    Load(appearance.Raised(), 4, 4, 0x0000FF);
    Load(appearance.Hovered(), 4, 4, 0x00FF00);
    forms::TBitmap* bitmap = nullptr;
    EXPECT_EQ(IndexOf(appearance, 0, dsSunken, &bitmap), 2);
    EXPECT_EQ(bitmap, appearance.Hovered());
    EXPECT_EQ(IndexOf(appearance, 0, dsFocused), 2);
    EXPECT_EQ(IndexOf(appearance, 0, dsActive), 2);
    EXPECT_EQ(IndexOf(appearance, 0, dsHovered), 2);
    EXPECT_EQ(IndexOf(appearance, 0, dsDisabled, &bitmap), 0);
    EXPECT_EQ(bitmap, appearance.Raised());
    EXPECT_EQ(IndexOf(appearance, 0, dsRaised), 0);
}

TEST(ButtonAppearance, OnlyRaisedAndOutOfRangeStates)
{
    GsButtonAppearance appearance;
    Load(appearance.Raised(), 4, 4, 0x0000FF);
    for (int state : {0, 1, 2, 3, 4, 5, 6, 7, -1, 1000}) {
        forms::TBitmap* bitmap = nullptr;
        EXPECT_EQ(IndexOf(appearance, 0, state, &bitmap), 0) << state;
        EXPECT_EQ(bitmap, appearance.Raised()) << state;
    }
    Load(appearance.Active(), 4, 4, 0x00FF00);
    EXPECT_EQ(IndexOf(appearance, 0, dsActive), 5);
    EXPECT_EQ(IndexOf(appearance, 0, dsFocused), 0);
}

TEST(ButtonAppearance, AllEmptyEndsAtTheEmptyRaisedBitmap)
{
    GsButtonAppearance appearance;
    forms::TBitmap* bitmap = nullptr;
    EXPECT_EQ(IndexOf(appearance, 0, dsActive, &bitmap), 0);
    EXPECT_EQ(bitmap, appearance.Raised());
    EXPECT_TRUE(bitmap->Empty());
    // A zero-height picture counts as empty.
    appearance.Hovered()->SetPixelFormat(forms::pf32bit);
    appearance.Hovered()->SetWidth(5);
    EXPECT_EQ(IndexOf(appearance, 0, dsSunken), 0);
}

TEST(ButtonAppearance, NoticesCarryTheBitmapIndex)
{
    Notices notices;
    GsButtonAppearance appearance(notices.Handler());
    Load(appearance.Disabled(), 3, 3, 0);
    ASSERT_FALSE(notices.indexes.empty());
    for (int index : notices.indexes)
        EXPECT_EQ(index, 3);
    EXPECT_EQ(notices.lastSender, &appearance);

    notices.indexes.clear();
    forms::TBitmap picture;
    FillBitmap(picture, 8, 6, 0x123456);
    appearance.SetHovered(&picture);
    ASSERT_FALSE(notices.indexes.empty());
    EXPECT_EQ(notices.indexes.back(), 2);
    EXPECT_NE(appearance.Hovered(), &picture);
    EXPECT_EQ(appearance.Hovered()->Width(), 8);
    EXPECT_EQ(PixelAt(*appearance.Hovered(), 7, 5), 0x123456u);
    // The property write reports even when the copy changes nothing.
    notices.indexes.clear();
    appearance.SetHovered(appearance.Hovered());
    EXPECT_EQ(notices.indexes, std::vector<int>{2});
}

TEST(ButtonAppearance, AssignCopiesPicturesAndNotifiesTheDestination)
{
    GsButtonAppearance source;
    Load(source.Raised(), 2, 2, 0x0000FF);
    Load(source.Active(), 3, 3, 0x00FF00);
    Notices notices;
    GsButtonAppearance dest(notices.Handler());
    dest.Assign(&source);
    EXPECT_NE(dest.Raised(), source.Raised());
    EXPECT_EQ(PixelAt(*dest.Raised(), 1, 1), 0x0000FFu);
    EXPECT_EQ(dest.Active()->Width(), 3);
    EXPECT_TRUE(dest.Hovered()->Empty());
    EXPECT_NE(std::find(notices.indexes.begin(), notices.indexes.end(), 0), notices.indexes.end());
    EXPECT_NE(std::find(notices.indexes.begin(), notices.indexes.end(), 5), notices.indexes.end());

    GsRadioButtonAppearance radio;
    EXPECT_THROW(radio.Assign(&source), forms::EInvalidCast);
    EXPECT_THROW(dest.Assign(&radio), forms::EInvalidCast);
}

TEST(RadioAppearance, CheckedSetWithItsOwnFallback)
{
    GsRadioButtonAppearance appearance;
    Load(appearance.Unchecked()->Raised(), 4, 4, 0x0000FF);
    Load(appearance.Unchecked()->Hovered(), 4, 4, 0x00FF00);
    Load(appearance.Checked()->Raised(), 4, 4, 0xFF0000);
    forms::TBitmap* bitmap = nullptr;
    EXPECT_EQ(IndexOf(appearance, 1, dsHovered, &bitmap), 6);
    EXPECT_EQ(bitmap, appearance.Checked()->Raised());
    EXPECT_EQ(IndexOf(appearance, 0, dsHovered, &bitmap), 2);
    EXPECT_EQ(bitmap, appearance.Unchecked()->Hovered());
    EXPECT_EQ(IndexOf(appearance, 0, dsSunken), 2);
    // Check state 2 takes the Unchecked set.
    EXPECT_EQ(IndexOf(appearance, 2, dsHovered), 2);

    // A wholly empty Checked set gives the Unchecked bitmap with its fallback, not raised by 6.
    appearance.Checked()->Raised()->SetSize(0, 0);
    EXPECT_EQ(IndexOf(appearance, 1, dsSunken, &bitmap), 2);
    EXPECT_EQ(bitmap, appearance.Unchecked()->Hovered());
    EXPECT_EQ(IndexOf(appearance, 1, dsDisabled), 0);
}

TEST(RadioAppearance, NoticesOfTheCheckedSetAreRaisedBySix)
{
    Notices notices;
    GsRadioButtonAppearance appearance(notices.Handler());
    Load(appearance.Checked()->Sunken(), 2, 2, 0);
    ASSERT_FALSE(notices.indexes.empty());
    EXPECT_EQ(notices.indexes.back(), 7);
    EXPECT_EQ(notices.lastSender, &appearance);
    Load(appearance.Unchecked()->Focused(), 2, 2, 0);
    EXPECT_EQ(notices.indexes.back(), 4);
}

TEST(RadioAppearance, AssignKeepsEachSideItsOwnSets)
{
    GsRadioButtonAppearance source;
    Load(source.Unchecked()->Raised(), 5, 2, 0x0000FF);
    Load(source.Checked()->Hovered(), 6, 2, 0x00FF00);
    GsRadioButtonAppearance dest;
    GsButtonAppearance* destUnchecked = dest.Unchecked();
    GsButtonAppearance* destChecked = dest.Checked();
    dest.Assign(&source);
    EXPECT_EQ(dest.Unchecked(), destUnchecked);
    EXPECT_EQ(dest.Checked(), destChecked);
    EXPECT_NE(dest.Unchecked(), source.Unchecked());
    EXPECT_EQ(dest.Unchecked()->Raised()->Width(), 5);
    EXPECT_EQ(PixelAt(*dest.Checked()->Hovered(), 5, 1), 0x00FF00u);

    // Writing a set copies it in as well.
    GsButtonAppearance loose;
    Load(loose.Raised(), 9, 9, 0);
    dest.SetChecked(&loose);
    EXPECT_EQ(dest.Checked(), destChecked);
    EXPECT_EQ(dest.Checked()->Raised()->Width(), 9);
}

TEST(CheckBoxAppearance, GraySetIsReportedButAGrayedBoxShowsUnchecked)
{
    Notices notices;
    GsCheckBoxAppearance appearance(notices.Handler());
    Load(appearance.Gray()->Raised(), 2, 2, 0x808080);
    EXPECT_EQ(notices.indexes.back(), 12);
    Load(appearance.Gray()->Active(), 2, 2, 0x808080);
    EXPECT_EQ(notices.indexes.back(), 17);
    Load(appearance.Checked()->Raised(), 2, 2, 0xFF0000);
    EXPECT_EQ(notices.indexes.back(), 6);
    Load(appearance.Unchecked()->Raised(), 2, 2, 0x0000FF);
    EXPECT_EQ(notices.indexes.back(), 0);

    forms::TBitmap* bitmap = nullptr;
    EXPECT_EQ(IndexOf(appearance, 2, dsRaised, &bitmap), 0);
    EXPECT_EQ(bitmap, appearance.Unchecked()->Raised());
    EXPECT_EQ(IndexOf(appearance, 1, dsHovered, &bitmap), 6);
    EXPECT_EQ(bitmap, appearance.Checked()->Raised());
}

TEST(CheckBoxAppearance, AssignCopiesAllThreeSets)
{
    GsCheckBoxAppearance source;
    Load(source.Gray()->Disabled(), 3, 1, 0x101010);
    GsCheckBoxAppearance dest;
    dest.Assign(&source);
    EXPECT_EQ(dest.Gray()->Disabled()->Width(), 3);
    EXPECT_NE(dest.Gray(), source.Gray());
}
