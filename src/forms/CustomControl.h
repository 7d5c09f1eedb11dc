#pragma once

// Windowed controls that draw themselves entirely in Paint.

#include "forms/WinControl.h"

namespace forms {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // During Paint: the DC being painted. Outside painting (drawing "at once") it takes a DC of the window.
    TControlCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TControlCanvas canvas_;
};

}  // namespace forms
