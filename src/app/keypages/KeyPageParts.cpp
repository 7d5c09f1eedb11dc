#include "KeyPageParts.h"

#include "PopupDialogParts.h"
#include "ResourcePath.h"
#include "Translate.h"

#include "forms/Label.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"

namespace keypage {

gs::GsImage* MakeImage(forms::TForm* form, const std::wstring& folder, const std::wstring& file, int x, int y)
{
    gs::GsImage* image = nullptr;
    CommonFuncHelper::GetInstance()->CreateImage(form, ResourcePath(folder, file), x, y, image);
    image->SetAlphaChannel(true);
    return image;
}

gs::GsButton* MakeButton(forms::TForm* form, forms::TBitmap* background, int x, int y, const std::wstring& folder,
                         const std::wstring& base, const std::wstring& caption, const std::wstring& hint,
                         forms::TNotifyEvent onClick)
{
    const auto picture = [&](const wchar_t* state) { return ResourcePath(folder, base + state + L".png"); };
    gs::GsButton* button = nullptr;
    CommonFuncHelper::GetInstance()->CreateButton(
        form, background, x, y, {picture(L"_n"), picture(L"_d"), picture(L"_o"), picture(L"_un")},
        caption.empty() ? CommonFuncHelper::OptionalText() : caption, hint, button);
    button->OnClick = std::move(onClick);
    button->SetVisible(false);
    return button;
}

forms::TLabel* MakeBoxLabel(forms::TForm* form, const std::wstring& text, int fontHeight, forms::TColor color, int x,
                            int y, int width, int height)
{
    forms::TLabel* label = popup::MakeLabel(form, text, fontHeight, color, x, y);
    label->SetAutoSize(false);
    label->SetWidth(width);
    label->SetHeight(height);
    return label;
}

gs::GsButton* MakeApplyButton(forms::TForm* form, forms::TBitmap* background, forms::TNotifyEvent onClick)
{
    const std::wstring apply = Translate(L"Apply");
    return MakeButton(form, background, 970, 497, L"button", L"apply", apply, apply, std::move(onClick));
}

}  // namespace keypage
