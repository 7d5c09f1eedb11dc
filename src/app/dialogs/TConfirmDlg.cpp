#include "TConfirmDlg.h"

#include "PopupDialogParts.h"
#include "Translate.h"
#include "forms/Label.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"

TConfirmDlg::TConfirmDlg(forms::TComponent* owner) : forms::TForm(owner)
{
    SetName(L"ConfirmDlg");
    SetBorderStyle(forms::bsNone);
    SetPosition(forms::poMainFormCenter);

    Background = popup::MakeBackground(this);
    WarningIcon = popup::MakeAlphaImage(this, L"warning_popup.png", 18, 44);

    TitleLabel = popup::MakeLabel(this, Translate(L"Delete"), 18, popup::kTextColor, 11, 2);
    MessageLabel = popup::MakeLabel(this, Translate(L"Are you sure you would like to delete and reload to default ?"),
                                    16, popup::kTextColor, 48, 45);
    MessageLabel->SetAutoSize(false);
    MessageLabel->SetBounds(48, 45, 217, 90);
    MessageLabel->SetWordWrap(true);

    const forms::TNotifyEvent click = [this](forms::TObject* sender) { ButtonClick(sender); };
    CloseButton = popup::MakeButton(this, Background, 263, 1, popup::kCloseButton, L"", click);
    ConfirmButton = popup::MakeButton(this, Background, 56, 153, popup::kTextButton, Translate(L"Delete"), click);
    popup::ApplyPopupTextStyle(ConfirmButton);
    CancelButton = popup::MakeButton(this, Background, 164, 153, popup::kTextButton, Translate(L"Cancel"), click);
    popup::ApplyPopupTextStyle(CancelButton);
    DoCreate();
}

TConfirmDlg::~TConfirmDlg() = default;

void TConfirmDlg::ButtonClick(forms::TObject* sender)
{
    if (sender == ConfirmButton)
        SetModalResult(forms::mrOk);
    else if (sender == CancelButton || sender == CloseButton)
        SetModalResult(forms::mrCancel);
}
