#include "gui/controls/Mycommonfunc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PngEncoder.h"
#include "forms/Form.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsLabel.h"

namespace {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Pictures in the program's popup folder, named uniquely for this test run and removed afterwards.
class PopupSkins {
public:
    PopupSkins() : prefix_(L"factorytest" + std::to_wstring(GetCurrentProcessId()))
    {
        CreateDirectoryW((ProgramFolder() + L"resource").c_str(), nullptr);
        CreateDirectoryW((ProgramFolder() + L"resource\\popup").c_str(), nullptr);
    }
    ~PopupSkins()
    {
        for (const std::wstring& file : written_)
            DeleteFileW(file.c_str());
    }
    // Writes `name` (prefixed) as a solid picture and returns the name as callers pass it.
    std::wstring Write(const std::wstring& name, int width, int height, std::uint32_t argb = 0xFF203040)
    {
        const std::wstring file = prefix_ + name;
        const std::wstring path = GetPopupResourceFolder() + file;
        EXPECT_TRUE(WritePngFile(path, RgbaPicture(width, height, argb), true));
        written_.push_back(path);
        return file;
    }
    std::wstring Name(const std::wstring& name) const { return prefix_ + name; }

private:
    std::wstring prefix_;
    std::vector<std::wstring> written_;
};

class PopupFactoryTest : public ::testing::Test {
protected:
    PopupFactoryTest() : form(new forms::TForm(nullptr)) { background.SetSize(10, 10); }
    ~PopupFactoryTest() override { delete form; }

    forms::TForm* form;
    forms::TBitmap background;
    PopupSkins skins;
};

TEST_F(PopupFactoryTest, ButtonLoadsItsFourSuffixedPicturesFromThePopupFolder)
{
    skins.Write(L"ok_n.png", 60, 20);
    skins.Write(L"ok_d.png", 61, 21);
    skins.Write(L"ok_o.png", 62, 22);
    skins.Write(L"ok_un.png", 63, 23);
    // The caller's current folder plays no part.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
    gs::GsButton* button = CreatePopupButton(form, &background, L"OK", 15, 25, skins.Name(L"ok"));
    SetCurrentDirectoryW(previous);

    gs::GsButtonAppearance& appearance = button->Appearance();
    EXPECT_EQ(appearance.Raised()->Width(), 60);
    EXPECT_EQ(appearance.Sunken()->Width(), 61);
    EXPECT_EQ(appearance.Hovered()->Width(), 62);
    EXPECT_EQ(appearance.Disabled()->Width(), 63);
    EXPECT_TRUE(appearance.Focused()->Empty());
    EXPECT_EQ(button->Left(), 15);
    EXPECT_EQ(button->Top(), 25);
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 20);
    EXPECT_EQ(button->InputBkgnd(), &background);

    // The caption doubles as hint; height 15 everywhere.
    EXPECT_EQ(button->Caption(), L"OK");
    EXPECT_EQ(button->Hint(), L"OK");
    EXPECT_TRUE(button->ShowHint());
    EXPECT_TRUE(button->Visible());
    gs::GsButtonOuterGlowTextEffect& effect = button->TextEffect();
    EXPECT_EQ(button->Font().Name(), L"Arial");
    EXPECT_EQ(button->Font().Height(), 15);
    EXPECT_EQ(effect.Hovered().Font().Height(), 15);
    EXPECT_EQ(effect.Sunken().Font().Height(), 15);
    EXPECT_EQ(effect.Disabled().Font().Height(), 15);
    EXPECT_EQ(button->Font().Color(), 0xD2D2D2u);
    EXPECT_EQ(effect.Raised().Font().Color(), 0xD2D2D2u);
    EXPECT_EQ(effect.Hovered().Font().Color(), 0xFFFFFFu);
    EXPECT_EQ(effect.Disabled().Font().Color(), 0x303030u);
    EXPECT_EQ(effect.Sunken().Font().Color(), 0x8F8F90u);
    EXPECT_EQ(effect.Sunken().OffsetX(), 1);
    EXPECT_EQ(effect.Sunken().OffsetY(), 1);
}

TEST_F(PopupFactoryTest, ButtonWithoutCaptionOrHintAndMissingPictures)
{
    skins.Write(L"half_n.png", 40, 18);
    gs::GsButton* button = CreatePopupButtonEx(form, &background, L"", 1, 2, 12, L"", skins.Name(L"half"));
    EXPECT_EQ(button->Caption(), L"");
    EXPECT_FALSE(button->ShowHint());
    EXPECT_EQ(button->Font().Height(), 12);
    EXPECT_EQ(button->Width(), 40);
    EXPECT_TRUE(button->Appearance().Sunken()->Empty()); // the other three files are missing
    EXPECT_TRUE(button->Visible());
}

TEST_F(PopupFactoryTest, ImageIsHiddenAndDrawnWithItsAlpha)
{
    const std::wstring name = skins.Write(L"frame.png", 33, 17, 0x80FF0000);
    gs::GsImage* image = CreatePopupImage(form, name, 4, 5);
    EXPECT_FALSE(image->Visible());
    EXPECT_TRUE(image->AlphaChannel());
    EXPECT_EQ(image->Left(), 4);
    EXPECT_EQ(image->Width(), 33);
    EXPECT_EQ(image->Height(), 17);
    forms::TBitmap& picture = image->Picture().Bitmap();
    ASSERT_EQ(picture.PixelFormat(), forms::pf32bit);
    const std::uint8_t* pixel = picture.ScanLine(0);
    EXPECT_EQ(pixel[2], 0xFF); // red, straight colour
    EXPECT_EQ(pixel[3], 0x80); // alpha kept
}

TEST_F(PopupFactoryTest, BitmapIs32BitAndOwnedByTheCaller)
{
    const std::wstring name = skins.Write(L"bg.png", 21, 11);
    std::unique_ptr<forms::TBitmap> bitmap = LoadPopupBitmap(name);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->PixelFormat(), forms::pf32bit);
    EXPECT_EQ(bitmap->Width(), 21);
    std::unique_ptr<forms::TBitmap> missing = LoadPopupBitmap(skins.Name(L"absent.png"));
    EXPECT_EQ(missing->PixelFormat(), forms::pf32bit);
    EXPECT_TRUE(missing->Empty());
}

TEST_F(PopupFactoryTest, LabelIsHiddenWithoutGlow)
{
    gs::GsLabel* label = CreatePopupLabel(form, L"Profile name", 30, 40, 0x00C0C0C0);
    EXPECT_EQ(label->Parent(), form);
    EXPECT_EQ(label->Left(), 30);
    EXPECT_EQ(label->Caption(), L"Profile name");
    EXPECT_FALSE(label->Visible());
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(label->Radiation().Radius(), 0u);
    EXPECT_EQ(label->Radiation().Spread(), 0);
    EXPECT_GT(label->Width(), 0); // measured from its text
}

} // namespace
