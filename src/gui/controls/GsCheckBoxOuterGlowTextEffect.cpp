#include "gui/controls/GsCheckBoxOuterGlowTextEffect.h"

namespace gs {

GsCheckBoxOuterGlowTextEffect::GsCheckBoxOuterGlowTextEffect()
    : unchecked_(std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler()))
{
}

GsCheckBoxOuterGlowTextEffect::GsCheckBoxOuterGlowTextEffect(forms::TNotifyEvent onChange)
    : GsCtrlTextEffect(std::move(onChange)),
      unchecked_(std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler()))
{
}

GsCheckBoxOuterGlowTextEffect::~GsCheckBoxOuterGlowTextEffect() = default;

TTextPainter* GsCheckBoxOuterGlowTextEffect::GetPainter(int checkState, int drawState)
{
    switch (checkState) {
    case 1:
        return Checked().GetPainter(checkState, drawState);
    case 2:
        return Grayed().GetPainter(checkState, drawState);
    default:
        return unchecked_->GetPainter(checkState, drawState);
    }
}

GsButtonOuterGlowTextEffect& GsCheckBoxOuterGlowTextEffect::Checked()
{
    if (!checked_) {
        checked_ = std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler());
        checked_->Assign(unchecked_.get());
    }
    return *checked_;
}

GsButtonOuterGlowTextEffect& GsCheckBoxOuterGlowTextEffect::Grayed()
{
    if (!grayed_) {
        grayed_ = std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler());
        grayed_->Assign(unchecked_.get());
        grayed_->Raised().Font().SetColor(kGrayedTextColor);
    }
    return *grayed_;
}

void GsCheckBoxOuterGlowTextEffect::SetUnchecked(GsButtonOuterGlowTextEffect* value)
{
    if (value != unchecked_.get())
        unchecked_->Assign(value);
}

void GsCheckBoxOuterGlowTextEffect::SetChecked(GsButtonOuterGlowTextEffect* value)
{
    if (!checked_ || value != checked_.get())
        Checked().Assign(value);
}

void GsCheckBoxOuterGlowTextEffect::SetGrayed(GsButtonOuterGlowTextEffect* value)
{
    if (!grayed_ || value != grayed_.get())
        Grayed().Assign(value);
}

void GsCheckBoxOuterGlowTextEffect::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsCheckBoxOuterGlowTextEffect>(dest);
    to->Unchecked().Assign(&Unchecked());
    to->Checked().Assign(&Checked());
    to->Grayed().Assign(&Grayed());
}

}  // namespace gs
