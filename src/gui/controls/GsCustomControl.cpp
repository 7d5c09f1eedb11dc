#include "gui/controls/GsCustomControl.h"

namespace gs {

GsCustomControl::GsCustomControl(forms::TComponent* owner) : forms::TCustomControl(owner)
{
    SetParentFont(false);
}

GsCustomControl::~GsCustomControl() = default;

bool GsCustomControl::HitTest(int x, int y)
{
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

bool GsCustomControl::HasFocus()
{
    return HandleAllocated() && focused_;
}

void GsCustomControl::DrawNow()
{
    if (HandleAllocated())
        Paint();
}

void GsCustomControl::SetEnabled(bool enabled)
{
    forms::TCustomControl::SetEnabled(enabled);
    Invalidate();
}

void GsCustomControl::ArmMouseTracking()
{
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = repeated_ ? (TME_HOVER | TME_LEAVE) : TME_LEAVE;
    track.hwndTrack = Handle();
    track.dwHoverTime = HOVER_DEFAULT;
    TrackMouseEvent(&track);
}

void GsCustomControl::MouseMove(forms::TShiftState shift, int x, int y)
{
    if (HitTest(x, y)) {
        if (!hovered_) {
            ArmMouseTracking();
            hovered_ = true;
            DrawNow();
            if (OnMouseEnter)
                OnMouseEnter(this);
        }
    } else if (hovered_) {
        hovered_ = false;
        DrawNow();
    }
    forms::TCustomControl::MouseMove(shift, x, y);
}

void GsCustomControl::MouseLeft()
{
    hovered_ = false;
    DrawNow();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void GsCustomControl::MouseHover(const forms::TMessage& message)
{
    forms::TShiftState shift = 0;
    if (message.WParam & MK_LBUTTON)
        shift |= forms::ssLeft;
    if (message.WParam & MK_RBUTTON)
        shift |= forms::ssRight;
    if (message.WParam & MK_MBUTTON)
        shift |= forms::ssMiddle;
    if (message.WParam & MK_SHIFT)
        shift |= forms::ssShift;
    if (message.WParam & MK_CONTROL)
        shift |= forms::ssCtrl;
    const int x = static_cast<int>(LOWORD(message.LParam));
    const int y = static_cast<int>(HIWORD(message.LParam));
    if (message.WParam & MK_LBUTTON)
        MouseDown(forms::mbLeft, shift, x, y);
    else if (message.WParam & MK_RBUTTON)
        MouseDown(forms::mbRight, shift, x, y);
    else if (message.WParam & MK_MBUTTON)
        MouseDown(forms::mbMiddle, shift, x, y);
    ArmMouseTracking();
}

void GsCustomControl::MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y)
{
    if (button == forms::mbLeft && !mousePressed_) {
        mousePressed_ = true;
        DrawNow();
    }
    forms::TCustomControl::MouseDown(button, shift, x, y);
}

void GsCustomControl::MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y)
{
    if (button == forms::mbLeft && mousePressed_) {
        mousePressed_ = false;
        DrawNow();
    }
    forms::TCustomControl::MouseUp(button, shift, x, y);
}

void GsCustomControl::KeyDown(WORD& key, forms::TShiftState shift)
{
    if ((key == VK_SPACE || key == VK_RETURN) && !keyPressed_) {
        keyPressed_ = true;
        DrawNow();
    }
    forms::TCustomControl::KeyDown(key, shift);
}

void GsCustomControl::KeyUp(WORD& key, forms::TShiftState shift)
{
    if ((key == VK_SPACE || key == VK_RETURN) && keyPressed_) {
        keyPressed_ = false;
        DrawNow();
    }
    forms::TCustomControl::KeyUp(key, shift);
}

void GsCustomControl::DoEnter()
{
    focused_ = true;
    DrawNow();
    forms::TCustomControl::DoEnter();
}

void GsCustomControl::DoExit()
{
    focused_ = false;
    DrawNow();
    forms::TCustomControl::DoExit();
}

void GsCustomControl::WndProc(forms::TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // The face covers the whole control.
        message.Result = 1;
        return;
    case WM_CAPTURECHANGED:
        mousePressed_ = false;
        Invalidate();
        break;
    case WM_MOUSEHOVER:
        MouseHover(message);
        message.Result = 0;
        return;
    case WM_MOUSELEAVE:
        MouseLeft();
        break;
    case WM_DESTROY:
        // A window that goes while it has the focus need not be told that it lost it.
        focused_ = false;
        break;
    default:
        break;
    }
    forms::TCustomControl::WndProc(message);
}

}  // namespace gs
