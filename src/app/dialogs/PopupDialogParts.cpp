#include "PopupDialogParts.h"

#include "forms/GdiHandles.h"
#include "forms/Label.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/Mycommonfunc.h"
#include "gui/graphics/image.h"

namespace popup {

namespace {

std::wstring ButtonFolder()
{
    return GetExeFolder() + L"resource\\button\\";
}

} // namespace

gs::GsImage* MakeBackground(forms::TForm* form)
{
    gs::GsImage* background = nullptr;
    CommonFuncHelper::GetInstance()->CreateImage(form, GetPopupResourceFolder() + L"popup.png", 0, 0, background);
    forms::TBitmap& picture = background->Picture().Bitmap();
    if (picture.Empty())
        return background;
    // The system owns the region once the window has it.
    forms::RegionHandle region(gs::CreateRegionFromBitmap(picture.Handle(), kShapeKey, 0));
    if (region && SetWindowRgn(form->Handle(), region.Get(), TRUE))
        region.Release();
    form->SetBounds(form->Left(), form->Top(), background->Width(), background->Height());
    return background;
}

gs::GsImage* MakeAlphaImage(forms::TForm* form, const std::wstring& fileName, int x, int y)
{
    gs::GsImage* image = nullptr;
    CommonFuncHelper::GetInstance()->CreateImage(form, GetPopupResourceFolder() + fileName, x, y, image);
    image->SetAlphaChannel(true);
    image->SetAlphaBlend(true);
    image->Picture().Bitmap().SetPixelFormat(forms::pf32bit);
    image->SetAlphaValue(255);
    return image;
}

forms::TLabel* MakeLabel(forms::TForm* form, const std::wstring& text, int fontHeight, forms::TColor color, int x,
                         int y)
{
    forms::TLabel* label = CommonFuncHelper::GetInstance()->CreateLabel(form);
    label->SetCaption(text);
    label->Font().SetName(L"Arial");
    label->Font().SetHeight(fontHeight);
    label->Font().SetColor(color);
    label->SetLeft(x);
    label->SetTop(y);
    label->SetVisible(true);
    return label;
}

gs::GsButton* MakeButton(forms::TForm* form, gs::GsImage* background, int x, int y, const std::wstring& baseName,
                         const std::wstring& caption, forms::TNotifyEvent onClick)
{
    const std::wstring base = ButtonFolder() + baseName;
    gs::GsButton* button = nullptr;
    CommonFuncHelper::GetInstance()->CreateButton(
        form, &background->Picture().Bitmap(), x, y,
        {base + L"_n.png", base + L"_d.png", base + L"_o.png", base + L"_un.png"},
        caption.empty() ? CommonFuncHelper::OptionalText() : caption, std::wstring(), button);
    button->OnClick = std::move(onClick);
    return button;
}

void ApplyPopupTextStyle(gs::GsButton* button)
{
    button->Font().SetColor(0x2730B8);
    gs::GsButtonOuterGlowTextEffect& effect = button->TextEffect();
    effect.Hovered().Font().SetColor(0x2733DF);
    effect.Hovered().Font().SetHeight(14);
    effect.Disabled().Font().SetColor(0x070B40);
    effect.Hovered().SetOpacity(160);
    effect.Hovered().SetRadius(0);
    effect.Sunken().Font().SetColor(0x0B138E);
}

} // namespace popup
