#pragma once

// The skinned popup in which the user keeps or types the display name of a key before a key page writes
// it. Callers write TitleLabel ("Fn"), MessageLabel (the default name) and NameEdit (the name to offer),
// select the edit's text, set Position to poMainFormCenter and run ShowModal: 1 is OK (the name is the
// edit's text, or MessageLabel's when the edit is empty), 2 is Cancel or the close mark.

#include "forms/Form.h"

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}
class CImageEditBase;

class TRenameDlg : public forms::TForm {
public:
    // The longest name the edit takes.
    static constexpr int kMaxNameLength = 20;

    // The owner is the main form.
    explicit TRenameDlg(forms::TComponent* owner);
    ~TRenameDlg() override;

    // All owned by the form.
    gs::GsImage* Background = nullptr;
    gs::GsImage* Divider = nullptr;
    gs::GsButton* OkButton = nullptr;
    gs::GsButton* CancelButton = nullptr;
    gs::GsButton* CloseButton = nullptr;
    forms::TLabel* TitleLabel = nullptr;
    forms::TLabel* MessageLabel = nullptr;
    forms::TLabel* OrLabel = nullptr;
    CImageEditBase* NameEdit = nullptr;

private:
    void ButtonClick(forms::TObject* sender);
};
