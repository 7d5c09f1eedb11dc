#pragma once

// The gallery's skin files: every picture drawn in code and written as a PNG into one folder.

#include <array>
#include <string>
#include <vector>

namespace gallery {

struct SkinFiles {
    std::wstring folder;
    std::wstring background;
    std::array<std::wstring, 4> button;    // raised, sunken, hovered, disabled
    std::array<std::wstring, 8> checkBox;  // unchecked raised, hovered, sunken, disabled; then checked
    std::array<std::wstring, 6> radio;     // the radio-button factory's order
    std::wstring blend;
    std::wstring edit;
    std::wstring plate;

    // Every file written, in the order above.
    std::vector<std::wstring> All() const;
};

// Writes the pictures into `folder` (made when missing, with a trailing backslash added when
// absent). False when a file cannot be written.
bool WriteSkins(std::wstring folder, SkinFiles& files);

// A folder of the user's temporary files for the gallery's pictures.
std::wstring DefaultSkinFolder();

} // namespace gallery
