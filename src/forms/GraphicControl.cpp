#include "forms/GraphicControl.h"

namespace forms {

namespace {

// Unbinds the paint DC however Paint ends.
class PaintBinding {
public:
    PaintBinding(TControlCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.BindPaintDC(dc); }
    ~PaintBinding() { canvas_.BindPaintDC(nullptr); }
    PaintBinding(const PaintBinding&) = delete;
    PaintBinding& operator=(const PaintBinding&) = delete;

private:
    TControlCanvas& canvas_;
};

}  // namespace

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(*this) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam) {
        PaintBinding binding(canvas_, reinterpret_cast<HDC>(message.WParam));
        Paint();
        return;
    }
    TControl::WndProc(message);
}

}  // namespace forms
