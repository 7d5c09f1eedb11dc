#pragma once

// A fill description: solid colour or clear (no fill, transparent text background).

#include <windows.h>

#include "forms/Color.h"
#include "forms/GdiHandles.h"
#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
public:
    TColor Color() const { return color_; }
    // Setting a colour makes a clear brush solid again.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    // The realized brush: a solid brush of ColorToRGB(Color), or the stock null brush when clear.
    HBRUSH Handle();
    SharedGdiObject<HBRUSH> SharedHandle();

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    SharedGdiObject<HBRUSH> handle_;
};

}  // namespace forms
