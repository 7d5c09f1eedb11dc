#include "forms/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "forms/Application.h"
#include "forms/Assert.h"
#include "forms/Exceptions.h"
#include "forms/HintWindow.h"
#include "forms/Internal.h"
#include "forms/Messages.h"

namespace forms {

namespace {

// The control of every window the layer made, by handle. Kept in the process rather than as a window
// property: reading a property is a round trip to the window server under Wine, and it happened for
// every message. Never destroyed: windows that go during the process's exit still look here.
std::unordered_map<HWND, TWinControl*>& Bindings()
{
    static auto* const bindings = new std::unordered_map<HWND, TWinControl*>();
    return *bindings;
}

TWinControl* BoundControl(HWND window)
{
    const auto found = Bindings().find(window);
    return found == Bindings().end() ? nullptr : found->second;
}

// The control whose window is being made: its first message binds it.
TWinControl* creatingControl = nullptr;

bool IsMouseMessage(UINT msg)
{
    return msg == WM_MOUSEMOVE || (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK);
}

bool IsChildStyle(DWORD style)
{
    return (style & WS_CHILD) && !(style & WS_POPUP);
}

HINSTANCE ModuleInstance()
{
    return GetModuleHandleW(nullptr);
}

}  // namespace

// The single window procedure of every window the layer makes.
struct WindowDispatch {
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        TWinControl* control = BoundControl(window);
        if (!control) {
            control = creatingControl;
            if (!control)
                return DefWindowProcW(window, msg, wParam, lParam);
            creatingControl = nullptr;
            control->handle_ = window;
            Bindings()[window] = control;
        }
        const LRESULT result = control->MainWndProc(msg, wParam, lParam);
        // The handle may come again for another window once this one is gone.
        if (msg == WM_NCDESTROY)
            Bindings().erase(window);
        return result;
    }

    // Registers the window class of a control once; gives the procedure its windows fall back on.
    static WNDPROC RegisterClass(const TCreateParams& params, const std::wstring& systemClass)
    {
        static std::map<std::wstring, WNDPROC> registered;
        const auto found = registered.find(params.WinClassName);
        if (found != registered.end())
            return found->second;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        WNDPROC fallback = DefWindowProcW;
        if (!systemClass.empty()) {
            if (!GetClassInfoExW(nullptr, systemClass.c_str(), &wc))
                throw Exception(L"Window class " + systemClass + L" does not exist");
            fallback = wc.lpfnWndProc;
            wc.cbSize = sizeof(wc);
        } else {
            wc.style = params.WindowClassStyle;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        }
        wc.lpfnWndProc = Proc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw Exception(L"Cannot register window class " + params.WinClassName + L": " +
                            SysErrorMessage(GetLastError()));
        registered[params.WinClassName] = fallback;
        return fallback;
    }
};

namespace detail {

TWinControl* ControlFromHandle(HWND window)
{
    return window ? BoundControl(window) : nullptr;
}

bool DispatchActive(TControl* control)
{
    if (control->DispatchDepth() > 0)
        return true;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < windowed->ControlCount(); ++i)
            if (DispatchActive(windowed->Controls(i)))
                return true;
    return false;
}

}  // namespace detail

TWinControl* GetTopParent(TControl* control)
{
    if (!control)
        return nullptr;
    while (control->Parent())
        control = control->Parent();
    return dynamic_cast<TWinControl*>(control);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    const bool notFreedInsideItsOwnMessage = DispatchDepth() == 0;
    FORMS_ASSERT(notFreedInsideItsOwnMessage);
    Destroying();
    while (!controls_.empty())
        delete controls_.back();
    DestroyComponents();
    DestroyHandle();
}

HWND TWinControl::Handle()
{
    if (!handle_)
        CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = StoredText();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle() & csAcceptsControls)
        params.Style |= WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams&, const wchar_t* systemClass)
{
    subclassed_ = true;
    systemClass_ = systemClass;
}

void TWinControl::CreateWnd()
{
    if (handle_)
        return;
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !(params.Style & WS_POPUP) && !params.WndParent)
        throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
    defaultProc_ = WindowDispatch::RegisterClass(params, subclassed_ ? systemClass_ : std::wstring());

    static UINT_PTR nextId = 100;
    const HMENU id = IsChildStyle(params.Style) ? reinterpret_cast<HMENU>(nextId++) : nullptr;
    SetControlState(ControlState() | csCreating);
    creatingControl = this;
    const HWND window = CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                                        params.Style, params.X, params.Y, params.Width, params.Height,
                                        params.WndParent, id, ModuleInstance(), params.Param);
    const DWORD error = GetLastError();
    creatingControl = nullptr;
    SetControlState(ControlState() & ~csCreating);
    if (!window)
        throw Exception(L"Error creating window: " + SysErrorMessage(error));
    if (!handle_) {
        handle_ = window;
        Bindings()[window] = this;
    }
    SyncBoundsFromWindow();
    if (subclassed_) {
        windowFont_ = Font().SharedHandle();
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_ ? windowFont_->Get() : nullptr), 0);
    }
    UpdateTooltip();
    for (size_t i = 0; i < controls_.size(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(controls_[i]); child && child->Visible())
            child->HandleNeeded();
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    detail::HintWindow::Instance().Remove(handle_);
    const HWND window = handle_;
    DestroyWindow(window);
    if (handle_ == window) {
        Bindings().erase(window);
        handle_ = nullptr;
    }
}

LRESULT TWinControl::MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    TMessage message{msg, wParam, lParam, 0};
    const HWND window = handle_;
    if (IsMouseMessage(msg) && ShowHint() && !Hint().empty())
        detail::HintWindow::Instance().Relay(window, msg, wParam, lParam);
    detail::EnterDispatch();
    ++dispatchDepth_;
    try {
        // While the object is being torn down, replaced procedures and overrides may point into freed parts.
        if (ComponentState() & csDestroying)
            DefaultHandler(message);
        else if (WindowProc)
            WindowProc(message);
        else
            WndProc(message);
    } catch (...) {
        try {
            Application().HandleException(this);
        } catch (...) {
        }
    }
    --dispatchDepth_;
    detail::LeaveDispatch();
    if (msg == WM_NCDESTROY && handle_ == window)
        handle_ = nullptr;
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!handle_)
        return;
    message.Result = CallWindowProcW(defaultProc_, handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message)
{
    if (IsMouseMessage(message.Msg)) {
        if (RouteMouseToChild(message))
            return;
        if (message.Msg == WM_MOUSEMOVE)
            TrackChildUnderMouse(nullptr);
        DefaultHandler(message);
        HandleMouseMessage(message);
        return;
    }
    switch (message.Msg) {
    case WM_PAINT:
        if (OwnPainted())
            PaintHandler(message);
        else
            DefaultHandler(message);
        return;
    case WM_ERASEBKGND:
        // The paint cycle fills the background itself, on its buffer.
        if (OwnPainted()) {
            message.Result = 1;
            return;
        }
        break;
    case WM_NCPAINT:
        // A window without frame or scroll bars has no non-client area to draw; the system's handler
        // would still get and release a window DC, a round trip to the window server under Wine.
        if (!HasNonClientArea()) {
            message.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        DefaultHandler(message);
        if (TWinControl* top = GetTopParent(this))
            top->ChildFocused(this);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        DoExit();
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.WParam);
        const TShiftState shift = KeyboardShiftState();
        KeyDown(key, shift);
        if (key == 0)
            return;
        message.WParam = key;
        if (message.Msg == WM_KEYDOWN && key == VK_TAB && !(shift & (ssCtrl | ssAlt)) &&
            !(CallWindowProcW(defaultProc_, handle_, WM_GETDLGCODE, VK_TAB, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) {
            if (TWinControl* top = GetTopParent(this); top && top->SelectNext(this, !(shift & ssShift)))
                return;
        }
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        message.WParam = key;
        break;
    }
    case WM_CHAR: {
        wchar_t key = static_cast<wchar_t>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return;
        message.WParam = key;
        break;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (ReflectNotification(message))
            return;
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        SyncBoundsFromWindow();
        return;
    case WM_CAPTURECHANGED: {
        TControl* capture = detail::CaptureControl();
        const bool ours = capture == this || (capture && capture->Parent() == this && !dynamic_cast<TWinControl*>(capture));
        if (ours && reinterpret_cast<HWND>(message.LParam) != handle_) {
            // Losing the capture cancels the click in progress.
            capture->controlState_ &= ~csClicked;
            detail::CaptureControl() = nullptr;
        }
        break;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        TrackChildUnderMouse(nullptr);
        break;
    case WM_DESTROY:
        detail::HintWindow::Instance().Remove(handle_);
        break;
    default:
        if (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400) {
            // A notification the child does not handle gets the parent window's default answer.
            const UINT original = message.Msg - CN_BASE;
            if (original >= WM_CTLCOLORMSGBOX && original <= WM_CTLCOLORSTATIC && Parent() && Parent()->HandleAllocated())
                message.Result = DefWindowProcW(Parent()->Handle(), original, message.WParam, message.LParam);
            return;
        }
        if (message.Msg >= CM_BASE && message.Msg < CN_BASE) {
            TControl::WndProc(message);
            return;
        }
        break;
    }
    DefaultHandler(message);
}

bool TWinControl::RouteMouseToChild(TMessage& message)
{
    const TPoint p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = nullptr;
    TControl* capture = detail::CaptureControl();
    if (capture && capture->Parent() == this && !dynamic_cast<TWinControl*>(capture) && GetCapture() == handle_)
        target = capture;
    TControl* under = ControlAtPos(p, false);
    if (message.Msg == WM_MOUSEMOVE)
        TrackChildUnderMouse(under);
    if (!target)
        target = under;
    if (!target)
        return false;
    const LPARAM local = MAKELPARAM(static_cast<WORD>(p.X - target->Left()), static_cast<WORD>(p.Y - target->Top()));
    message.Result = target->Perform(message.Msg, message.WParam, local);
    return true;
}

void TWinControl::TrackChildUnderMouse(TControl* control)
{
    if (control != mouseControl_) {
        TControl* old = mouseControl_;
        mouseControl_ = control;
        if (old)
            old->Perform(CM_MOUSELEAVE);
        if (control)
            control->Perform(CM_MOUSEENTER);
    }
    if (mouseControl_ && !trackingLeave_ && handle_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, HOVER_DEFAULT};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (dynamic_cast<TWinControl*>(control))
            continue;
        if (control->Visible() && (control->Enabled() || allowDisabled) && control->BoundsRect().Contains(p))
            return control;
    }
    return nullptr;
}

void TWinControl::PaintLayers(HDC dc)
{
    if (!(ControlStyle() & csOpaque) && Color() != clNone) {
        RECT clip{};
        GetClipBox(dc, &clip);
        BrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &clip, brush.Get());
    }
    PaintWindow(dc);
    PaintControls(dc);
}

void TWinControl::PaintTo(HDC dc, int x, int y)
{
    SavedDC saved(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
    const TRect client = ClientRect();
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    PaintLayers(dc);
}

void TWinControl::PaintHandler(TMessage& message)
{
    if (message.WParam) {
        PaintLayers(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    if (!GetUpdateRect(handle_, nullptr, FALSE)) {
        // Nothing to draw (a paint forced from outside): under Wine the begin and end of a
        // paint alone cost milliseconds.
        ValidateRect(handle_, nullptr);
        return;
    }
    // Read before BeginPaint empties it: the parts changed apart (two slots far from each other)
    // are drawn alone, not the whole rectangle around them.
    RegionHandle update(CreateRectRgn(0, 0, 0, 0));
    const bool regionKnown = update && GetUpdateRgn(handle_, update.Get(), FALSE) != ERROR;
    const PaintDC paint(handle_);
    const HDC dc = paint.Get();
    const TRect area = paint.Area();
    if (dc && !area.IsEmpty()) {
        bool buffered = doubleBuffered_;
        for (TControl* control : controls_)
            if (!dynamic_cast<TWinControl*>(control) && control->Visible())
                buffered = true;
        MemoryDC memory(buffered ? dc : nullptr);
        BitmapHandle buffer(buffered && memory ? CreateCompatibleBitmap(dc, area.Width(), area.Height()) : nullptr);
        if (buffer) {
            // Everything is drawn off screen in client coordinates, then copied once.
            SelectedObject selected(memory.Get(), buffer.Get());
            SetViewportOrgEx(memory.Get(), -area.Left, -area.Top, nullptr);
            if (regionKnown && OffsetRgn(update.Get(), -area.Left, -area.Top) != ERROR)
                SelectClipRgn(memory.Get(), update.Get());
            else
                IntersectClipRect(memory.Get(), area.Left, area.Top, area.Right, area.Bottom);
            PaintLayers(memory.Get());
            SetViewportOrgEx(memory.Get(), 0, 0, nullptr);
            BitBlt(dc, area.Left, area.Top, area.Width(), area.Height(), memory.Get(), 0, 0, SRCCOPY);
        } else {
            PaintLayers(dc);
        }
    }
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::SetClientEdge(bool on)
{
    if (!HandleAllocated())
        return;
    LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    ex = on ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool TWinControl::HasNonClientArea() const
{
    RECT window{};
    RECT client{};
    if (!handle_ || !GetWindowRect(handle_, &window) || !GetClientRect(handle_, &client))
        return true;
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

void TWinControl::PaintControls(HDC dc)
{
    for (size_t i = 0; i < controls_.size(); ++i) {
        TControl* control = controls_[i];
        if (dynamic_cast<TWinControl*>(control) || !control->Visible())
            continue;
        const TRect bounds = control->BoundsRect();
        const RECT r = bounds;
        // Tests the clip region itself, not its bounding box.
        if (bounds.IsEmpty() || !RectVisible(dc, &r))
            continue;
        SavedDC saved(dc);
        POINT origin{};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + bounds.Left, origin.y + bounds.Top, nullptr);
        IntersectClipRect(dc, 0, 0, bounds.Width(), bounds.Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::SyncBoundsFromWindow()
{
    if (!handle_)
        return;
    RECT r{};
    GetWindowRect(handle_, &r);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
    if (IsChildStyle(style))
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    const bool resized = r.right - r.left != Width() || r.bottom - r.top != Height();
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (resized && !(ControlState() & csCreating))
        Resize();
}

bool TWinControl::ReflectNotification(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU)
            child = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU && handle_)
            child = GetDlgItem(handle_, static_cast<int>(message.WParam));
        break;
    }
    default:  // WM_CTLCOLOR*
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    }
    TWinControl* control = detail::ControlFromHandle(child);
    if (!control || control == this)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (windowed->HandleAllocated())
            ::SetParent(windowed->handle_, Handle());
        else if (windowed->Visible() && HandleAllocated())
            windowed->HandleNeeded();
    } else {
        control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* control, bool destroyWindow)
{
    ForgetChild(control);
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        // A child window without a parent has no place to be; one that moves keeps its window.
        if (destroyWindow)
            windowed->DestroyHandle();
    } else if (control->Visible()) {
        control->InvalidateOnParent(control->BoundsRect());
    }
    control->parent_ = nullptr;
}

void TWinControl::ForgetChild(TControl* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (detail::CaptureControl() == control) {
        detail::CaptureControl() = nullptr;
        if (handle_ && GetCapture() == handle_)
            ReleaseCapture();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    if (handle_) {
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // The window's answer (WM_WINDOWPOSCHANGED) has stored the bounds; a window that kept them is the truth.
        return;
    }
    const bool resized = width != Width() || height != Height();
    StoreBounds(left, top, width, height);
    if (resized)
        Resize();
}

TRect TWinControl::ClientRect()
{
    if (!handle_)
        return TControl::ClientRect();
    RECT r{};
    GetClientRect(handle_, &r);
    return r;
}

TPoint TWinControl::ClientOrigin()
{
    if (!handle_)
        return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
}

void TWinControl::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    if (!visible && handle_) {
        const HWND focus = GetFocus();
        if (focus && (focus == handle_ || IsChild(handle_, focus)))
            MoveFocusAway();
    }
    // Stored through the base so that Visible() reads the new value at once.
    TControl::SetVisible(visible);
    if (visible) {
        if (handle_)
            ShowWindow(handle_, SW_SHOWNA);
        else if (Parent() && Parent()->HandleAllocated())
            HandleNeeded();
    } else if (handle_) {
        ShowWindow(handle_, SW_HIDE);
    }
}

bool TWinControl::Showing()
{
    return handle_ && IsWindowVisible(handle_);
}

void TWinControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    if (!enabled && handle_) {
        // The focus leaves before the window is disabled, so that OnExit runs now on every system.
        const HWND focus = GetFocus();
        if (focus && (focus == handle_ || IsChild(handle_, focus)))
            MoveFocusAway();
    }
    TControl::SetEnabled(enabled);
    if (handle_)
        EnableWindow(handle_, enabled);
}

void TWinControl::MoveFocusAway()
{
    TWinControl* top = GetTopParent(this);
    if (top && top != this)
        top->ChildFocused(nullptr);
    if (top && top != this && top->HandleAllocated())
        ::SetFocus(top->Handle());
    else
        ::SetFocus(nullptr);
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, !(ControlStyle() & csOpaque));
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TWinControl::SetFocus()
{
    TWinControl* top = GetTopParent(this);
    if (top && top->DeferFocus(this))
        return;
    if (!CanFocus())
        return;
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

bool TWinControl::CanFocus()
{
    for (TControl* control = this; control; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

bool TWinControl::DeferFocus(TWinControl*)
{
    return false;
}

void TWinControl::ChildFocused(TWinControl*) {}

namespace {

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& stops)
{
    std::vector<TWinControl*> children;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(parent->Controls(i)))
            children.push_back(child);
    // Controls without a tab order (-1) come after the numbered ones, in the order they were added.
    std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
        const unsigned left = static_cast<unsigned>(a->TabOrder());
        const unsigned right = static_cast<unsigned>(b->TabOrder());
        return left < right;
    });
    for (TWinControl* child : children) {
        if (child->TabStop() && child->HandleAllocated() && child->CanFocus())
            stops.push_back(child);
        CollectTabStops(child, stops);
    }
}

}  // namespace

bool TWinControl::SelectNext(TWinControl* current, bool forward)
{
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty())
        return false;
    const auto found = std::find(stops.begin(), stops.end(), current);
    const int count = static_cast<int>(stops.size());
    int index = found == stops.end() ? (forward ? -1 : count) : static_cast<int>(found - stops.begin());
    index = ((forward ? index + 1 : index - 1) % count + count) % count;
    TWinControl* next = stops[static_cast<size_t>(index)];
    if (next == current)
        return false;
    next->SetFocus();
    return true;
}

void TWinControl::SetTabStop(bool value)
{
    if (value == tabStop_)
        return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
    }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::FontChanged(TObject* sender)
{
    if (handle_ && subclassed_) {
        windowFont_ = Font().SharedHandle();
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_ ? windowFont_->Get() : nullptr), TRUE);
    }
    TControl::FontChanged(sender);
}

void TWinControl::TextChanged()
{
    if (handle_)
        SetWindowTextW(handle_, StoredText().c_str());
    Invalidate();
}

std::wstring TWinControl::GetText() const
{
    if (!handle_)
        return TControl::GetText();
    const int length = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle_, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::UpdateTooltip()
{
    if (!handle_)
        return;
    detail::HintWindow::Instance().Set(handle_, ShowHint() ? Hint() : std::wstring());
}

}  // namespace forms
