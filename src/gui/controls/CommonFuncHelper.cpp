#include "gui/controls/CommonFuncHelper.h"

#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsRadioButton.h"
#include "gui/controls/HostSuiteRegistry.h"
#include "gui/png/PngReader.h"

namespace {

constexpr wchar_t kFontName[] = L"Arial";

// Push-button colours of the two host suites.
struct ButtonColours {
    forms::TColor font, hovered, disabled, sunken;
};
constexpr ButtonColours kHostSuite3Colours{0xD2D2D2, 0xD2D2D2, 0x393939, 0xD2D2D2};
constexpr ButtonColours kDefaultColours{0xBBBBBB, 0xFFFFFF, 0x474747, 0x8A8A8A};

void LoadInto(const std::wstring& path, forms::TBitmap* bitmap)
{
    if (!path.empty())
        gs::LoadPngToBitmap(path, *bitmap);
}

// Every factory starts the same way: owned by the parent, shown on it, at (x, y).
template <class C>
C* CreatePlaced(forms::TWinControl* parent, int x, int y)
{
    C* control = new C(parent);
    control->SetParent(parent);
    control->SetLeft(x);
    control->SetTop(y);
    return control;
}

void SizeTo(forms::TControl* control, const forms::TBitmap* face)
{
    control->SetBounds(control->Left(), control->Top(), face->Width(), face->Height());
}

void SetCaptionAndHint(forms::TControl* control, const CommonFuncHelper::OptionalText& caption,
                       const CommonFuncHelper::OptionalText& hint)
{
    if (caption)
        control->SetCaption(*caption);
    if (hint) {
        control->SetHint(*hint);
        control->SetShowHint(true);
    }
}

} // namespace

CommonFuncHelper* CommonFuncHelper::GetInstance()
{
    static CommonFuncHelper* instance = new CommonFuncHelper();
    return instance;
}

CommonFuncHelper::CommonFuncHelper() : hostSuite_(IsHostSuite3Installed() ? 1 : 0) {}

CommonFuncHelper::CommonFuncHelper(RegistryPort& registry) : hostSuite_(IsHostSuite3Installed(registry) ? 1 : 0) {}

void CommonFuncHelper::CreateButton(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                                    const ButtonPaths& paths, const OptionalText& caption, const OptionalText& hint,
                                    gs::GsButton*& button)
{
    button = CreatePlaced<gs::GsButton>(parent, x, y);
    gs::GsButtonAppearance& appearance = button->Appearance();
    LoadInto(paths[0], appearance.Raised());
    LoadInto(paths[1], appearance.Sunken());
    LoadInto(paths[2], appearance.Hovered());
    LoadInto(paths[3], appearance.Disabled());
    ApplyButtonStyle(button, background, caption, hint);
}

void CommonFuncHelper::ApplyButtonStyle(gs::GsButton* button, forms::TBitmap* background,
                                        const OptionalText& caption, const OptionalText& hint)
{
    const ButtonColours& colours = hostSuite_ == 1 ? kHostSuite3Colours : kDefaultColours;
    SizeTo(button, button->Appearance().Raised());
    button->Font().SetName(kFontName);
    button->Font().SetHeight(14);
    button->Font().SetColor(colours.font);
    button->SetInputBkgnd(background);
    gs::GsButtonOuterGlowTextEffect& effect = button->TextEffect();
    effect.Hovered().Font().SetColor(colours.hovered);
    effect.Disabled().Font().SetColor(colours.disabled);
    effect.Sunken().Font().SetColor(colours.sunken);
    effect.Hovered().Font().SetHeight(14);
    effect.Hovered().SetOpacity(160);
    effect.Hovered().SetRadius(0);
    // The caption moves one pixel right and down while pressed.
    effect.Sunken().SetOffsetX(1);
    effect.Sunken().SetOffsetY(1);
    SetCaptionAndHint(button, caption, hint);
    button->SetVisible(true);
}

void CommonFuncHelper::CreateCheckBox(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                                      const CheckBoxPaths& paths, const OptionalText& caption,
                                      const OptionalText& hint, gs::GsCheckBox*& checkBox)
{
    checkBox = CreatePlaced<gs::GsCheckBox>(parent, x, y);
    gs::GsButtonAppearance* sides[] = {checkBox->Appearance().Unchecked(), checkBox->Appearance().Checked()};
    for (int side = 0; side < 2; ++side) {
        LoadInto(paths[side * 4 + 0], sides[side]->Raised());
        LoadInto(paths[side * 4 + 1], sides[side]->Hovered());
        LoadInto(paths[side * 4 + 2], sides[side]->Sunken());
        LoadInto(paths[side * 4 + 3], sides[side]->Disabled());
    }
    SizeTo(checkBox, checkBox->Appearance().Unchecked()->Raised());
    checkBox->Font().SetName(kFontName);
    checkBox->Font().SetHeight(14);
    checkBox->Font().SetColor(0xD2D2D2);
    checkBox->TextEffect().Unchecked().Disabled().Font().SetColor(0x474747);
    checkBox->SetInputBkgnd(background);
    SetCaptionAndHint(checkBox, caption, hint);
    checkBox->SetVisible(true);
}

void CommonFuncHelper::CreateRadioButton(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                                         const RadioButtonPaths& paths, const OptionalText& caption,
                                         const OptionalText& hint, int groupIndex, gs::GsRadioButton*& radioButton)
{
    radioButton = CreatePlaced<gs::GsRadioButton>(parent, x, y);
    gs::GsButtonAppearance* unchecked = radioButton->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = radioButton->Appearance().Checked();
    LoadInto(paths[0], unchecked->Raised());
    // While pressed a radio button shows its hovered picture.
    LoadInto(paths[1], unchecked->Hovered());
    LoadInto(paths[1], unchecked->Sunken());
    LoadInto(paths[2], checked->Raised());
    LoadInto(paths[3], checked->Hovered());
    LoadInto(paths[3], checked->Sunken());
    LoadInto(paths[4], unchecked->Disabled());
    LoadInto(paths[5], checked->Disabled());

    SizeTo(radioButton, unchecked->Raised());
    radioButton->SetGroupIndex(groupIndex);
    radioButton->SetInputBkgnd(background);
    radioButton->Font().SetColor(0x8D8D8D);
    radioButton->Font().SetHeight(15);
    radioButton->Font().SetName(kFontName);
    gs::GsRadioButtonOuterGlowTextEffect& effect = radioButton->TextEffect();
    effect.Unchecked().Raised().Font().SetColor(0x8D8D8D);
    effect.Unchecked().Sunken().Font().SetColor(0xFFFFFF);
    effect.Unchecked().Hovered().Font().SetColor(0x8D8D8D);
    effect.Checked().Raised().Font().SetColor(0xFFFFFF);
    effect.Checked().Sunken().Font().SetColor(0xFFFFFF);
    effect.Checked().Hovered().Font().SetColor(0xFFFFFF);
    for (gs::GsButtonOuterGlowTextEffect* side : {&effect.Unchecked(), &effect.Checked()}) {
        side->Sunken().SetOffsetX(1);
        side->Sunken().SetOffsetY(1);
    }
    SetCaptionAndHint(radioButton, caption, hint);
    radioButton->SetVisible(true);
}

void CommonFuncHelper::CreateRadioButtonFromBitmaps(forms::TWinControl* parent, forms::TBitmap* background, int x,
                                                    int y, const RadioButtonBitmaps& bitmaps,
                                                    const OptionalText& caption, const OptionalText& hint,
                                                    int groupIndex, gs::GsRadioButton*& radioButton)
{
    radioButton = CreatePlaced<gs::GsRadioButton>(parent, x, y);
    gs::GsButtonAppearance* unchecked = radioButton->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = radioButton->Appearance().Checked();
    if (bitmaps[0])
        unchecked->SetRaised(bitmaps[0]);
    if (bitmaps[1]) {
        unchecked->SetHovered(bitmaps[1]);
        unchecked->SetSunken(bitmaps[1]);
    }
    if (bitmaps[2])
        checked->SetRaised(bitmaps[2]);
    if (bitmaps[3]) {
        checked->SetHovered(bitmaps[3]);
        checked->SetSunken(bitmaps[3]);
    }
    SizeTo(radioButton, unchecked->Raised());
    radioButton->SetGroupIndex(groupIndex);
    radioButton->SetInputBkgnd(background);
    radioButton->Font().SetColor(0x8D8D8D);
    radioButton->Font().SetHeight(14);
    radioButton->Font().SetName(kFontName);
    SetCaptionAndHint(radioButton, caption, hint);
    radioButton->SetVisible(true);
}

void CommonFuncHelper::CreateImage(forms::TWinControl* parent, const std::wstring& path, int x, int y,
                                   gs::GsImage*& image)
{
    image = CreatePlaced<gs::GsImage>(parent, x, y);
    image->SetAutoSize(true);
    LoadInto(path, &image->Picture().Bitmap());
}

forms::TLabel* CommonFuncHelper::CreateLabel(forms::TWinControl* parent)
{
    auto* label = new forms::TLabel(parent);
    label->Font().SetName(kFontName);
    label->SetTransparent(true);
    label->SetAutoSize(true);
    label->SetVisible(false);
    label->SetAlignment(forms::taLeftJustify);
    label->Font().SetHeight(14);
    label->Font().SetColor(0xD2D2D2);
    label->SetWidth(100);
    label->SetHeight(14);
    label->SetParent(parent);
    return label;
}

CImageEditBase* CommonFuncHelper::CreateImageEdit(forms::TWinControl* parent, const std::wstring& path,
                                                  forms::TColor fontColor)
{
    auto* edit = new CImageEditBase(parent);
    edit->SetParent(parent);
    edit->SetReadOnly(false);
    edit->Font().SetName(kFontName);
    edit->Font().SetColor(fontColor);
    edit->Font().SetHeight(10);
    edit->SetImages(6, 6, path, L"");
    edit->SetText(L"");
    edit->SetRealVisible(false);
    return edit;
}
