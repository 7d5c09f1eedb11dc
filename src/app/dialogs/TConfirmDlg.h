#pragma once

// The skinned popup for every yes/no question and every warning. Callers write the texts (through
// Translate) before each run: TitleLabel, MessageLabel, CancelButton's caption and, for a question,
// ConfirmButton's; they show ConfirmButton for a question and hide it for a warning, set Position to
// poMainFormCenter and run ShowModal: 1 is the confirm button, 2 Cancel or the close mark.

#include "forms/Form.h"

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}

class TConfirmDlg : public forms::TForm {
public:
    // The owner is the main form.
    explicit TConfirmDlg(forms::TComponent* owner);
    ~TConfirmDlg() override;

    // All owned by the form.
    gs::GsImage* Background = nullptr;
    gs::GsImage* WarningIcon = nullptr;
    gs::GsButton* CloseButton = nullptr;
    forms::TLabel* TitleLabel = nullptr;
    // 217 x 90, word-wrapped; a longer message is clipped at its bottom edge.
    forms::TLabel* MessageLabel = nullptr;
    gs::GsButton* ConfirmButton = nullptr;
    gs::GsButton* CancelButton = nullptr;

private:
    void ButtonClick(forms::TObject* sender);
};
