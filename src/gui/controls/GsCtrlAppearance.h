#pragma once

// Base of the face-bitmap sets of the skinned buttons: answers which bitmap to draw for a check state and a
// draw state, and reports every change of one of its bitmaps by its appearance index.

#include <functional>

#include "forms/Bitmap.h"
#include "forms/Object.h"

namespace gs {

// Appearance index: the draw state (0..5) in a plain or Unchecked set, + 6 in a Checked set, + 12 in a Gray set.
constexpr int kCheckedIndexOffset = 6;
constexpr int kGrayIndexOffset = 12;

// Called with the appearance and the index of the bitmap that changed.
using GsAppearanceChangeEvent = std::function<void(forms::TObject* sender, int index)>;

class GsCtrlAppearance : public forms::TPersistent {
public:
    // The bitmap to draw (owned by the appearance; the caller copies it) and its appearance index.
    virtual forms::TBitmap* GetBitmap(int checkState, int drawState, int& index) = 0;
};

}  // namespace gs
