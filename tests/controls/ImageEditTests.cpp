#include <windows.h>

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "TestPng.h"
#include "WindowTestBed.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsImage.h"

using controls_test::FillBitmap;

namespace {

// Blue 0x30, green 0x20, red 0x10 as 0xAABBGGRR.
constexpr std::uint32_t kEnabledCentre = 0xFF302010;
constexpr std::uint32_t kDisabledCentre = 0xFF404040;

class ImageEdits : public controls_test::WindowTestBed {
protected:
    void SetUp() override
    {
        WindowTestBed::SetUp();
        folder = controls_test::ScratchFolder();
        enabledPath = folder + L"edit_n.png";
        disabledPath = folder + L"edit_un.png";
        WritePicture(enabledPath, 200, 30, 0xFFFFFFFF, kEnabledCentre);
        WritePicture(disabledPath, 200, 30, 0xFF808080, kDisabledCentre);
    }

    void TearDown() override
    {
        for (const wchar_t* name : {L"edit_n.png", L"edit_un.png", L"broken.png"})
            DeleteFileW((folder + name).c_str());
        RemoveDirectoryW(folder.c_str());
        WindowTestBed::TearDown();
    }

    // A frame of one colour around an inner area of another.
    static void WritePicture(const std::wstring& path, int width, int height, std::uint32_t frame, std::uint32_t inner)
    {
        std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height), frame);
        for (int y = 3; y < height - 3; ++y)
            for (int x = 3; x < width - 3; ++x)
                pixels[static_cast<size_t>(y * width + x)] = inner;
        controls_test::WriteRgbaPng(path, width, height, pixels);
    }

    CImageEditBase* MakeEdit()
    {
        auto* edit = new CImageEditBase(host);
        edit->SetWidth(77);
        edit->SetHeight(15);
        return edit;
    }

    std::wstring folder;
    std::wstring enabledPath;
    std::wstring disabledPath;
};

}  // namespace

TEST_F(ImageEdits, StartsHiddenBorderlessAndWithoutPicture)
{
    CImageEditBase* edit = MakeEdit();
    EXPECT_EQ(edit->Parent(), host);
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(edit->BorderStyle(), forms::bsNone);
    EXPECT_EQ(edit->RealWidth(), 77);
    EXPECT_EQ(edit->RealHeight(), 15);
    // Before SetImages a position is only stored.
    edit->SetRealLeft(30);
    EXPECT_EQ(edit->RealLeft(), 30);
    EXPECT_EQ(edit->Left(), 0);
}

TEST_F(ImageEdits, EditIsLaidOverTheInnerAreaOfThePicture)
{
    CImageEditBase* edit = MakeEdit();
    edit->SetImages(6, 6, enabledPath, L"");
    gs::GsImage* image = edit->BackgroundImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Parent(), host);
    EXPECT_EQ(image->Owner(), host);
    EXPECT_TRUE(image->AlphaChannel());
    EXPECT_EQ(edit->RealWidth(), 200);
    EXPECT_EQ(edit->RealHeight(), 30);
    EXPECT_EQ(edit->Width(), 189);
    EXPECT_EQ(edit->Height(), 19);
    EXPECT_EQ(edit->Color(), 0x03030Au);

    edit->SetRealLeft(50);
    edit->SetRealTop(40);
    EXPECT_EQ(image->BoundsRect(), forms::TRect(50, 40, 250, 70));
    EXPECT_EQ(edit->Left(), 56);
    EXPECT_EQ(edit->Top(), 46);

    edit->SetRealVisible(true);
    Pump();
    EXPECT_TRUE(edit->Visible());
    EXPECT_TRUE(image->Visible());
    EXPECT_EQ(ScreenPixel(*host, 51, 41), 0xFFFFFFu) << "the picture's frame";
    EXPECT_EQ(ScreenPixel(*edit, 1, 1), 0x03030Au) << "the edit's colour";
    edit->SetRealVisible(false);
    EXPECT_FALSE(image->Visible());
}

TEST_F(ImageEdits, RepeatedPositionIsSkippedUnlessItIsZero)
{
    CImageEditBase* edit = MakeEdit();
    edit->SetImages(6, 6, enabledPath, L"");
    gs::GsImage* image = edit->BackgroundImage();
    image->SetLeft(70);
    edit->SetRealLeft(0);
    EXPECT_EQ(image->Left(), 0) << "a repeated 0 still moves";
    EXPECT_EQ(edit->Left(), 6);
    edit->SetRealTop(12);
    image->SetTop(99);
    edit->SetRealTop(12);
    EXPECT_EQ(image->Top(), 99) << "a repeated non-zero value is skipped";
    edit->SetRealTop(13);
    EXPECT_EQ(image->Top(), 13);
    EXPECT_EQ(edit->Top(), 19);
}

TEST_F(ImageEdits, CentreColourRequestedBeforeOrAfterThePicture)
{
    CImageEditBase* before = MakeEdit();
    before->SetEnableCenterClr(CImageEditBase::kUseCenterColor);
    before->SetImages(6, 6, enabledPath, L"");
    EXPECT_EQ(before->EnableCenterClr(), 0x302010u);
    EXPECT_EQ(before->Color(), 0x302010u);

    CImageEditBase* after = MakeEdit();
    after->SetImages(6, 6, enabledPath, L"");
    after->SetEnableCenterClr(CImageEditBase::kUseCenterColor);
    EXPECT_EQ(after->EnableCenterClr(), 0x00FF00u);
    EXPECT_EQ(after->Color(), 0x03030Au);
    after->SetRealEnabled(true);
    EXPECT_EQ(after->Color(), 0x00FF00u);
}

TEST_F(ImageEdits, CentrePixelIsReadAsRedGreenBlue)
{
    forms::TBitmap bitmap;
    FillBitmap(bitmap, 5, 4, 0x000000);
    std::uint8_t* centre = bitmap.ScanLine(2) + 4 * 2;
    centre[0] = 0x30;  // blue
    centre[1] = 0x20;  // green
    centre[2] = 0x10;  // red
    centre[3] = 0x77;
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&bitmap), 0x302010u);

    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(nullptr), 0u);
    forms::TBitmap empty;
    empty.SetPixelFormat(forms::pf32bit);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&empty), 0u);
    empty.SetSize(7, 0);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&empty), 0u);
    bitmap.SetPixelFormat(forms::pf24bit);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&bitmap), 0u);
}

TEST_F(ImageEdits, DisabledLookOnlyWithADisabledPicture)
{
    CImageEditBase* plain = MakeEdit();
    plain->SetImages(6, 6, enabledPath, L"");
    EXPECT_EQ(plain->DisabledBitmap(), nullptr);
    plain->SetRealEnabled(false);
    EXPECT_FALSE(plain->Enabled());
    EXPECT_FALSE(plain->RealEnabled());
    EXPECT_EQ(plain->Color(), 0x03030Au);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&plain->BackgroundImage()->Picture().Bitmap()), 0x302010u);

    CImageEditBase* skinned = MakeEdit();
    skinned->SetImages(6, 6, enabledPath, disabledPath);
    ASSERT_NE(skinned->DisabledBitmap(), nullptr);
    EXPECT_EQ(skinned->DisabledColor(), 0x404040u);
    skinned->SetRealEnabled(false);
    EXPECT_FALSE(skinned->Enabled());
    EXPECT_EQ(skinned->Color(), 0x404040u);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&skinned->BackgroundImage()->Picture().Bitmap()), 0x404040u);
    skinned->SetRealEnabled(true);
    EXPECT_TRUE(skinned->Enabled());
    EXPECT_EQ(skinned->Color(), 0x03030Au);
    EXPECT_EQ(CImageEditBase::GetCenterPixelColor(&skinned->BackgroundImage()->Picture().Bitmap()), 0x302010u);
}

TEST_F(ImageEdits, MissingOrBrokenPicturesGiveAnEmptySkinAndNoNegativeSize)
{
    const std::wstring broken = folder + L"broken.png";
    HANDLE file = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a picture", 13, &written, nullptr);
    CloseHandle(file);

    CImageEditBase* edit = MakeEdit();
    edit->SetEnableCenterClr(CImageEditBase::kUseCenterColor);
    edit->SetImages(6, 6, folder + L"missing.png", broken);
    EXPECT_EQ(edit->RealWidth(), 0);
    EXPECT_EQ(edit->Width(), 0);
    EXPECT_EQ(edit->Height(), 0);
    EXPECT_EQ(edit->EnableCenterClr(), 0u);
    ASSERT_NE(edit->DisabledBitmap(), nullptr);
    EXPECT_EQ(edit->DisabledColor(), 0u);
    edit->SetRealEnabled(false);
    EXPECT_EQ(edit->Color(), 0u);
}

TEST_F(ImageEdits, LaterSkinReplacesThePictureAndTheEditFreesIt)
{
    CImageEditBase* edit = MakeEdit();
    edit->SetImages(6, 6, enabledPath, disabledPath);
    const int controls = host->ControlCount();
    edit->SetImages(2, 3, enabledPath, L"");
    EXPECT_EQ(host->ControlCount(), controls);
    EXPECT_EQ(edit->DisabledBitmap(), nullptr);
    EXPECT_EQ(edit->Width(), 197);
    EXPECT_EQ(edit->Height(), 25);
    delete edit;
    EXPECT_EQ(host->ControlCount(), controls - 2);

    // The parent may free the picture first; the edit must not free it again.
    CImageEditBase* second = MakeEdit();
    second->SetImages(6, 6, enabledPath, L"");
    delete second->BackgroundImage();
    EXPECT_EQ(second->BackgroundImage(), nullptr);
    EXPECT_EQ(second->RealWidth(), second->Width());
}
