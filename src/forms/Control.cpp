#include "forms/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "forms/Application.h"
#include "forms/Assert.h"
#include "forms/Exceptions.h"
#include "forms/Internal.h"
#include "forms/Messages.h"
#include "forms/WinControl.h"

namespace forms {

namespace detail {

namespace {

int dispatchDepth = 0;
TControl* captureControl = nullptr;

}  // namespace

int DispatchDepth() { return dispatchDepth; }
void EnterDispatch() { ++dispatchDepth; }

void LeaveDispatch()
{
    TControlCanvas::FreeDeviceContexts(dispatchDepth);
    --dispatchDepth;
}

TControl*& CaptureControl() { return captureControl; }

}  // namespace detail

namespace {

// Canvases holding a DC they took themselves, released after the message that took it.
std::vector<TControlCanvas*>& CanvasesWithDC()
{
    // Never destroyed: controls freed during exit still unregister here.
    static auto* list = new std::vector<TControlCanvas*>();
    return *list;
}

// Restores a counter when a scope ends, exceptions included.
class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

bool IsWindowed(const TControl* control)
{
    return dynamic_cast<const TWinControl*>(control) != nullptr;
}

}  // namespace

TShiftState MouseShiftState(WPARAM keyFlags)
{
    TShiftState shift = 0;
    if (keyFlags & MK_SHIFT)
        shift |= ssShift;
    if (keyFlags & MK_CONTROL)
        shift |= ssCtrl;
    if (keyFlags & MK_LBUTTON)
        shift |= ssLeft;
    if (keyFlags & MK_RBUTTON)
        shift |= ssRight;
    if (keyFlags & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

// --- TControlCanvas ---

TControlCanvas::TControlCanvas(TControl& control) : control_(control) {}

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
    SetHandleInternal(nullptr);
}

void TControlCanvas::CreateHandle()
{
    HWND window = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(&control_)) {
        window = windowed->Handle();
    } else {
        TWinControl* parent = control_.Parent();
        if (!parent)
            throw EInvalidOperation(L"Control '" + control_.Name() + L"' has no parent window");
        window = parent->Handle();
    }
    const HDC dc = GetDC(window);
    if (!dc)
        throw EOutOfResources();
    if (!IsWindowed(&control_)) {
        SetViewportOrgEx(dc, control_.Left(), control_.Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control_.Width(), control_.Height());
    }
    window_ = window;
    acquired_ = dc;
    acquiredDepth_ = detail::DispatchDepth();
    CanvasesWithDC().push_back(this);
    SetHandleInternal(dc);
}

void TControlCanvas::FreeHandle()
{
    if (!acquired_)
        return;
    SetHandleInternal(nullptr);
    ReleaseDC(window_, acquired_);
    acquired_ = nullptr;
    window_ = nullptr;
    auto& list = CanvasesWithDC();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::BindPaintDC(HDC dc)
{
    FreeHandle();
    SetHandleInternal(dc);
}

void TControlCanvas::FreeDeviceContexts(int depth)
{
    // Depth 1 is the outermost message: whatever was taken outside any message goes too.
    auto list = CanvasesWithDC();
    for (TControlCanvas* canvas : list)
        if (canvas->acquiredDepth_ >= depth || depth <= 1)
            canvas->FreeHandle();
}

// --- TControl ---

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    WindowProc = [this](TMessage& message) { WndProc(message); };
    font_.OnChange = [this](TObject* sender) { FontChanged(sender); };
}

TControl::~TControl()
{
    Destroying();
    const bool notFreedInsideItsOwnMessage = dispatchDepth_ == 0;
    FORMS_ASSERT(notFreedInsideItsOwnMessage);
    if (detail::CaptureControl() == this)
        detail::CaptureControl() = nullptr;
    Application().ControlDestroyed(this);
    if (parent_)
        parent_->RemoveControl(this, true);
}

void TControl::Release()
{
    SetVisible(false);
    Application().QueueRelease(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    DepthGuard guard(dispatchDepth_);
    if (WindowProc)
        WindowProc(message);
    else
        WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        HandleMouseMessage(message);
        break;
    case CM_MOUSEENTER:
        MouseEnter();
        break;
    case CM_MOUSELEAVE:
        MouseLeave();
        break;
    default:
        break;
    }
}

void TControl::HandleMouseMessage(TMessage& message)
{
    UINT msg = message.Msg;
    if (!(controlStyle_ & csDoubleClicks)) {
        if (msg == WM_LBUTTONDBLCLK)
            msg = WM_LBUTTONDOWN;
        else if (msg == WM_RBUTTONDBLCLK)
            msg = WM_RBUTTONDOWN;
        else if (msg == WM_MBUTTONDBLCLK)
            msg = WM_MBUTTONDOWN;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(true);
        if (controlStyle_ & csClickEvents)
            controlState_ |= csClicked;
        DoMouseDown(message, mbLeft, 0);
        break;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click: DblClick, not Click, and no Click on its release.
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(true);
        if (controlStyle_ & csClickEvents)
            DblClick();
        DoMouseDown(message, mbLeft, ssDouble);
        break;
    case WM_LBUTTONUP: {
        const bool clicked = (controlState_ & csClicked) != 0;
        controlState_ &= ~csClicked;
        // The capture goes before Click, which may open a modal form that needs the mouse.
        if (controlStyle_ & csCaptureMouse)
            SetMouseCapture(false);
        const TPoint p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        if (clicked && ClientRect().Contains(p))
            Click();
        DoMouseUp(message, mbLeft);
        break;
    }
    case WM_RBUTTONDOWN:
        DoMouseDown(message, mbRight, 0);
        break;
    case WM_RBUTTONDBLCLK:
        DoMouseDown(message, mbRight, ssDouble);
        break;
    case WM_RBUTTONUP:
        DoMouseUp(message, mbRight);
        break;
    case WM_MBUTTONDOWN:
        DoMouseDown(message, mbMiddle, 0);
        break;
    case WM_MBUTTONDBLCLK:
        DoMouseDown(message, mbMiddle, ssDouble);
        break;
    case WM_MBUTTONUP:
        DoMouseUp(message, mbMiddle);
        break;
    case WM_MOUSEMOVE:
        MouseMove(MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        break;
    default:
        break;
    }
}

void TControl::DoMouseDown(TMessage& message, TMouseButton button, TShiftState extra)
{
    MouseDown(button, MouseShiftState(message.WParam) | extra, GET_X_LPARAM(message.LParam),
              GET_Y_LPARAM(message.LParam));
}

void TControl::DoMouseUp(TMessage& message, TMouseButton button)
{
    MouseUp(button, MouseShiftState(message.WParam), GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

bool TControl::MouseCapture() const
{
    return detail::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture)
{
    HWND window = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(this))
        window = windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    else if (parent_ && parent_->HandleAllocated())
        window = parent_->Handle();
    if (capture) {
        detail::CaptureControl() = this;
        if (window && GetCapture() != window)
            SetCapture(window);
    } else if (detail::CaptureControl() == this) {
        detail::CaptureControl() = nullptr;
        if (window && GetCapture() == window)
            ReleaseCapture();
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation(L"A control cannot be its own parent");
    if (parent_)
        parent_->RemoveControl(this, parent == nullptr);
    if (parent)
        parent->InsertControl(this);
}

void TControl::InvalidateOnParent(const TRect& rect)
{
    if (!parent_ || !parent_->HandleAllocated() || (parent_->ComponentState() & csDestroying))
        return;
    const RECT r = rect;
    InvalidateRect(parent_->Handle(), &r, !(controlStyle_ & csOpaque));
}

void TControl::StoreBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool resized = width != width_ || height != height_;
    if (visible_)
        InvalidateOnParent(BoundsRect());
    StoreBounds(left, top, width, height);
    if (visible_)
        InvalidateOnParent(BoundsRect());
    if (resized)
        Resize();
}

TRect TControl::ClientRect()
{
    return {0, 0, width_, height_};
}

void TControl::SetClientWidth(int width)
{
    const int frame = width_ - ClientWidth();
    SetWidth(width + frame);
}

void TControl::SetClientHeight(int height)
{
    const int frame = height_ - ClientHeight();
    SetHeight(height + frame);
}

TPoint TControl::ClientOrigin()
{
    if (!parent_)
        return {left_, top_};
    const TPoint origin = parent_->ClientOrigin();
    return {origin.X + left_, origin.Y + top_};
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    InvalidateOnParent(BoundsRect());
}

bool TControl::Showing()
{
    return visible_ && parent_ && parent_->Showing();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::SetText(const std::wstring& text)
{
    if (text == GetText())
        return;
    text_ = text;
    TextChanged();
}

void TControl::TextChanged()
{
    Invalidate();
}

void TControl::SetHint(const std::wstring& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    HintChanged();
}

void TControl::SetShowHint(bool show)
{
    if (show == showHint_)
        return;
    showHint_ = show;
    HintChanged();
}

void TControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Invalidate();
}

void TControl::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    if (autoSize_)
        AdjustSize();
}

bool TControl::CanAutoSize(int&, int&)
{
    return true;
}

void TControl::AdjustSize()
{
    if (!autoSize_)
        return;
    int width = width_;
    int height = height_;
    if (CanAutoSize(width, height))
        SetBounds(left_, top_, width, height);
}

void TControl::FontChanged(TObject*)
{
    Invalidate();
}

void TControl::Invalidate()
{
    if (visible_)
        InvalidateOnParent(BoundsRect());
}

void TControl::Update()
{
    if (parent_)
        parent_->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(this)) {
        if (windowed->HandleAllocated())
            SetWindowPos(windowed->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        Invalidate();
    }
}

void TControl::SendToBack()
{
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.insert(list.begin(), this);
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(this)) {
        if (windowed->HandleAllocated())
            SetWindowPos(windowed->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        Invalidate();
    }
}

}  // namespace forms
