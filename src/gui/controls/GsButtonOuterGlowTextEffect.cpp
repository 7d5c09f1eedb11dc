#include "gui/controls/GsButtonOuterGlowTextEffect.h"

#include "forms/Color.h"

namespace gs {

GsButtonOuterGlowTextEffect::GsButtonOuterGlowTextEffect()
    : raised_(std::make_unique<GsTextRadiationEffect>(EffectChangedHandler()))
{
}

GsButtonOuterGlowTextEffect::GsButtonOuterGlowTextEffect(forms::TNotifyEvent onChange)
    : GsCtrlTextEffect(std::move(onChange)), raised_(std::make_unique<GsTextRadiationEffect>(EffectChangedHandler()))
{
}

GsButtonOuterGlowTextEffect::~GsButtonOuterGlowTextEffect() = default;

TTextPainter* GsButtonOuterGlowTextEffect::GetPainter(int, int drawState)
{
    return State(drawState).GetTextPainter();
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::State(int drawState)
{
    switch (drawState) {
    case dsSunken:
        return Sunken();
    case dsHovered:
        return Hovered();
    case dsDisabled:
        return Disabled();
    case dsFocused:
        return Focused();
    case dsActive:
        return Active();
    default:
        return Raised();
    }
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::MakeCopyOfRaised(std::unique_ptr<GsTextRadiationEffect>& state)
{
    // Held before the copy reports its change, so a handler that reads the state finds it.
    state = std::make_unique<GsTextRadiationEffect>(EffectChangedHandler());
    state->Assign(raised_.get());
    return *state;
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::Sunken()
{
    if (!sunken_) {
        // Only the font is taken over, so making Sunken reports no change.
        sunken_ = std::make_unique<GsTextRadiationEffect>(EffectChangedHandler());
        sunken_->Font().Assign(&raised_->Font());
    }
    return *sunken_;
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::Hovered()
{
    if (!hovered_)
        MakeCopyOfRaised(hovered_);
    return *hovered_;
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::Disabled()
{
    if (!disabled_)
        MakeCopyOfRaised(disabled_).Font().SetColor(forms::clGrayText);
    return *disabled_;
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::Focused()
{
    if (!focused_)
        MakeCopyOfRaised(focused_);
    return *focused_;
}

GsTextRadiationEffect& GsButtonOuterGlowTextEffect::Active()
{
    if (!active_)
        MakeCopyOfRaised(active_);
    return *active_;
}

void GsButtonOuterGlowTextEffect::CopyInto(GsTextRadiationEffect& (GsButtonOuterGlowTextEffect::*reader)(),
                                           const std::unique_ptr<GsTextRadiationEffect>& held,
                                           GsTextRadiationEffect* value)
{
    if (held && value == held.get())
        return;
    (this->*reader)().Assign(value);
}

void GsButtonOuterGlowTextEffect::SetRaised(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Raised, raised_, value);
}

void GsButtonOuterGlowTextEffect::SetSunken(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Sunken, sunken_, value);
}

void GsButtonOuterGlowTextEffect::SetHovered(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Hovered, hovered_, value);
}

void GsButtonOuterGlowTextEffect::SetDisabled(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Disabled, disabled_, value);
}

void GsButtonOuterGlowTextEffect::SetFocused(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Focused, focused_, value);
}

void GsButtonOuterGlowTextEffect::SetActive(GsTextRadiationEffect* value)
{
    CopyInto(&GsButtonOuterGlowTextEffect::Active, active_, value);
}

void GsButtonOuterGlowTextEffect::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsButtonOuterGlowTextEffect>(dest);
    to->Raised().Assign(&Raised());
    to->Sunken().Assign(&Sunken());
    to->Hovered().Assign(&Hovered());
    to->Disabled().Assign(&Disabled());
    to->Focused().Assign(&Focused());
    to->Active().Assign(&Active());
}

}  // namespace gs
