#pragma once

// The gallery's own skin pictures, drawn in code.

#include "GalleryLayout.h"
#include "PngEncoder.h"

namespace gallery {

enum class BoxKind { CheckBox, Radio };

// The window picture: a vertical gradient with key-coloured corner triangles.
RgbaPicture PaintBackground();
// An opaque push-button face of the given fill.
RgbaPicture PaintButtonFace(std::uint32_t fill);
// A check-box or radio-button face: an opaque box at the left, a transparent caption area.
RgbaPicture PaintBoxFace(BoxKind kind, std::uint32_t fill, bool mark);
// Three thirds of one colour at alpha 255, 128 and 0.
RgbaPicture PaintBlendPicture();
// The edit box's frame picture with a flat centre.
RgbaPicture PaintEditFrame(std::uint32_t centre);
// The translucent plate of the layered window: rounded, with a soft edge.
RgbaPicture PaintLayeredPlate();

// Straight colour with alpha, as 0xAARRGGBB.
constexpr std::uint32_t Argb(std::uint8_t alpha, std::uint32_t rgb)
{
    return static_cast<std::uint32_t>(alpha) << 24 | (rgb & 0xFFFFFF);
}

} // namespace gallery
