#include "forms/Picture.h"

namespace forms {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

TBitmap& TPicture::Bitmap()
{
    if (!bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->OnChange = [this](TObject*) { Changed(); };
    }
    return *bitmap_;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        bitmap_.reset();
        Changed();
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (picture->bitmap_) {
            Bitmap().Assign(picture->bitmap_.get());
        } else {
            bitmap_.reset();
            Changed();
        }
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        Bitmap().Assign(bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(bitmap_.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

}  // namespace forms
