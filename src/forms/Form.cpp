#include "forms/Form.h"

#include <vector>

#include "forms/Application.h"
#include "forms/Exceptions.h"

namespace forms {

namespace {

struct DisabledWindows {
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM context)
{
    auto* state = reinterpret_cast<DisabledWindows*>(context);
    if (window != state->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        state->windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

TForm::TForm(TComponent* owner, std::wstring windowClass) : TWinControl(owner), windowClass_(std::move(windowClass))
{
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    DoDestroy();
    Application().FormDestroyed(this);
    // A modal run of this form notices at its next message; this one makes sure there is one.
    if (modal_)
        PostMessageW(nullptr, WM_NULL, 0, 0);
}

void TForm::DoCreate()
{
    HandleNeeded();
    if (!OnCreate)
        return;
    try {
        OnCreate(this);
    } catch (...) {
        Application().HandleException(this);
    }
}

void TForm::DoDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    if (!OnDestroy)
        return;
    try {
        OnDestroy(this);
    } catch (...) {
        Application().HandleException(this);
    }
}

void TForm::SetWindowClassName(const std::wstring& name)
{
    if (HandleAllocated())
        throw EInvalidOperation(L"The window class of a form cannot change after its window exists");
    windowClass_ = name;
}

void TForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        break;
    case bsSizeable:
        params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (formStyle_ == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    // Forms other than the main form are owned by it: they stay above it and have no task-bar button. One
    // made while the main form is still being built is owned by the form that owns it.
    TForm* main = Application().MainForm();
    if (!main)
        main = dynamic_cast<TForm*>(Owner());
    if (main && main != this) {
        params.WndParent = main->Handle();
    } else {
        params.WndParent = nullptr;
        if (Application().MainFormOnTaskBar())
            params.ExStyle |= WS_EX_APPWINDOW;
    }
    params.WindowClassStyle = CS_DBLCLKS;
    params.WinClassName = windowClass_.empty() ? ClassName() : windowClass_;
}

void TForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!GetWindow(Handle(), GW_OWNER)) {
        const HICON icon = Application().Icon().Handle();
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void TForm::ApplyStyles()
{
    if (!HandleAllocated())
        return;
    TCreateParams params;
    CreateParams(params);
    const LONG_PTR keep = GetWindowLongPtrW(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(params.Style & ~WS_DISABLED) | keep);
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, static_cast<LONG_PTR>(params.ExStyle));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBorderStyle(TBorderStyle style)
{
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    ApplyStyles();
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (style == formStyle_)
        return;
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::ApplyPosition()
{
    int left = Left();
    int top = Top();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    TForm* centreOn = nullptr;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        left = (screenWidth - Width()) / 2;
        top = (screenHeight - Height()) / 2;
        break;
    case poMainFormCenter:
        centreOn = Application().MainForm();
        break;
    case poOwnerFormCenter:
        centreOn = dynamic_cast<TForm*>(Owner());
        break;
    default:
        return;
    }
    if (position_ == poMainFormCenter || position_ == poOwnerFormCenter) {
        if (centreOn && centreOn != this) {
            left = (centreOn->Width() - Width()) / 2 + centreOn->Left();
            top = (centreOn->Height() - Height()) / 2 + centreOn->Top();
        } else {
            left = (screenWidth - Width()) / 2;
            top = (screenHeight - Height()) / 2;
        }
    }
    SetBounds(left, top, Width(), Height());
}

void TForm::SetVisible(bool visible)
{
    if (visible) {
        if (Visible() && Showing())
            return;
        HandleNeeded();
        DoShow();
        ApplyPosition();
        TControl::SetVisible(true);
        ShowWindow(Handle(), SW_SHOW);
        FocusActiveControl();
    } else {
        if (!Visible() && !Showing())
            return;
        DoHide();
        TControl::SetVisible(false);
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::Show()
{
    SetVisible(true);
    BringToFront();
}

void TForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

int TForm::ShowModal()
{
    if (modal_ || Showing())
        throw EInvalidOperation(L"Cannot make a visible window modal");
    // The click that opens the form has to let go of the mouse first.
    if (const HWND capture = GetCapture())
        SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HandleNeeded();
    const HWND previousActive = GetActiveWindow();
    DisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    // The form may be freed by any message handled below: after each one, nothing of it is touched until
    // this says it still exists.
    const TLiveness alive = Liveness();
    auto finish = [&] {
        // Enabled before the form hides, so that the system can hand the activation straight
        // back instead of looking for another window first. Windows destroyed meanwhile are skipped.
        for (HWND window : disabled.windows)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        if (alive) {
            modal_ = false;
            SetVisible(false);
        }
        if (previousActive && IsWindow(previousActive))
            SetActiveWindow(previousActive);
    };
    try {
        Show();
        while (alive && modalResult_ == mrNone) {
            Application().HandleMessage(true);
            if (!alive)
                break;
            if (Application().Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone && !released_) {
                TCloseAction action = caHide;
                DoClose(action);
                if (alive && action == caNone)
                    modalResult_ = mrNone;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return alive ? modalResult_ : mrCancel;
}

void TForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application().MainForm() == this) {
        Application().Terminate();
        return;
    }
    switch (action) {
    case caHide:
        SetVisible(false);
        break;
    case caMinimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TForm::Release()
{
    released_ = true;
    if (modal_ && modalResult_ == mrNone)
        modalResult_ = mrCancel;
    TControl::Release();
}

void TForm::SetActiveControl(TWinControl* control)
{
    ChildFocused(control);
    if (control && Showing())
        FocusActiveControl();
}

bool TForm::DeferFocus(TWinControl* control)
{
    if (Showing())
        return false;
    ChildFocused(control);
    return true;
}

void TForm::ChildFocused(TWinControl* control)
{
    if (control == this || control == activeControl_)
        return;
    if (activeControl_)
        RemoveFreeNotification(activeControl_);
    activeControl_ = control;
    if (activeControl_)
        FreeNotification(activeControl_);
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component == activeControl_)
        activeControl_ = nullptr;
    TWinControl::Notification(component, operation);
}

void TForm::FocusActiveControl()
{
    if (activeControl_ && activeControl_->CanFocus() && GetFocus() != activeControl_->Handle())
        ::SetFocus(activeControl_->Handle());
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        DefaultHandler(message);
        if (LOWORD(message.WParam) != WA_INACTIVE)
            FocusActiveControl();
        return;
    default:
        TWinControl::WndProc(message);
    }
}

TForm* GetParentForm(TControl* control)
{
    return dynamic_cast<TForm*>(GetTopParent(control));
}

}  // namespace forms
