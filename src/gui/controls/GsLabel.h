#pragma once

// A label whose caption is drawn with an outer glow; the glow settings are published as Radiation.
// A disabled label draws its caption plain in the grey-text colour.

#include <memory>

#include "forms/Label.h"
#include "gui/Painter/TextPainter.h"
#include "gui/controls/GsRadiation.h"

namespace gs {

class GsLabel : public forms::TCustomLabel {
public:
    explicit GsLabel(forms::TComponent* owner);
    ~GsLabel() override;

    GsRadiation& Radiation() { return *radiation_; }
    // Copies the settings into the label's own.
    void SetRadiation(GsRadiation* value);

    TOuterGlowTextPainter& GlowPainter() { return *glow_; }

protected:
    void DoDrawText(forms::TRect& rect, UINT flags) override;

private:
    friend class GsRadiation;
    void RadiationChanged() { AdjustBounds(); }

    TextPainterPtr<TOuterGlowTextPainter> glow_;
    std::unique_ptr<GsRadiation> radiation_;
};

}  // namespace gs
