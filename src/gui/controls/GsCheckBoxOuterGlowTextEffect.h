#pragma once

// The glow settings of a check box: one push-button family each for unchecked, checked and grayed.
// Checked and Grayed are made on first use as copies of Unchecked; Grayed's Raised text turns grey.

#include <memory>

#include "gui/controls/GsButtonOuterGlowTextEffect.h"

namespace gs {

class GsCheckBoxOuterGlowTextEffect : public GsCtrlTextEffect {
public:
    GsCheckBoxOuterGlowTextEffect();
    explicit GsCheckBoxOuterGlowTextEffect(forms::TNotifyEvent onChange);
    ~GsCheckBoxOuterGlowTextEffect() override;

    // Check state 1 takes Checked, 2 Grayed, any other Unchecked.
    TTextPainter* GetPainter(int checkState, int drawState) override;

    GsButtonOuterGlowTextEffect& Unchecked() { return *unchecked_; }
    GsButtonOuterGlowTextEffect& Checked();
    GsButtonOuterGlowTextEffect& Grayed();
    // Writers copy the contents (Assign); the held objects are never replaced.
    void SetUnchecked(GsButtonOuterGlowTextEffect* value);
    void SetChecked(GsButtonOuterGlowTextEffect* value);
    void SetGrayed(GsButtonOuterGlowTextEffect* value);

    static constexpr forms::TColor kGrayedTextColor = 0x808080;

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    std::unique_ptr<GsButtonOuterGlowTextEffect> checked_;
    std::unique_ptr<GsButtonOuterGlowTextEffect> unchecked_;
    std::unique_ptr<GsButtonOuterGlowTextEffect> grayed_;
};

}  // namespace gs
