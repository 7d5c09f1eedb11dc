#pragma once

// Single-line edit boxes (the system's EDIT control under the layer's window procedure).

#include <windows.h>

#include <string>

#include "forms/GdiHandles.h"
#include "forms/WinControl.h"

namespace forms {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    // 0 = no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // Only digits can be typed.
    bool NumbersOnly() const { return numbersOnly_; }
    void SetNumbersOnly(bool value);
    // Selects all text when the box gets the focus by keyboard or code.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    // Keeps the selection shown while the box has no focus when false.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // bsNone or bsSingle (a sunken edge).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    void SelectAll();
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);

    // Fired when the text changes, by typing or from code (from code only when it really changes).
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;
    void FontChanged(TObject* sender) override;
    void DoEnter() override;
    // Height from the font while AutoSize is on and the box has a frame (bsSingle).
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    virtual void Change();

private:
    LRESULT ControlColor(HDC dc);
    void SetStyleBit(DWORD bit, bool on);

    int maxLength_ = 0;
    bool readOnly_ = false;
    bool numbersOnly_ = false;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    TAlignment alignment_ = taLeftJustify;
    TBorderStyle borderStyle_ = bsSingle;
    BrushHandle background_;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

}  // namespace forms
