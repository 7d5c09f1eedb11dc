#pragma once

// A picture holder for images: holds a bitmap, made on first use.

#include <memory>

#include "forms/Bitmap.h"
#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The held bitmap, made (empty) when there is none. Its changes raise the picture's OnChange.
    TBitmap& Bitmap();
    // The held bitmap or null; never makes one.
    TBitmap* Graphic() const { return bitmap_.get(); }
    int Width() const { return bitmap_ ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ ? bitmap_->Height() : 0; }

    // From a TPicture or a TBitmap (copied); null drops the held bitmap.
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void Changed();

    std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace forms
