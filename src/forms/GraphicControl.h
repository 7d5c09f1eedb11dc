#pragma once

// Windowless controls: painted by their parent window, in z-order, on the parent's drawing.

#include <memory>

#include "forms/Control.h"

namespace forms {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // During Paint: the parent's DC with the origin at this control and drawing clipped to it. Outside
    // painting it takes a DC of the parent window the same way.
    TControlCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint() {}
    void WndProc(TMessage& message) override;

private:
    TControlCanvas canvas_;
};

}  // namespace forms
