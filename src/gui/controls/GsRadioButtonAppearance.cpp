#include "gui/controls/GsRadioButtonAppearance.h"

#include "gui/graphics/image.h"

namespace gs {

forms::TBitmap* GetCheckableBitmap(GsButtonAppearance& unchecked, GsButtonAppearance& checked, int checkState,
                                   int drawState, int& index)
{
    index = drawState;
    if (checkState == 1) {
        forms::TBitmap* bitmap = checked.GetBitmap(checkState, drawState, index);
        if (!IsEmptyBitmap(bitmap)) {
            index += kCheckedIndexOffset;
            return bitmap;
        }
    }
    return unchecked.GetBitmap(checkState, drawState, index);
}

GsRadioButtonAppearance::GsRadioButtonAppearance(GsAppearanceChangeEvent onChange) : onChange_(std::move(onChange))
{
    const auto sub = [this](forms::TObject* sender, int index) { SubChanged(sender, index); };
    unchecked_ = std::make_unique<GsButtonAppearance>(sub);
    checked_ = std::make_unique<GsButtonAppearance>(sub);
}

GsRadioButtonAppearance::~GsRadioButtonAppearance()
{
    unchecked_.reset();
    checked_.reset();
}

forms::TBitmap* GsRadioButtonAppearance::GetBitmap(int checkState, int drawState, int& index)
{
    return GetCheckableBitmap(*unchecked_, *checked_, checkState, drawState, index);
}

void GsRadioButtonAppearance::SetUnchecked(GsButtonAppearance* value)
{
    if (value != unchecked_.get())
        unchecked_->Assign(value);
}

void GsRadioButtonAppearance::SetChecked(GsButtonAppearance* value)
{
    if (value != checked_.get())
        checked_->Assign(value);
}

void GsRadioButtonAppearance::SubChanged(forms::TObject* sender, int index)
{
    if (sender == checked_.get())
        index += kCheckedIndexOffset;
    if (onChange_)
        onChange_(this, index);
}

void GsRadioButtonAppearance::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsRadioButtonAppearance>(dest);
    to->unchecked_->Assign(unchecked_.get());
    to->checked_->Assign(checked_.get());
}

}  // namespace gs
