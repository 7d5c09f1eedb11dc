#pragma once

// Base of the skinned buttons: a windowed control that tracks hover (with mouse-leave and an optional
// auto-repeat of mouse-down while the pointer rests), mouse press and Space/Enter itself, redraws at once on
// each change and never lets the system erase its background.

#include "forms/Bitmap.h"
#include "forms/CustomControl.h"

namespace gs {

class GsCustomControl : public forms::TCustomControl {
public:
    explicit GsCustomControl(forms::TComponent* owner);
    ~GsCustomControl() override;

    // Repeats mouse-down at each hover time-out while a button is held still on the control.
    bool Repeated() const { return repeated_; }
    void SetRepeated(bool value) { repeated_ = value; }

    void SetEnabled(bool enabled) override;

    // Whether a client point lies on the control.
    virtual bool HitTest(int x, int y);

    bool IsHovered() const { return hovered_; }
    bool IsKeyPressed() const { return keyPressed_; }
    bool IsMousePressed() const { return mousePressed_; }
    // Appearance index of the face drawn last; -1 before the first paint.
    int DrawnIndex() const { return drawnIndex_; }

    forms::TNotifyEvent OnMouseEnter;
    forms::TNotifyEvent OnMouseLeave;

protected:
    void WndProc(forms::TMessage& message) override;
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& key, forms::TShiftState shift) override;
    void KeyUp(WORD& key, forms::TShiftState shift) override;

    // Paints now, before returning, when the window exists.
    void DrawNow();
    // Whether this control's window has the keyboard focus. Followed from the focus messages: asking the
    // system is a round trip to the window server under Wine, and every paint asks.
    bool HasFocus();

    int drawnIndex_ = -1;

private:
    void ArmMouseTracking();
    void MouseHover(const forms::TMessage& message);
    void MouseLeft();

    bool repeated_ = false;
    bool focused_ = false;
    bool hovered_ = false;
    bool keyPressed_ = false;
    bool mousePressed_ = false;
};

}  // namespace gs
