#include "gui/controls/GsRadioButtonOuterGlowTextEffect.h"

namespace gs {

GsRadioButtonOuterGlowTextEffect::GsRadioButtonOuterGlowTextEffect()
    : unchecked_(std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler()))
{
}

GsRadioButtonOuterGlowTextEffect::GsRadioButtonOuterGlowTextEffect(forms::TNotifyEvent onChange)
    : GsCtrlTextEffect(std::move(onChange)),
      unchecked_(std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler()))
{
}

GsRadioButtonOuterGlowTextEffect::~GsRadioButtonOuterGlowTextEffect()
{
    checked_.reset();
    unchecked_.reset();
}

TTextPainter* GsRadioButtonOuterGlowTextEffect::GetPainter(int checkState, int drawState)
{
    if (checkState == 1)
        return Checked().GetPainter(checkState, drawState);
    return unchecked_->GetPainter(checkState, drawState);
}

GsButtonOuterGlowTextEffect& GsRadioButtonOuterGlowTextEffect::Checked()
{
    if (!checked_) {
        checked_ = std::make_unique<GsButtonOuterGlowTextEffect>(EffectChangedHandler());
        checked_->Assign(unchecked_.get());
    }
    return *checked_;
}

void GsRadioButtonOuterGlowTextEffect::SetUnchecked(GsButtonOuterGlowTextEffect* value)
{
    if (value != unchecked_.get())
        unchecked_->Assign(value);
}

void GsRadioButtonOuterGlowTextEffect::SetChecked(GsButtonOuterGlowTextEffect* value)
{
    if (!checked_ || value != checked_.get())
        Checked().Assign(value);
}

void GsRadioButtonOuterGlowTextEffect::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsRadioButtonOuterGlowTextEffect>(dest);
    to->Unchecked().Assign(&Unchecked());
    to->Checked().Assign(&Checked());
}

}  // namespace gs
