#pragma once

// The face bitmaps of a radio button: a push-button set for unchecked and one for checked. A checked
// button whose Checked set is wholly empty shows its Unchecked set.

#include <memory>

#include "gui/controls/GsButtonAppearance.h"

namespace gs {

class GsRadioButtonAppearance : public GsCtrlAppearance {
public:
    explicit GsRadioButtonAppearance(GsAppearanceChangeEvent onChange = nullptr);
    ~GsRadioButtonAppearance() override;

    forms::TBitmap* GetBitmap(int checkState, int drawState, int& index) override;

    GsButtonAppearance* Unchecked() const { return unchecked_.get(); }
    GsButtonAppearance* Checked() const { return checked_.get(); }
    // Writers copy the pictures into the held sets, which stay owned by this appearance.
    void SetUnchecked(GsButtonAppearance* value);
    void SetChecked(GsButtonAppearance* value);

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    // Notices of the two sets, raised by 6 for the Checked set.
    void SubChanged(forms::TObject* sender, int index);

    std::unique_ptr<GsButtonAppearance> checked_;
    std::unique_ptr<GsButtonAppearance> unchecked_;
    GsAppearanceChangeEvent onChange_;
};

// The Checked set's bitmap for check state 1 when it has one, else the Unchecked set's; shared by the
// radio-button and check-box appearances.
forms::TBitmap* GetCheckableBitmap(GsButtonAppearance& unchecked, GsButtonAppearance& checked, int checkState,
                                   int drawState, int& index);

}  // namespace gs
