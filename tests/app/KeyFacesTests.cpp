// Key button faces: the caption layout, the composition over the window picture with the icon
// clipped to the face, and the image library binding.

#include "Fakes.h"
#include "FileIcon.h"
#include "IconformDll.h"
#include "KeyFaces.h"
#include "TestPixels.h"
#include "gui/controls/GsRadioButton.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(KeyFaces, NameIsCentredAndTheIconStandsBeforeIt)
{
    const std::pair<int, KeyCaptionLayout> cases[] = {
        {0, {120, 94}}, {190, {25, -1}}, {191, {24, -2}}, {250, {-5, -31}}, {400, {-80, -106}}, {41, {99, 73}},
    };
    for (const auto& [width, layout] : cases) {
        EXPECT_EQ(KeyCaptionLayoutFor(width).leftMargin, layout.leftMargin) << width;
        EXPECT_EQ(KeyCaptionLayoutFor(width).iconLeft, layout.iconLeft) << width;
    }
}

TEST(KeyFaces, APressedKeyShowsTheSelectedColourAfterEveryRedraw)
{
    gs::GsRadioButton button(nullptr);
    button.Font().SetStyle(forms::fsBold);
    for (const int margin : {40, 12}) { // made, then drawn again
        StyleKeyCaption(button, margin);
        gs::GsRadioButtonOuterGlowTextEffect& effect = button.TextEffect();
        const forms::TColor selected = effect.Checked().Raised().Font().Color();
        const forms::TColor plain = effect.Unchecked().Raised().Font().Color();
        EXPECT_NE(selected, plain);
        EXPECT_EQ(effect.Unchecked().Sunken().Font().Color(), selected) << margin;
        EXPECT_EQ(effect.Unchecked().Hovered().Font().Color(), plain) << margin;
        EXPECT_EQ(effect.Checked().Hovered().Font().Color(), selected) << margin;
        EXPECT_EQ(effect.Unchecked().Sunken().Font().Style(), 0u) << margin;
        EXPECT_EQ(effect.Unchecked().Sunken().OffsetX(), 1) << margin;
        EXPECT_EQ(button.TextMargins().Left(), margin);
    }
}

TEST(KeyFaces, FacesBlendPictureAndIconOverThePatchUnderTheButton)
{
    forms::TBitmap scene, opaque, clear, icon;
    Fill(scene, 300, 200, 0xFF102030);
    reinterpret_cast<std::uint32_t*>(scene.ScanLine(50))[20] = 0xFF0000FF; // the button's top-left pixel
    Fill(opaque, 240, 28, 0xFF00FF00);
    Fill(clear, 240, 28, 0x00000000);
    Fill(icon, 16, 16, 0xFFFF0000);
    forms::TBitmap empty;
    const KeyFacePictures pictures = {&clear, &opaque, &empty, &opaque, &opaque, &opaque};

    // An icon far left of the face: what falls outside is dropped, nothing is written elsewhere.
    const KeyFaceSet faces = ComposeKeyFaces(scene, {20, 50}, pictures, &icon, -10);
    for (const auto& face : faces) {
        ASSERT_EQ(face->Width(), 240);
        ASSERT_EQ(face->Height(), 28);
    }
    EXPECT_EQ(Colour(*faces[0], 0, 0), 0x0000FFu) << "a clear picture shows the patch";
    EXPECT_EQ(Colour(*faces[0], 5, 10), 0xFF0000u) << "the visible part of the icon";
    EXPECT_EQ(Colour(*faces[0], 6, 10), 0x102030u) << "the icon ends at its width";
    EXPECT_EQ(Colour(*faces[0], 3, 5), 0x102030u) << "the icon starts 6 pixels down";
    EXPECT_EQ(Colour(*faces[1], 100, 20), 0x00FF00u);
    EXPECT_EQ(Colour(*faces[2], 100, 20), 0x102030u) << "an empty picture leaves the patch";

    // Without an icon nothing but the picture is drawn.
    const KeyFaceSet plain = ComposeKeyFaces(scene, {20, 50}, pictures, nullptr, 10);
    EXPECT_EQ(Colour(*plain[0], 12, 10), 0x102030u);
}

TEST(KeyFaces, AFaceNearTheSceneEdgeReadsNothingOutsideIt)
{
    forms::TBitmap scene, picture;
    Fill(scene, 100, 40, 0xFF445566);
    Fill(picture, 240, 28, 0x00000000);
    const KeyFacePictures pictures = {&picture, &picture, &picture, &picture, &picture, &picture};
    const KeyFaceSet faces = ComposeKeyFaces(scene, {26, 30}, pictures, nullptr, 0);
    EXPECT_EQ(Colour(*faces[0], 0, 0), 0x445566u);
    EXPECT_EQ(Colour(*faces[0], 100, 20), 0u) << "beyond the scene the patch is black";
}

HBITMAP WINAPI FakeGetBitmapFromIcon(HICON, int width, int height)
{
    return CreateBitmap(width, height, 1, 32, nullptr);
}

TEST(IconformBinding, MissingLibraryWarnsAndAnIncompleteOneDrawsNoIcons)
{
    FakeModuleLoader loader;
    FakeNotifier notifier;
    IconformDll missing(loader, notifier);
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(loader.loads, std::vector<std::wstring>{L"Iconform.dll"}) << "loaded by bare name";
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0], std::make_pair(std::wstring(L"Can't load Iconform.dll"), std::wstring(L"Warning")));

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const IconHandle icon = GetFileIcon(self);
    ASSERT_TRUE(icon) << "a program has an icon";
    EXPECT_FALSE(GetFileIcon(L"C:\\no such folder\\no such file.exe"));
    EXPECT_EQ(missing.GetBitmapFromIcon(icon.Get(), 16, 16), nullptr);

    loader.AddLibrary(L"Iconform.dll", {});
    IconformDll incomplete(loader, notifier);
    EXPECT_FALSE(incomplete.Load());
    EXPECT_EQ(notifier.messages.size(), 1u) << "a library without the entry point is not reported";

    FakeModuleLoader good;
    good.AddLibrary(L"Iconform.dll", {{"GetBitmapFromIcon", AsProc(&FakeGetBitmapFromIcon)}});
    IconformDll bound(good, notifier);
    ASSERT_TRUE(bound.Load());
    EXPECT_EQ(bound.GetBitmapFromIcon(nullptr, 16, 16), nullptr) << "no icon, no call";
    const forms::BitmapHandle bitmap(bound.GetBitmapFromIcon(icon.Get(), 16, 16));
    EXPECT_TRUE(bitmap);
}

} // namespace
