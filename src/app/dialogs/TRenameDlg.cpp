#include "TRenameDlg.h"

#include "PopupDialogParts.h"
#include "Translate.h"
#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/Mycommonfunc.h"

TRenameDlg::TRenameDlg(forms::TComponent* owner) : forms::TForm(owner)
{
    SetName(L"RenameDlg");
    SetBorderStyle(forms::bsNone);
    SetPosition(forms::poMainFormCenter);

    Background = popup::MakeBackground(this);
    Divider = popup::MakeAlphaImage(this, L"or_line.png", 14, 73);

    TitleLabel = popup::MakeLabel(this, Translate(L"F"), 18, popup::kTextColor, 11, 2);
    MessageLabel = popup::MakeLabel(this, L"", 16, popup::kTextColor, 17, 43);
    MessageLabel->SetWidth(248);
    MessageLabel->SetAlignment(forms::taCenter);
    // Width and alignment come after the text, so that "or" stays centred in its 64 pixels.
    OrLabel = popup::MakeLabel(this, Translate(L"or "), 16, 0x110C56, 112, 64);
    OrLabel->SetWidth(64);
    OrLabel->SetAlignment(forms::taCenter);

    const forms::TNotifyEvent click = [this](forms::TObject* sender) { ButtonClick(sender); };
    OkButton = popup::MakeButton(this, Background, 56, 153, popup::kTextButton, Translate(L"OK"), click);
    popup::ApplyPopupTextStyle(OkButton);
    CancelButton = popup::MakeButton(this, Background, 164, 153, popup::kTextButton, Translate(L"Cancel"), click);
    popup::ApplyPopupTextStyle(CancelButton);
    CloseButton = popup::MakeButton(this, Background, 263, 1, popup::kCloseButton, L"", click);

    const std::wstring nameSkin = GetPopupResourceFolder() + L"name_d.png";
    NameEdit = CommonFuncHelper::GetInstance()->CreateImageEdit(this, nameSkin, popup::kTextColor);
    NameEdit->SetImages(8, 8, nameSkin, nameSkin);
    NameEdit->SetEnableCenterClr(0x03030A);
    NameEdit->SetRealLeft(14);
    NameEdit->SetRealTop(93);
    NameEdit->SetRealVisible(true);
    NameEdit->SetMaxLength(kMaxNameLength);
    NameEdit->SetAutoSelect(false);
    NameEdit->Font().SetHeight(16);
    // The name can be typed at once: the field has the focus whenever the dialog shows.
    SetActiveControl(NameEdit);
    DoCreate();
}

TRenameDlg::~TRenameDlg() = default;

void TRenameDlg::ButtonClick(forms::TObject* sender)
{
    if (sender == OkButton)
        SetModalResult(forms::mrOk);
    else if (sender == CancelButton || sender == CloseButton)
        SetModalResult(forms::mrCancel);
}
