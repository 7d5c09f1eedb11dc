#include "gui/controls/CommonFuncHelper.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PngEncoder.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsRadioButton.h"
#include "gui/controls/HostSuiteRegistry.h"

namespace {

// A host-suite key with the given executable name, or none.
class FakeHostSuite final : public RegistryPort {
public:
    explicit FakeHostSuite(const char* exeName) : exeName_(exeName) {}
    LSTATUS OpenKey(HKEY, const char*, REGSAM, HKEY* key) override
    {
        if (!exeName_)
            return ERROR_FILE_NOT_FOUND;
        *key = reinterpret_cast<HKEY>(1);
        return ERROR_SUCCESS;
    }
    LSTATUS QueryValue(HKEY, const char*, DWORD* type, BYTE* data, DWORD* size) override
    {
        const DWORD length = static_cast<DWORD>(std::strlen(exeName_) + 1);
        *type = REG_SZ;
        std::memcpy(data, exeName_, length);
        *size = length;
        return ERROR_SUCCESS;
    }
    void CloseKey(HKEY) override {}

private:
    const char* exeName_;
};

// Solid pictures written as PNG files; picture i is (10 + i) x (5 + i) so that each state is known by
// its size.
class SkinFiles {
public:
    SkinFiles()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"TastroFactoryTests-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    ~SkinFiles()
    {
        for (const std::wstring& file : written_)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring Picture(int i, std::uint32_t argb = 0xFF405060)
    {
        const std::wstring path = folder_ + L"skin" + std::to_wstring(i) + L".png";
        EXPECT_TRUE(WritePngFile(path, RgbaPicture(10 + i, 5 + i, argb), true));
        written_.push_back(path);
        return path;
    }
    std::wstring Missing() const { return folder_ + L"no-such-picture.png"; }

private:
    std::wstring folder_;
    std::vector<std::wstring> written_;
};

// Whether `bitmap` is picture i of SkinFiles.
bool IsPicture(const forms::TBitmap* bitmap, int i)
{
    return bitmap && bitmap->Width() == 10 + i && bitmap->Height() == 5 + i;
}

class FactoryTest : public ::testing::Test {
protected:
    FactoryTest() : form(new forms::TForm(nullptr))
    {
        background.SetPixelFormat(forms::pf24bit);
        background.SetSize(300, 200);
    }
    ~FactoryTest() override { delete form; }

    forms::TForm* form;
    forms::TBitmap background;
    SkinFiles skins;
    FakeHostSuite otherSuite{"HubDeck2.exe"};
    FakeHostSuite suite3{"HubDeck3.exe"};
};

TEST_F(FactoryTest, TheHostSuiteChoosesThePushButtonColours)
{
    struct Case {
        RegistryPort* registry;
        forms::TColor font, hovered, disabled, sunken;
    };
    FakeHostSuite noKey(nullptr), otherCase("hubdeck3.exe");
    const Case cases[] = {{&suite3, 0xD2D2D2, 0xD2D2D2, 0x393939, 0xD2D2D2},
                          {&otherSuite, 0xBBBBBB, 0xFFFFFF, 0x474747, 0x8A8A8A},
                          {&otherCase, 0xBBBBBB, 0xFFFFFF, 0x474747, 0x8A8A8A},
                          {&noKey, 0xBBBBBB, 0xFFFFFF, 0x474747, 0x8A8A8A}};
    const std::wstring raised = skins.Picture(0);
    for (const Case& c : cases) {
        CommonFuncHelper helper(*c.registry);
        gs::GsButton* button = nullptr;
        helper.CreateButton(form, &background, 0, 0, {raised, L"", L"", L""}, std::nullopt, std::nullopt, button);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Font().Color(), c.font);
        EXPECT_EQ(button->TextEffect().Raised().Font().Color(), c.font); // the font goes to Raised
        EXPECT_EQ(button->TextEffect().Hovered().Font().Color(), c.hovered);
        EXPECT_EQ(button->TextEffect().Disabled().Font().Color(), c.disabled);
        EXPECT_EQ(button->TextEffect().Sunken().Font().Color(), c.sunken);
    }
}

TEST_F(FactoryTest, ButtonIsPlacedStyledAndShown)
{
    CommonFuncHelper helper(otherSuite);
    gs::GsButton* button = nullptr;
    const CommonFuncHelper::ButtonPaths paths{skins.Picture(0), skins.Picture(1), skins.Picture(2), skins.Picture(3)};
    helper.CreateButton(form, &background, 12, 34, paths,
                        std::wstring(L"Apply"), std::wstring(L"Apply the key"), button);
    EXPECT_EQ(button->Owner(), form);
    EXPECT_EQ(button->Parent(), form);
    EXPECT_EQ(button->Left(), 12);
    EXPECT_EQ(button->Top(), 34);
    EXPECT_EQ(button->Width(), 10);
    EXPECT_EQ(button->Height(), 5);
    gs::GsButtonAppearance& appearance = button->Appearance();
    EXPECT_TRUE(IsPicture(appearance.Raised(), 0));
    EXPECT_TRUE(IsPicture(appearance.Sunken(), 1));
    EXPECT_TRUE(IsPicture(appearance.Hovered(), 2));
    EXPECT_TRUE(IsPicture(appearance.Disabled(), 3));
    EXPECT_EQ(appearance.Raised()->PixelFormat(), forms::pf32bit);
    EXPECT_EQ(button->InputBkgnd(), &background);
    // Only the pressed caption moves; the hovered one has no glow.
    gs::GsButtonOuterGlowTextEffect& effect = button->TextEffect();
    EXPECT_EQ(effect.Sunken().OffsetX(), 1);
    EXPECT_EQ(effect.Sunken().OffsetY(), 1);
    EXPECT_EQ(effect.Raised().OffsetX(), 0);
    EXPECT_EQ(effect.Hovered().Radius(), 0u);
    EXPECT_EQ(button->Caption(), L"Apply");
    EXPECT_EQ(button->Hint(), L"Apply the key");
    EXPECT_TRUE(button->ShowHint());
    EXPECT_TRUE(button->Visible());
}

TEST_F(FactoryTest, ButtonWithOnlyARaisedPicture)
{
    CommonFuncHelper helper(otherSuite);
    gs::GsButton* button = nullptr;
    helper.CreateButton(form, &background, 0, 0, {skins.Picture(4), L"", L"", L""}, std::nullopt, std::nullopt, button);
    EXPECT_EQ(button->Width(), 14);
    EXPECT_EQ(button->Height(), 9);
    EXPECT_TRUE(button->Appearance().Sunken()->Empty());
    EXPECT_TRUE(button->Appearance().Hovered()->Empty());
    EXPECT_TRUE(button->Appearance().Disabled()->Empty());
    EXPECT_EQ(button->Caption(), L"");
    EXPECT_FALSE(button->ShowHint());
}

TEST_F(FactoryTest, MissingPicturesStillGiveAFinishedControl)
{
    CommonFuncHelper helper(otherSuite);
    gs::GsButton* button = nullptr;
    helper.CreateButton(form, &background, 5, 6, {skins.Missing(), skins.Missing(), L"", L""}, std::wstring(L"OK"),
                        std::nullopt, button);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->Appearance().Raised()->Empty());
    EXPECT_EQ(button->Font().Name(), L"Arial");
    EXPECT_EQ(button->Caption(), L"OK");
    EXPECT_TRUE(button->Visible());

    gs::GsImage* image = nullptr;
    helper.CreateImage(form, skins.Missing(), 1, 2, image);
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->Picture().Bitmap().Empty());
}

TEST_F(FactoryTest, CheckBoxTakesItsEightPicturesInItsOwnOrder)
{
    CommonFuncHelper helper(suite3);
    CommonFuncHelper::CheckBoxPaths paths;
    for (int i = 0; i < 8; ++i)
        paths[static_cast<std::size_t>(i)] = skins.Picture(i);
    gs::GsCheckBox* box = nullptr;
    helper.CreateCheckBox(form, &background, 7, 8, paths, std::wstring(L"Repeat"), std::wstring(L"tip"), box);
    gs::GsButtonAppearance* unchecked = box->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = box->Appearance().Checked();
    EXPECT_TRUE(IsPicture(unchecked->Raised(), 0));
    EXPECT_TRUE(IsPicture(unchecked->Hovered(), 1));
    EXPECT_TRUE(IsPicture(unchecked->Sunken(), 2));
    EXPECT_TRUE(IsPicture(unchecked->Disabled(), 3));
    EXPECT_TRUE(IsPicture(checked->Raised(), 4));
    EXPECT_TRUE(IsPicture(checked->Hovered(), 5));
    EXPECT_TRUE(IsPicture(checked->Sunken(), 6));
    EXPECT_TRUE(IsPicture(checked->Disabled(), 7));
    EXPECT_EQ(box->Width(), 10);
    EXPECT_EQ(box->Height(), 5);
    EXPECT_EQ(box->Font().Color(), 0xD2D2D2u); // whatever the host suite
    EXPECT_EQ(box->TextEffect().Unchecked().Disabled().Font().Color(), 0x474747u);
    EXPECT_EQ(box->InputBkgnd(), &background);
    EXPECT_TRUE(box->Visible());
}

TEST_F(FactoryTest, RadioButtonShowsItsHoveredPictureWhilePressed)
{
    CommonFuncHelper helper(otherSuite);
    CommonFuncHelper::RadioButtonPaths paths;
    for (int i = 0; i < 6; ++i)
        paths[static_cast<std::size_t>(i)] = skins.Picture(i);
    gs::GsRadioButton* radio = nullptr;
    helper.CreateRadioButton(form, &background, 3, 4, paths, std::wstring(L"Macro"), std::nullopt, 5, radio);
    gs::GsButtonAppearance* unchecked = radio->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = radio->Appearance().Checked();
    EXPECT_TRUE(IsPicture(unchecked->Raised(), 0));
    EXPECT_TRUE(IsPicture(unchecked->Hovered(), 1));
    EXPECT_TRUE(IsPicture(unchecked->Sunken(), 1));
    EXPECT_TRUE(IsPicture(checked->Raised(), 2));
    EXPECT_TRUE(IsPicture(checked->Hovered(), 3));
    EXPECT_TRUE(IsPicture(checked->Sunken(), 3));
    EXPECT_TRUE(IsPicture(unchecked->Disabled(), 4));
    EXPECT_TRUE(IsPicture(checked->Disabled(), 5));
    int index = -1;
    EXPECT_TRUE(IsPicture(radio->Appearance().GetBitmap(0, gs::dsSunken, index), 1));
    EXPECT_TRUE(IsPicture(radio->Appearance().GetBitmap(1, gs::dsSunken, index), 3));

    EXPECT_EQ(radio->GroupIndex(), 5);
    // The checked side is made after the unchecked colours are set, and keeps its own from then on.
    gs::GsRadioButtonOuterGlowTextEffect& effect = radio->TextEffect();
    EXPECT_EQ(effect.Unchecked().Raised().Font().Color(), 0x8D8D8Du);
    EXPECT_EQ(effect.Unchecked().Sunken().Font().Color(), 0xFFFFFFu);
    EXPECT_EQ(effect.Unchecked().Hovered().Font().Color(), 0x8D8D8Du);
    EXPECT_EQ(effect.Checked().Raised().Font().Color(), 0xFFFFFFu);
    EXPECT_EQ(effect.Checked().Sunken().Font().Color(), 0xFFFFFFu);
    EXPECT_EQ(effect.Checked().Hovered().Font().Color(), 0xFFFFFFu);
    for (gs::GsButtonOuterGlowTextEffect* side : {&effect.Unchecked(), &effect.Checked()}) {
        EXPECT_EQ(side->Sunken().OffsetX(), 1);
        EXPECT_EQ(side->Sunken().OffsetY(), 1);
        EXPECT_EQ(side->Hovered().OffsetX(), 0);
    }
    EXPECT_FALSE(radio->ShowHint());
    EXPECT_TRUE(radio->Visible());
}

TEST_F(FactoryTest, RadioButtonFromBitmapsCopiesThem)
{
    CommonFuncHelper helper(otherSuite);
    forms::TBitmap raised(16, 12, forms::pf32bit), hovered(16, 12, forms::pf32bit);
    forms::TBitmap checkedRaised(16, 12, forms::pf32bit);
    gs::GsRadioButton* radio = nullptr;
    helper.CreateRadioButtonFromBitmaps(form, &background, 9, 10, {&raised, &hovered, &checkedRaised, nullptr},
                                        std::wstring(L"F1"), std::wstring(L"key"), 2, radio);
    gs::GsButtonAppearance* unchecked = radio->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = radio->Appearance().Checked();
    EXPECT_EQ(unchecked->Raised()->Width(), 16);
    EXPECT_EQ(unchecked->Hovered()->Width(), 16);
    EXPECT_EQ(unchecked->Sunken()->Width(), 16);
    EXPECT_EQ(checked->Raised()->Width(), 16);
    EXPECT_TRUE(checked->Hovered()->Empty());
    EXPECT_TRUE(unchecked->Disabled()->Empty());
    EXPECT_NE(unchecked->Raised(), &raised); // copies: the caller keeps its bitmaps
    raised.SetSize(3, 3);
    EXPECT_EQ(unchecked->Raised()->Width(), 16);
    EXPECT_EQ(radio->Width(), 16);
    EXPECT_EQ(radio->Height(), 12);
    EXPECT_EQ(radio->Font().Height(), 14);
    EXPECT_TRUE(radio->Visible());
}

TEST_F(FactoryTest, ImageSizesItselfToItsPicture)
{
    CommonFuncHelper helper(otherSuite);
    gs::GsImage* image = nullptr;
    helper.CreateImage(form, skins.Picture(6), 20, 30, image);
    EXPECT_EQ(image->Parent(), form);
    EXPECT_EQ(image->Left(), 20);
    EXPECT_EQ(image->Top(), 30);
    EXPECT_EQ(image->Width(), 16);
    EXPECT_EQ(image->Height(), 11);
    EXPECT_EQ(image->Picture().Bitmap().PixelFormat(), forms::pf32bit);
    EXPECT_FALSE(image->AlphaChannel());
}

TEST_F(FactoryTest, LabelIsHiddenAndKeepsItsSizeUntilItHasText)
{
    CommonFuncHelper helper(otherSuite);
    forms::TLabel* label = helper.CreateLabel(form);
    EXPECT_EQ(label->Parent(), form);
    EXPECT_FALSE(label->Visible());
    EXPECT_EQ(label->Width(), 100);
    EXPECT_EQ(label->Height(), 14);
    label->SetCaption(L"A much longer text than one hundred pixels hold");
    EXPECT_GT(label->Width(), 100);
}

TEST_F(FactoryTest, ImageEditIsHiddenWithoutADisabledPicture)
{
    CommonFuncHelper helper(otherSuite);
    CImageEditBase* edit = helper.CreateImageEdit(form, skins.Picture(20), 0x00ABCDEF);
    EXPECT_EQ(edit->Parent(), form);
    EXPECT_FALSE(edit->RealVisible());
    EXPECT_FALSE(edit->Visible());
    EXPECT_EQ(edit->Font().Color(), 0x00ABCDEFu);
    EXPECT_EQ(edit->RealWidth(), 30);  // the picture's size
    EXPECT_EQ(edit->RealHeight(), 25);
    EXPECT_EQ(edit->Width(), 30 - 12 + 1); // inset by 6 on each side
    EXPECT_EQ(edit->Height(), 25 - 12 + 1);
    // Without a disabled picture, disabling keeps the enabled look.
    const forms::TColor colour = edit->Color();
    edit->SetRealEnabled(false);
    EXPECT_EQ(edit->Color(), colour);
}

} // namespace
