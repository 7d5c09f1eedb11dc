#include "gui/controls/GsTextRadiationEffect.h"

#include "gui/controls/StoreChanged.h"

namespace gs {

GsTextRadiationEffect::GsTextRadiationEffect(forms::TNotifyEvent onChange)
    : onChange_(std::move(onChange)),
      glow_(CreateOuterGlowTextPainter()),
      effectPainter_(std::make_unique<GsOuterGlowTextEffectPainter>(*this))
{
}

GsTextRadiationEffect::~GsTextRadiationEffect() = default;

void GsTextRadiationEffect::Changed()
{
    if (onChange_)
        onChange_(this);
}

void GsTextRadiationEffect::SetOpacity(std::uint8_t value)
{
    if (StoreChanged(glow_->Opacity, value))
        Changed();
}

void GsTextRadiationEffect::SetRadius(unsigned value)
{
    if (StoreChanged(glow_->Radius, value))
        Changed();
}

void GsTextRadiationEffect::SetSpread(std::uint8_t value)
{
    if (StoreChanged(glow_->Spread, value))
        Changed();
}

void GsTextRadiationEffect::SetColor(forms::TColor value)
{
    if (StoreChanged(glow_->Color, value))
        Changed();
}

void GsTextRadiationEffect::SetRadiationX(int value)
{
    if (StoreChanged(glow_->RadiationX, value))
        Changed();
}

void GsTextRadiationEffect::SetRadiationY(int value)
{
    if (StoreChanged(glow_->RadiationY, value))
        Changed();
}

void GsTextRadiationEffect::SetOffsetX(int value)
{
    if (StoreChanged(offsetX_, value))
        Changed();
}

void GsTextRadiationEffect::SetOffsetY(int value)
{
    if (StoreChanged(offsetY_, value))
        Changed();
}

void GsTextRadiationEffect::SetFont(forms::TFont* font)
{
    if (font == &font_)
        return;
    font_.Assign(font);
    Changed();
}

void GsTextRadiationEffect::AssignTo(forms::TPersistent* dest)
{
    auto* effect = forms::As<GsTextRadiationEffect>(dest);
    TOuterGlowTextPainter& to = *effect->glow_;
    to.Opacity = glow_->Opacity;
    to.Radius = glow_->Radius;
    to.Spread = glow_->Spread;
    to.Color = glow_->Color;
    effect->offsetX_ = offsetX_;
    effect->offsetY_ = offsetY_;
    to.RadiationX = glow_->RadiationX;
    to.RadiationY = glow_->RadiationY;
    effect->font_.Assign(&font_);
    effect->Changed();
}

}  // namespace gs
