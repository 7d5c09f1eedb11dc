#include "gui/controls/Mycommonfunc.h"

#include "forms/Application.h"
#include "forms/Rtl.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsLabel.h"
#include "gui/png/PngReader.h"

std::wstring GetExeFolder()
{
    return forms::ExtractFilePath(forms::Application().ExeName());
}

std::wstring GetPopupResourceFolder()
{
    return GetExeFolder() + L"resource\\popup\\";
}

gs::GsImage* CreatePopupImage(forms::TWinControl* parent, const std::wstring& fileName, int x, int y)
{
    forms::TBitmap picture;
    picture.SetPixelFormat(forms::pf32bit);
    picture.Canvas().Brush().SetColor(forms::clBlack);
    gs::LoadPngToBitmap(GetPopupResourceFolder() + fileName, picture);

    auto* image = new gs::GsImage(parent);
    image->SetParent(parent);
    image->SetAutoSize(true);
    image->Picture().Bitmap().Assign(&picture);
    image->SetAlphaChannel(true);
    image->SetLeft(x);
    image->SetTop(y);
    image->SetVisible(false);
    return image;
}

std::unique_ptr<forms::TBitmap> LoadPopupBitmap(const std::wstring& fileName)
{
    auto bitmap = std::make_unique<forms::TBitmap>();
    bitmap->SetPixelFormat(forms::pf32bit);
    gs::LoadPngToBitmap(GetPopupResourceFolder() + fileName, *bitmap);
    return bitmap;
}

gs::GsButton* CreatePopupButton(forms::TWinControl* parent, forms::TBitmap* background, const std::wstring& caption,
                                int x, int y, const std::wstring& baseName)
{
    return CreatePopupButtonEx(parent, background, caption, x, y, 15, caption, baseName);
}

gs::GsButton* CreatePopupButtonEx(forms::TWinControl* parent, forms::TBitmap* background,
                                  const std::wstring& caption, int x, int y, int fontHeight,
                                  const std::wstring& hint, const std::wstring& baseName)
{
    auto* button = new gs::GsButton(parent);
    button->SetParent(parent);
    button->SetInputBkgnd(background);

    gs::GsButtonOuterGlowTextEffect& effect = button->TextEffect();
    button->Font().SetName(L"Arial");
    button->Font().SetHeight(fontHeight);
    effect.Hovered().Font().SetHeight(fontHeight);
    effect.Sunken().Font().SetHeight(fontHeight);
    effect.Disabled().Font().SetHeight(fontHeight);
    button->Font().SetColor(0xD2D2D2);
    effect.Hovered().Font().SetColor(0xFFFFFF);
    effect.Disabled().Font().SetColor(0x303030);
    effect.Sunken().Font().SetColor(0x8F8F90);

    button->SetLeft(x);
    button->SetTop(y);

    const std::wstring base = GetPopupResourceFolder() + baseName;
    gs::GsButtonAppearance& appearance = button->Appearance();
    void (gs::GsButtonAppearance::*setters[])(forms::TBitmap*) = {
        &gs::GsButtonAppearance::SetRaised, &gs::GsButtonAppearance::SetSunken,
        &gs::GsButtonAppearance::SetHovered, &gs::GsButtonAppearance::SetDisabled};
    const wchar_t* suffixes[] = {L"_n.png", L"_d.png", L"_o.png", L"_un.png"};
    for (int i = 0; i < 4; ++i) {
        forms::TBitmap face;
        face.SetPixelFormat(forms::pf32bit);
        gs::LoadPngToBitmap(base + suffixes[i], face);
        (appearance.*setters[i])(&face);
    }

    button->SetBounds(x, y, appearance.Raised()->Width(), appearance.Raised()->Height());
    effect.Sunken().SetOffsetX(1);
    effect.Sunken().SetOffsetY(1);
    if (!caption.empty())
        button->SetCaption(caption);
    if (!hint.empty()) {
        button->SetHint(hint);
        button->SetShowHint(true);
    }
    button->SetVisible(true);
    return button;
}

gs::GsLabel* CreatePopupLabel(forms::TWinControl* parent, const std::wstring& text, int x, int y,
                              forms::TColor fontColor)
{
    auto* label = new gs::GsLabel(parent);
    label->SetParent(parent);
    label->SetLeft(x);
    label->SetTop(y);
    label->SetCaption(text);
    label->SetTransparent(true);
    label->SetAutoSize(true);
    label->SetVisible(false);
    label->SetAlignment(forms::taLeftJustify);
    label->Font().SetColor(fontColor);
    label->Radiation().SetRadius(0);
    label->Radiation().SetSpread(0);
    return label;
}
