#pragma once

// The small shaped popup that the Macro Keys page lays over one recorded step to change it. While it
// shows, the keyboard hook is installed: the page turns the keys the user releases into the step's new
// key or, for a delay, its digits, and writes them into Edit1. The dialog takes no input itself.

#include "forms/Form.h"

namespace forms {
class TEdit;
}
namespace gs {
class GsImage;
}

class TOneKeyEditDlg : public forms::TForm {
public:
    // The owner is the main form.
    explicit TOneKeyEditDlg(forms::TComponent* owner);
    ~TOneKeyEditDlg() override;

    // The step's text; read-only and disabled.
    forms::TEdit* Edit1 = nullptr;
    // The popup's picture; its first picture gave the window's shape and size.
    gs::GsImage* Picture = nullptr;

    // 1 key down, 2 key up, 3 delay: the picture and the text field of that kind. Any other kind
    // changes nothing.
    void SetKind(int kind);
    using forms::TForm::SetPosition;
    // Screen coordinates.
    void SetPosition(int left, int top);

    void FormShow(forms::TObject* sender);
    void FormClose(forms::TObject* sender, forms::TCloseAction& action);
};
