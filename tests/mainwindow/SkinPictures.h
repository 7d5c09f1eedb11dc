#pragma once

// The skin pictures of a program folder, read with the program's own PNG library, and the
// colours the screen must show where they are drawn.

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class TBitmap;
}

namespace mainwindow {

class SkinPictures {
public:
    explicit SkinPictures(const std::wstring& programFolder);
    ~SkinPictures();

    bool Loaded() const;
    // Colours as 0xRRGGBB.
    std::uint32_t Background(int x, int y) const;
    std::uint32_t Popup(int x, int y) const;
    // Pixel (px, py) of a picture under resource\ blended over the background at (bx, by), as
    // the window composes its controls.
    std::uint32_t Blend(const std::wstring& picture, int px, int py, int bx, int by) const;

    // Points near the corners of BG.png / popup.png in the window's key colour.
    std::vector<POINT> KeyColouredCorners() const;
    std::vector<POINT> PopupKeyColouredCorners() const;
    // A point of tab_n.png in the tabs' key colour (outside every tab).
    POINT TabCutPoint() const;
    // A point of the dialog's picture that no control covers.
    POINT PopupBodyPoint() const { return {144, 142}; }

private:
    forms::TBitmap& Picture(const std::wstring& name) const;

    std::wstring resource_;
    mutable std::map<std::wstring, std::unique_ptr<forms::TBitmap>> pictures_;
};

} // namespace mainwindow
