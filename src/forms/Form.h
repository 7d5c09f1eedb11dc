#pragma once

// Top-level windows: border, position, modal runs, closing and deferred freeing.

#include <string>
#include <vector>

#include "forms/WinControl.h"

namespace forms {

class TForm : public TWinControl {
public:
    // `windowClass` names the window class (the class name of the most derived type when empty). Derived
    // constructors build their controls and then call DoCreate().
    explicit TForm(TComponent* owner, std::wstring windowClass = L"");
    // Runs OnDestroy (unless a derived destructor already ran DoDestroy) while the controls and the window exist.
    ~TForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // Applied each time the form is shown.
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // Stored only: forms are never scaled.
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    const std::wstring& WindowClassName() const { return windowClass_; }
    // Only before the window exists.
    void SetWindowClassName(const std::wstring& name);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    // Shows the form and handles messages until ModalResult is not 0 (the other windows of the application are
    // disabled meanwhile); hides it and returns ModalResult. A form released or freed meanwhile ends the run
    // with mrCancel.
    int ShowModal();
    bool Modal() const { return modal_; }

    // Visible and brought to the front.
    void Show();
    // A modal form ends with mrCancel; the main form ends the application; any other form runs OnClose
    // (default action: hide) and acts on the answer.
    void Close();
    // Hides the form now and frees it once none of its messages is being handled; a modal run of the form
    // ends first (mrCancel unless a result is set).
    void Release() override;

    // The control that has (or, while the form is hidden, will get) the focus.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    void SetVisible(bool visible) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    bool DeferFocus(TWinControl* control) override;
    void ChildFocused(TWinControl* control) override;

    // Makes the window, then runs OnCreate; an exception from OnCreate is reported and construction goes on.
    void DoCreate();
    // Runs OnDestroy once.
    void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    // Runs DoDestroy when a failed check ends the process.
    friend class TApplication;

    void ApplyPosition();
    void ApplyStyles();
    void FocusActiveControl();

    std::wstring windowClass_;
    TBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    bool scaled_ = true;
    int modalResult_ = mrNone;
    bool modal_ = false;
    bool released_ = false;
    bool destroyed_ = false;
    TWinControl* activeControl_ = nullptr;
};

// The form a control lies on (its topmost parent when that is a form), or null.
TForm* GetParentForm(TControl* control);

}  // namespace forms
