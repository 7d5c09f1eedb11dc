#pragma once

// The glow settings of a push button, one per draw state. Raised exists from the start; every other state
// is made on first use from Raised and is a separate copy from then on.

#include <memory>

#include "gui/controls/GsCtrlTextEffect.h"
#include "gui/controls/GsTextRadiationEffect.h"

namespace gs {

class GsButtonOuterGlowTextEffect : public GsCtrlTextEffect {
public:
    GsButtonOuterGlowTextEffect();
    explicit GsButtonOuterGlowTextEffect(forms::TNotifyEvent onChange);
    ~GsButtonOuterGlowTextEffect() override;

    // The check state is not used.
    TTextPainter* GetPainter(int checkState, int drawState) override;

    GsTextRadiationEffect& Raised() { return *raised_; }
    GsTextRadiationEffect& Sunken();
    GsTextRadiationEffect& Hovered();
    GsTextRadiationEffect& Disabled();
    GsTextRadiationEffect& Focused();
    GsTextRadiationEffect& Active();
    // The state for a draw state; values outside 1..5 give Raised.
    GsTextRadiationEffect& State(int drawState);

    // Writers copy the contents (Assign); the held objects are never replaced.
    void SetRaised(GsTextRadiationEffect* value);
    void SetSunken(GsTextRadiationEffect* value);
    void SetHovered(GsTextRadiationEffect* value);
    void SetDisabled(GsTextRadiationEffect* value);
    void SetFocused(GsTextRadiationEffect* value);
    void SetActive(GsTextRadiationEffect* value);

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    // Makes `state` a copy of Raised that reports to this family.
    GsTextRadiationEffect& MakeCopyOfRaised(std::unique_ptr<GsTextRadiationEffect>& state);
    void CopyInto(GsTextRadiationEffect& (GsButtonOuterGlowTextEffect::*reader)(),
                  const std::unique_ptr<GsTextRadiationEffect>& held, GsTextRadiationEffect* value);

    std::unique_ptr<GsTextRadiationEffect> raised_;
    std::unique_ptr<GsTextRadiationEffect> sunken_;
    std::unique_ptr<GsTextRadiationEffect> hovered_;
    std::unique_ptr<GsTextRadiationEffect> disabled_;
    std::unique_ptr<GsTextRadiationEffect> focused_;
    std::unique_ptr<GsTextRadiationEffect> active_;
};

}  // namespace gs
