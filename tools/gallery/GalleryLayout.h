#pragma once

// Where the gallery puts its windows and controls, and the colours of the pictures it draws. The
// screenshot test reads the same numbers.

#include <cstdint>

namespace gallery {

// Colours as 0xRRGGBB.
constexpr std::uint32_t kKeyColour = 0xFF00FF;       // cut out of the main window's region
constexpr std::uint32_t kBackgroundTop = 0x20242C;
constexpr std::uint32_t kBackgroundBottom = 0x0C0E12;

// Push-button faces: a one-pixel frame around an opaque fill, one fill per state picture.
constexpr std::uint32_t kButtonFrame = 0x101010;
constexpr std::uint32_t kButtonRaised = 0x3C5A78;
constexpr std::uint32_t kButtonSunken = 0x28405A;
constexpr std::uint32_t kButtonHovered = 0x5A84AA;
constexpr std::uint32_t kButtonDisabled = 0x707070;

// Check-box and radio-button faces (opaque): the box or dot fill by check state and draw state.
constexpr std::uint32_t kBoxUncheckedRaised = 0x2E3440;
constexpr std::uint32_t kBoxUncheckedHovered = 0x434C5E;
constexpr std::uint32_t kBoxCheckedRaised = 0x2E8B57;
constexpr std::uint32_t kBoxCheckedHovered = 0x3CB371;
constexpr std::uint32_t kBoxDisabled = 0x3A3A3A;
constexpr std::uint32_t kBoxMark = 0xF0F0F0;

// The alpha-blended picture: left third opaque, middle third alpha 128, right third alpha 0.
constexpr std::uint32_t kBlendColour = 0xE0A030;
constexpr std::uint8_t kBlendHalfAlpha = 128;

// The translucent layered window: a rounded plate of this colour at this alpha.
constexpr std::uint32_t kLayeredColour = 0x3080E0;
constexpr std::uint8_t kLayeredAlpha = 160;

struct Rect {
    int left, top, width, height;
};

constexpr Rect kMainForm{40, 70, 640, 420};
constexpr int kCornerCut = 28; // key-coloured triangle at each corner of the main picture

constexpr int kButtonWidth = 104;
constexpr int kButtonHeight = 30;
constexpr int kButtonCount = 5; // raised, hovered, sunken, disabled, focused
constexpr int kButtonsLeft = 28;
constexpr int kButtonsTop = 48;
constexpr int kButtonStep = 118;

constexpr int kBoxSize = 22; // check boxes and radio buttons (face without caption room)
constexpr int kBoxWidth = 130;
constexpr int kBoxesTop = 110;
constexpr int kBoxesLeft = 28;
constexpr int kBoxStep = 150;

constexpr int kLabelsTop = 160;
constexpr int kLabelsLeft = 28;

constexpr Rect kBlendImage{28, 230, 240, 60};
constexpr Rect kEdit{320, 230, 260, 32};
// The edit box's picture centre; the edit takes this colour (0x03030A as a COLORREF).
constexpr std::uint32_t kEditCentre = 0x0A0303;
constexpr std::uint32_t kEditText = 0xE0E0E0;
constexpr int kEditInset = 6;

constexpr Rect kLayeredForm{660, 130, 240, 180};

constexpr Rect ButtonRect(int index)
{
    return {kButtonsLeft + index * kButtonStep, kButtonsTop, kButtonWidth, kButtonHeight};
}

constexpr Rect BoxRect(int index)
{
    return {kBoxesLeft + index * kBoxStep, kBoxesTop, kBoxWidth, kBoxSize};
}

} // namespace gallery
