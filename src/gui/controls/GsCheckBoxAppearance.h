#pragma once

// The face bitmaps of a check box: push-button sets for unchecked, checked and grayed. The lookup takes the
// Checked set for check state 1 and the Unchecked set otherwise, so a grayed box shows its Unchecked set;
// the Gray set is kept, copied and reported (indexes 12..17) all the same.

#include <memory>

#include "gui/controls/GsButtonAppearance.h"

namespace gs {

class GsCheckBoxAppearance : public GsCtrlAppearance {
public:
    explicit GsCheckBoxAppearance(GsAppearanceChangeEvent onChange = nullptr);
    ~GsCheckBoxAppearance() override;

    forms::TBitmap* GetBitmap(int checkState, int drawState, int& index) override;

    GsButtonAppearance* Unchecked() const { return unchecked_.get(); }
    GsButtonAppearance* Checked() const { return checked_.get(); }
    GsButtonAppearance* Gray() const { return gray_.get(); }
    // Writers copy the pictures into the held sets, which stay owned by this appearance.
    void SetUnchecked(GsButtonAppearance* value);
    void SetChecked(GsButtonAppearance* value);
    void SetGray(GsButtonAppearance* value);

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    // Notices of the three sets, raised by 6 for the Checked set and by 12 for the Gray set.
    void SubChanged(forms::TObject* sender, int index);

    std::unique_ptr<GsButtonAppearance> checked_;
    std::unique_ptr<GsButtonAppearance> unchecked_;
    std::unique_ptr<GsButtonAppearance> gray_;
    GsAppearanceChangeEvent onChange_;
};

}  // namespace gs
