// The Macro Keys page's step pictures: the kind picture clipped to the slot's face both ways, the
// caption in the text field.

#include "MacroSteps.h"
#include "StepFaces.h"
#include "TestPixels.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(StepFaces, KindPictureCoversOnlyWhereItOverlapsTheFace)
{
    // A delay (86 wide) on a slot made for a key (90 wide), and a key on a slot made for a delay.
    const std::pair<int, int> cases[] = {{90, 86}, {86, 90}};
    for (const auto& [faceWidth, kindWidth] : cases) {
        forms::TBitmap face, kind;
        Fill(face, faceWidth, 32, 0xFF102030);
        Fill(kind, kindWidth, 32, 0xFF405060);
        BlendStepFace(face, kind);
        EXPECT_EQ(face.Width(), faceWidth);
        EXPECT_EQ(face.Height(), 32);
        EXPECT_EQ(Colour(face, 85, 31), 0x405060u) << faceWidth;
        EXPECT_EQ(Colour(face, faceWidth - 1, 0), faceWidth > kindWidth ? 0x102030u : 0x405060u) << faceWidth;
    }
}

TEST(StepFaces, CaptionIsWrittenInTheTextFieldOnly)
{
    EXPECT_EQ(StepCaption(MACRO_STEP_DELAY, L"120"), L"120 ms");
    EXPECT_EQ(StepCaption(MACRO_STEP_KEY_DOWN, L"LCtrl"), L"LCtrl");

    forms::TBitmap face, picture;
    Fill(face, 90, 32, 0xFF292929);
    PaintStepPicture(picture, face, MACRO_STEP_KEY_UP, L"WWWWWWWWWWWWWWWW");
    ASSERT_EQ(picture.Width(), 90);
    EXPECT_EQ(picture.PixelFormat(), forms::pf24bit) << "drawn opaque";
    int ink = 0, outside = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 90; ++x) {
            const bool field = x >= 2 && x < 90 - 17 && y >= 8 && y < 24;
            (field ? ink : outside) += Colour(picture, x, y) != 0x292929u;
        }
    EXPECT_GT(ink, 20) << "the text";
    EXPECT_EQ(outside, 0) << "a long text is cut to the field";
    EXPECT_EQ(Colour(face, 40, 16), 0x292929u) << "the face stays as it was";
}

TEST(StepFaces, ASlotDrawnAgainLooksTheSame)
{
    // Kind pictures with half-transparent edges; the slot's face is loaded from the key picture.
    forms::TBitmap key, delay, face;
    Fill(key, 90, 32, 0xFF292929);
    Fill(delay, 86, 32, 0xFF7C171C);
    for (int y = 0; y < 32; ++y) {
        reinterpret_cast<std::uint32_t*>(key.ScanLine(y))[0] = 0x80C0A080;
        reinterpret_cast<std::uint32_t*>(delay.ScanLine(y))[0] = 0x80102040;
    }
    face.Assign(&key);

    forms::TBitmap first, again;
    PaintFilledStep(first, face, key, MACRO_STEP_KEY_DOWN, L"A");
    PaintFilledStep(again, face, delay, MACRO_STEP_DELAY, L"10");
    for (int round = 0; round < 3; ++round) {
        PaintFilledStep(again, face, key, MACRO_STEP_KEY_DOWN, L"A");
        int differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 90; ++x)
                differing += Colour(again, x, y) != Colour(first, x, y);
        EXPECT_EQ(differing, 0) << "round " << round;
    }
    EXPECT_EQ(reinterpret_cast<std::uint32_t*>(face.ScanLine(5))[0], 0x80C0A080u) << "the face is kept as loaded";
}

} // namespace
