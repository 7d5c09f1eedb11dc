#pragma once

// Controls: the common base of windowed and windowless controls, and the canvas that draws on them.

#include <windows.h>

#include <string>

#include "forms/Canvas.h"
#include "forms/Color.h"
#include "forms/Component.h"
#include "forms/Font.h"
#include "forms/Types.h"

namespace forms {

class TControl;
class TWinControl;

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0,
    csCaptureMouse = 1u << 1,
    csClickEvents = 1u << 2,
    csSetCaption = 1u << 3,
    csOpaque = 1u << 4,  // paints its whole area itself: nothing is filled beneath it
    csDoubleClicks = 1u << 5,
    csFixedWidth = 1u << 6,
    csFixedHeight = 1u << 7,
    csReplicatable = 1u << 8,
};
using TControlStyle = unsigned;

enum TControlStateFlag : unsigned {
    csLButtonDown = 1u << 0,
    csClicked = 1u << 1,  // the left button went down here; its release inside gives Click
    csCreating = 1u << 2,
    csFocusing = 1u << 3,
};
using TControlState = unsigned;

// A canvas over a control. Outside painting it takes a DC of the control's window (for a windowless control:
// of its parent, with the origin moved to the control and drawing clipped to it) and gives it back when the
// message that took it has been handled. During painting it draws on the DC the painter binds to it.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl& control);
    ~TControlCanvas() override;

    TControl& Control() const { return control_; }
    // Binds the DC of a paint cycle (nullptr ends it). A DC taken by the canvas itself is released first.
    void BindPaintDC(HDC dc);
    // Gives back a DC the canvas took itself.
    void FreeHandle();

    // Releases the DCs taken while handling messages at `depth` or deeper (called after each message).
    static void FreeDeviceContexts(int depth);

protected:
    void CreateHandle() override;

private:
    TControl& control_;
    HWND window_ = nullptr;
    HDC acquired_ = nullptr;
    int acquiredDepth_ = 0;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    // Where the control shows: a windowed control's window becomes a child of the parent's window; a windowless
    // control is painted by the parent. The owner (who frees it) is separate.
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p) { const TPoint o = ClientOrigin(); return {p.X + o.X, p.Y + o.Y}; }
    TPoint ScreenToClient(TPoint p) { const TPoint o = ClientOrigin(); return {p.X - o.X, p.Y - o.Y}; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a shown window.
    virtual bool Showing();
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& text) { SetText(text); }
    std::wstring Text() const { return GetText(); }
    void SetText(const std::wstring& text);
    const std::wstring& Hint() const { return hint_; }
    void SetHint(const std::wstring& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    TFont& Font() { return font_; }
    void SetFont(TFont* font) { font_.Assign(font); }
    // Stored only: every font in this program is set explicitly.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value) { parentFont_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    // Queues a repaint of the control's area.
    virtual void Invalidate();
    // Paints queued areas now.
    virtual void Update();
    // Invalidate and paint now.
    void Repaint();
    void Refresh() { Repaint(); }
    // Last in the parent's z-order (windowless) / top of the sibling windows (windowed).
    void BringToFront();
    void SendToBack();

    // How many of this control's messages are being handled right now.
    int DispatchDepth() const { return dispatchDepth_; }
    // Hides the control now and frees it once none of its messages (nor those of the controls on it) is
    // being handled. The way to free a control from inside one of its own events.
    virtual void Release();

    // Sends a message through WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // The entry every message goes through; replaceable, defaults to WndProc.
    TWndMethod WindowProc;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    virtual void WndProc(TMessage& message);
    // Asked while AutoSize is on; may change the proposed size; false = leave the size alone.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    // Applies CanAutoSize when AutoSize is on.
    void AdjustSize();
    // Default handler of Font().OnChange.
    virtual void FontChanged(TObject* sender);
    virtual void TextChanged();
    virtual std::wstring GetText() const { return text_; }
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The pointer entered / left a windowless control.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void Resize();
    // Hint or ShowHint changed.
    virtual void HintChanged() {}
    void SetControlState(TControlState state) { controlState_ = state; }
    // Updates the stored bounds without moving anything (the window already moved).
    void StoreBounds(int left, int top, int width, int height);
    const std::wstring& StoredText() const { return text_; }
    void StoreText(const std::wstring& text) { text_ = text; }

private:
    friend class TWinControl;
    friend class TControlCanvas;

    void HandleMouseMessage(TMessage& message);
    void DoMouseDown(TMessage& message, TMouseButton button, TShiftState extra);
    void DoMouseUp(TMessage& message, TMouseButton button);
    void InvalidateOnParent(const TRect& rect);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool autoSize_ = false;
    bool showHint_ = false;
    bool parentFont_ = false;
    std::wstring text_;
    std::wstring hint_;
    TFont font_;
    TColor color_ = clWindow;
    TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState controlState_ = 0;
    int dispatchDepth_ = 0;
};

// Shift state of a mouse message's key flags (the Alt key read from the keyboard).
TShiftState MouseShiftState(WPARAM keyFlags);
// Shift state of the keyboard now.
TShiftState KeyboardShiftState();

}  // namespace forms
