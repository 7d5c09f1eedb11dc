#pragma once

// One glow setting of a caption: the glow painter's opacity, radius, spread, colour and radiation offset,
// the font, and a shift of the whole caption when drawn on a bitmap.

#include <cstdint>
#include <memory>

#include "forms/Font.h"
#include "forms/Object.h"
#include "forms/Types.h"
#include "gui/Painter/TextPainter.h"
#include "gui/controls/GsOuterGlowTextEffectPainter.h"

namespace gs {

class GsTextRadiationEffect : public forms::TPersistent {
public:
    explicit GsTextRadiationEffect(forms::TNotifyEvent onChange = nullptr);
    ~GsTextRadiationEffect() override;

    std::uint8_t Opacity() const { return glow_->Opacity; }
    void SetOpacity(std::uint8_t value);
    unsigned Radius() const { return static_cast<unsigned>(glow_->Radius); }
    void SetRadius(unsigned value);
    std::uint8_t Spread() const { return glow_->Spread; }
    void SetSpread(std::uint8_t value);
    forms::TColor Color() const { return glow_->Color; }
    void SetColor(forms::TColor value);
    int RadiationX() const { return glow_->RadiationX; }
    void SetRadiationX(int value);
    int RadiationY() const { return glow_->RadiationY; }
    void SetRadiationY(int value);
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value);
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value);
    // Changes made through the font object itself report nothing; SetFont copies and reports.
    forms::TFont& Font() { return font_; }
    void SetFont(forms::TFont* font);

    // The painter that draws captions with this setting; owned by the effect.
    TTextPainter* GetTextPainter() { return effectPainter_.get(); }
    TOuterGlowTextPainter& GlowPainter() { return *glow_; }

    // Reports a change to the handler given at construction, if any.
    void Changed();

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    forms::TNotifyEvent onChange_;
    int offsetX_ = 0;
    int offsetY_ = 0;
    forms::TFont font_;
    TextPainterPtr<TOuterGlowTextPainter> glow_;
    std::unique_ptr<GsOuterGlowTextEffectPainter> effectPainter_;
};

}  // namespace gs
