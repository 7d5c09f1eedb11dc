#pragma once

// Base of the caption effects of the skinned buttons: hands out the text painter for a check state and a
// draw state, and passes any change deep inside on to one change handler.

#include "forms/Object.h"
#include "forms/Types.h"
#include "gui/Painter/TextPainter.h"

namespace gs {

// Draw states of a skinned control.
enum GsDrawState : int {
    dsRaised = 0,
    dsSunken = 1,
    dsHovered = 2,
    dsDisabled = 3,
    dsFocused = 4,
    dsActive = 5,
};
constexpr int kDrawStateCount = 6;

class GsCtrlTextEffect : public forms::TPersistent {
public:
    GsCtrlTextEffect() = default;
    explicit GsCtrlTextEffect(forms::TNotifyEvent onChange) : onChange_(std::move(onChange)) {}

    // The painter of the settings for this check state (0 unchecked, 1 checked, 2 grayed) and draw state.
    virtual TTextPainter* GetPainter(int checkState, int drawState) = 0;

    // Installed in every owned object: reports the family object itself to its handler.
    void EffectChanged(forms::TObject* sender);

protected:
    forms::TNotifyEvent EffectChangedHandler()
    {
        return [this](forms::TObject* sender) { EffectChanged(sender); };
    }

private:
    forms::TNotifyEvent onChange_;
};

}  // namespace gs
