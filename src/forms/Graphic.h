#pragma once

// Base of the pictures a canvas can draw (bitmaps and icons).

#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

class TCanvas;

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }

    // Fired whenever the picture changes.
    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the whole picture onto the canvas, stretched to `rect`.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
    virtual void Changed() { if (OnChange) OnChange(this); }
};

}  // namespace forms
