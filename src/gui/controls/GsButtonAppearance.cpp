#include "gui/controls/GsButtonAppearance.h"

#include "gui/graphics/image.h"

namespace gs {

namespace {

// Where a state without a picture of its own looks next; Raised ends the chain.
constexpr int kFallback[kDrawStateCount] = {dsRaised, dsHovered, dsRaised, dsRaised, dsHovered, dsHovered};

}  // namespace

GsButtonAppearance::GsButtonAppearance(GsAppearanceChangeEvent onChange) : onChange_(std::move(onChange))
{
    for (auto& bitmap : bitmaps_) {
        bitmap = std::make_unique<forms::TBitmap>();
        bitmap->OnChange = [this](forms::TObject* sender) { BitmapChanged(sender); };
    }
}

GsButtonAppearance::~GsButtonAppearance()
{
    // No notices while the bitmaps go.
    for (auto& bitmap : bitmaps_)
        bitmap->OnChange = nullptr;
}

forms::TBitmap* GsButtonAppearance::GetBitmap(int, int drawState, int& index)
{
    unsigned state = static_cast<unsigned>(drawState);
    if (state >= kDrawStateCount)
        state = dsRaised;
    while (state != dsRaised && IsEmptyBitmap(bitmaps_[state].get()))
        state = kFallback[state];
    index = static_cast<int>(state);
    return bitmaps_[state].get();
}

void GsButtonAppearance::SetBitmap(int drawState, forms::TBitmap* value)
{
    Bitmap(drawState)->Assign(value);
    Notify(drawState);
}

void GsButtonAppearance::BitmapChanged(forms::TObject* sender)
{
    for (size_t i = 0; i < bitmaps_.size(); ++i) {
        if (bitmaps_[i].get() == sender) {
            Notify(static_cast<int>(i));
            return;
        }
    }
}

void GsButtonAppearance::Notify(int index)
{
    if (onChange_)
        onChange_(this, index);
}

void GsButtonAppearance::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsButtonAppearance>(dest);
    for (size_t i = 0; i < bitmaps_.size(); ++i)
        to->bitmaps_[i]->Assign(bitmaps_[i].get());
}

}  // namespace gs
