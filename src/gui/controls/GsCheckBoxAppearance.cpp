#include "gui/controls/GsCheckBoxAppearance.h"

#include "gui/controls/GsRadioButtonAppearance.h"

namespace gs {

GsCheckBoxAppearance::GsCheckBoxAppearance(GsAppearanceChangeEvent onChange) : onChange_(std::move(onChange))
{
    const auto sub = [this](forms::TObject* sender, int index) { SubChanged(sender, index); };
    unchecked_ = std::make_unique<GsButtonAppearance>(sub);
    checked_ = std::make_unique<GsButtonAppearance>(sub);
    gray_ = std::make_unique<GsButtonAppearance>(sub);
}

GsCheckBoxAppearance::~GsCheckBoxAppearance()
{
    unchecked_.reset();
    checked_.reset();
    gray_.reset();
}

forms::TBitmap* GsCheckBoxAppearance::GetBitmap(int checkState, int drawState, int& index)
{
    return GetCheckableBitmap(*unchecked_, *checked_, checkState, drawState, index);
}

void GsCheckBoxAppearance::SetUnchecked(GsButtonAppearance* value)
{
    if (value != unchecked_.get())
        unchecked_->Assign(value);
}

void GsCheckBoxAppearance::SetChecked(GsButtonAppearance* value)
{
    if (value != checked_.get())
        checked_->Assign(value);
}

void GsCheckBoxAppearance::SetGray(GsButtonAppearance* value)
{
    if (value != gray_.get())
        gray_->Assign(value);
}

void GsCheckBoxAppearance::SubChanged(forms::TObject* sender, int index)
{
    if (sender == checked_.get())
        index += kCheckedIndexOffset;
    else if (sender == gray_.get())
        index += kGrayIndexOffset;
    if (onChange_)
        onChange_(this, index);
}

void GsCheckBoxAppearance::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsCheckBoxAppearance>(dest);
    to->unchecked_->Assign(unchecked_.get());
    to->checked_->Assign(checked_.get());
    to->gray_->Assign(gray_.get());
}

}  // namespace gs
