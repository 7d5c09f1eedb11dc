#include "forms/CustomControl.h"

namespace forms {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_.BindPaintDC(dc);
    try {
        Paint();
    } catch (...) {
        canvas_.BindPaintDC(nullptr);
        throw;
    }
    canvas_.BindPaintDC(nullptr);
}

}  // namespace forms
