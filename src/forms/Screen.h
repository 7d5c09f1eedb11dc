#pragma once

// What the layer needs to know about the screen.

namespace forms {

class TScreen {
public:
    // Logical pixels per inch of the screen (96 at 100 %); read once.
    int PixelsPerInch() const;
    int Width() const;
    int Height() const;
};

TScreen& Screen();

}  // namespace forms
