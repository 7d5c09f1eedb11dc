#pragma once

// The six face bitmaps of a push button, one per draw state, with a fixed fallback when a state has no
// picture: Sunken, Focused and Active fall back to Hovered, Hovered and Disabled to Raised.

#include <array>
#include <memory>

#include "gui/controls/GsCtrlAppearance.h"
#include "gui/controls/GsCtrlTextEffect.h"

namespace gs {

class GsButtonAppearance : public GsCtrlAppearance {
public:
    explicit GsButtonAppearance(GsAppearanceChangeEvent onChange = nullptr);
    ~GsButtonAppearance() override;

    // The check state is not used. A draw state outside 0..5 counts as Raised; an empty Raised bitmap is
    // returned when the whole chain is empty.
    forms::TBitmap* GetBitmap(int checkState, int drawState, int& index) override;

    // The owned bitmap of a draw state (0..5).
    forms::TBitmap* Bitmap(int drawState) const { return bitmaps_.at(static_cast<size_t>(drawState)).get(); }
    // Copies the contents into the owned bitmap of that state and reports its index.
    void SetBitmap(int drawState, forms::TBitmap* value);

    forms::TBitmap* Raised() const { return Bitmap(dsRaised); }
    forms::TBitmap* Sunken() const { return Bitmap(dsSunken); }
    forms::TBitmap* Hovered() const { return Bitmap(dsHovered); }
    forms::TBitmap* Disabled() const { return Bitmap(dsDisabled); }
    forms::TBitmap* Focused() const { return Bitmap(dsFocused); }
    forms::TBitmap* Active() const { return Bitmap(dsActive); }
    void SetRaised(forms::TBitmap* value) { SetBitmap(dsRaised, value); }
    void SetSunken(forms::TBitmap* value) { SetBitmap(dsSunken, value); }
    void SetHovered(forms::TBitmap* value) { SetBitmap(dsHovered, value); }
    void SetDisabled(forms::TBitmap* value) { SetBitmap(dsDisabled, value); }
    void SetFocused(forms::TBitmap* value) { SetBitmap(dsFocused, value); }
    void SetActive(forms::TBitmap* value) { SetBitmap(dsActive, value); }

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    // OnChange of every owned bitmap.
    void BitmapChanged(forms::TObject* sender);
    void Notify(int index);

    std::array<std::unique_ptr<forms::TBitmap>, kDrawStateCount> bitmaps_;
    GsAppearanceChangeEvent onChange_;
};

}  // namespace gs
