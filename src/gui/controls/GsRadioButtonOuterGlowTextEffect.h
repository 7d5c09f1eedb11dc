#pragma once

// The glow settings of a radio button: one push-button family for the unchecked and one for the checked
// state. Checked is made on first use as a copy of Unchecked.

#include <memory>

#include "gui/controls/GsButtonOuterGlowTextEffect.h"

namespace gs {

class GsRadioButtonOuterGlowTextEffect : public GsCtrlTextEffect {
public:
    GsRadioButtonOuterGlowTextEffect();
    explicit GsRadioButtonOuterGlowTextEffect(forms::TNotifyEvent onChange);
    ~GsRadioButtonOuterGlowTextEffect() override;

    // Check state 1 takes Checked, any other Unchecked.
    TTextPainter* GetPainter(int checkState, int drawState) override;

    GsButtonOuterGlowTextEffect& Unchecked() { return *unchecked_; }
    GsButtonOuterGlowTextEffect& Checked();
    // Writers copy the contents (Assign); the held objects are never replaced.
    void SetUnchecked(GsButtonOuterGlowTextEffect* value);
    void SetChecked(GsButtonOuterGlowTextEffect* value);

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    std::unique_ptr<GsButtonOuterGlowTextEffect> checked_;
    std::unique_ptr<GsButtonOuterGlowTextEffect> unchecked_;
};

}  // namespace gs
