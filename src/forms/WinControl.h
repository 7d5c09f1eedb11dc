#pragma once

// Controls with a window of their own. The window is made on first need (never from a constructor, so a
// derived CreateParams is in force), bound to its object at its first message, and never made again.

#include <windows.h>

#include <vector>

#include "forms/Control.h"
#include "forms/GdiHandles.h"

namespace forms {

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    // Frees the child controls it shows, then what it owns, then its window.
    ~TWinControl() override;

    // The window, made now if it does not exist yet.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }

    // The controls shown on this one, in z-order (first = bottom).
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // The topmost visible windowless child under a client point (enabled ones only unless allowDisabled).
    TControl* ControlAtPos(TPoint p, bool allowDisabled) const;

    // Gives the keyboard focus to this control; while its form is not on screen the control is remembered
    // and focused when the form is shown.
    virtual void SetFocus();
    bool Focused() const;
    virtual bool CanFocus();
    // Moves the focus to the next (or previous) tab stop among this control's descendants, by TabOrder,
    // wrapping around; false when there is none other than `current`.
    bool SelectNext(TWinControl* current, bool forward);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value) { tabOrder_ = value; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    // Paints this control's own picture (colour, PaintWindow, windowless children; no child windows) into a
    // DC with its top-left corner at (x, y). Used to show the parent's drawing behind see-through controls.
    void PaintTo(HDC dc, int x, int y);

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    bool Showing() override;
    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void Invalidate() override;
    void Update() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    // Window class and styles; called once, just before the window is made.
    virtual void CreateParams(TCreateParams& params);
    // Makes the window a subclass of a system class ("EDIT", "LISTBOX"): its procedure becomes the default.
    void CreateSubClass(TCreateParams& params, const wchar_t* systemClass);
    // Makes the window from CreateParams, then sets font, text, hint and the visible child windows up.
    virtual void CreateWnd();
    void DestroyHandle();

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    virtual void DoEnter();
    virtual void DoExit();

    // Draws the window's own picture (after the background fill, before the windowless children).
    virtual void PaintWindow(HDC dc);
    // Draws every visible windowless child in z-order, each with its origin and clip set.
    void PaintControls(HDC dc);
    // Whether the layer paints this window (false for subclassed system controls, which paint themselves).
    bool OwnPainted() const { return !subclassed_; }
    // Whether the window has a frame, caption or scroll bars around its client area.
    bool HasNonClientArea() const;
    // Sets or clears the sunken client edge of a live window and has its frame laid out again; the
    // styles of a window not yet made come from CreateParams.
    void SetClientEdge(bool on);

    // A top-level window asked to focus one of its controls: true when it keeps the request for later.
    virtual bool DeferFocus(TWinControl* control);
    // A control of this top-level window got the keyboard focus.
    virtual void ChildFocused(TWinControl* control);

    // The window class's own procedure (DefWindowProc, or the system control's).
    void DefaultHandler(TMessage& message);
    void WndProc(TMessage& message) override;
    void FontChanged(TObject* sender) override;
    void TextChanged() override;
    void HintChanged() override { UpdateTooltip(); }
    std::wstring GetText() const override;

private:
    friend class TControl;
    friend class TControlCanvas;
    friend struct WindowDispatch;

    void InsertControl(TControl* control);
    // Takes a child off the list; a child window is destroyed unless the control moves to another parent.
    void RemoveControl(TControl* control, bool destroyWindow);
    LRESULT MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    bool RouteMouseToChild(TMessage& message);
    void TrackChildUnderMouse(TControl* control);
    void PaintHandler(TMessage& message);
    void PaintLayers(HDC dc);
    void SyncBoundsFromWindow();
    bool ReflectNotification(TMessage& message);
    void MoveFocusAway();
    void ForgetChild(TControl* control);
    void UpdateTooltip();

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = DefWindowProcW;
    bool subclassed_ = false;
    std::wstring systemClass_;
    std::vector<TControl*> controls_;
    TControl* mouseControl_ = nullptr;  // the windowless child under the pointer
    bool trackingLeave_ = false;
    bool tabStop_ = false;
    int tabOrder_ = -1;
    bool doubleBuffered_ = false;
    SharedGdiObject<HFONT> windowFont_;  // the font the window was given, kept alive while it uses it
};

// The form (or topmost windowed ancestor) a control lies on.
TWinControl* GetTopParent(TControl* control);

}  // namespace forms
