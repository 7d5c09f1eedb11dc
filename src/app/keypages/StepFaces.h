#pragma once

#include "forms/Bitmap.h"

#include <string>
#include <string_view>

// The pictures of the Macro Keys page's step slots.

// The face of a filled step: the picture of the step's kind blended over the slot's face, only
// where the two bitmaps overlap (a slot made for a key may take a delay and the other way round).
void BlendStepFace(forms::TBitmap& face, forms::TBitmap& kindPicture);

// What a step shows: "<digits> ms" for a delay (kind 3), a key's text as it is.
std::wstring StepCaption(int kind, std::wstring_view text);

// `picture` becomes a copy of `face` with the step's caption written in its text field: Arial 16,
// grey, centred, cut with an ellipsis, over the field colour of the kind.
void PaintStepPicture(forms::TBitmap& picture, forms::TBitmap& face, int kind, std::wstring_view text);

// `picture` becomes the picture of a filled step: the kind picture blended over a copy of the slot's
// face, with the caption. The face is left as it is, so that a slot drawn again looks the same.
void PaintFilledStep(forms::TBitmap& picture, forms::TBitmap& face, forms::TBitmap& kindPicture, int kind,
                     std::wstring_view text);
