#pragma once

#include "forms/Bitmap.h"
#include "forms/Types.h"

#include <array>
#include <memory>

namespace gs {
class GsRadioButton;
}

// The six faces of a key button: 0 unchecked, 1 unchecked hovered and pressed, 2 checked,
// 3 checked hovered and pressed, 4 over the delete mark, 5 pressed on the delete mark.
constexpr int kKeyFaceCount = 6;
using KeyFaceSet = std::array<std::unique_ptr<forms::TBitmap>, kKeyFaceCount>;
using KeyFacePictures = std::array<forms::TBitmap*, kKeyFaceCount>;

// Where a key's name and icon go on its button for a name of the given width: the name is
// centred in 190 pixels after a margin of 25, the 16 x 16 icon 26 pixels before the name.
struct KeyCaptionLayout {
    int leftMargin;
    int iconLeft;
};
KeyCaptionLayout KeyCaptionLayoutFor(int textWidth) noexcept;

// The picture files of the six faces in resource\radiobutton\: an unassigned key has no
// delete mark and shows its checked picture for every hover and press.
std::array<const wchar_t*, kKeyFaceCount> KeyFacePictureNames(bool assigned);

constexpr int kKeyIconSize = 16;
constexpr int kKeyIconTop = 6;

// Composes each face from the patch of `scene` under the button at `origin` with the face's
// picture blended over it and, when there is one, the icon blended at (iconLeft, 6); whatever of
// the icon falls outside the face is dropped. A face whose picture is empty is the bare patch
// in the size of the first face.
KeyFaceSet ComposeKeyFaces(forms::TBitmap& scene, forms::TPoint origin, const KeyFacePictures& pictures,
                           forms::TBitmap* icon, int iconLeft);

// The caption of a key button, the same after every redraw: red, in the selected colour on the
// checked faces and while an unchecked button is held down (the selection to come), one pixel right
// and down while held, plain, on one line, left-aligned after `leftMargin`.
void StyleKeyCaption(gs::GsRadioButton& button, int leftMargin);
