#pragma once

// PNG files made by the tests themselves: through libpng's writer for every colour type, bit depth and
// interlace method, and one assembled by hand from zlib and CRCs as an independent check.

#include <cstdint>
#include <string>
#include <vector>

namespace testpng {

using Bytes = std::vector<std::uint8_t>;

struct Picture {
    int Width = 0;
    int Height = 0;
    int ColorType = 0;  // PNG_COLOR_TYPE_*
    int BitDepth = 8;
    bool Interlaced = false;
    // Rows as the PNG stores them (packed for depths below 8, big-endian for 16).
    std::vector<Bytes> Rows;
    // Palette as R, G, B triples; tRNS alphas for palette pictures.
    Bytes Palette;
    Bytes PaletteAlpha;
    // Write a gAMA chunk of 1/2.2 (must not change any decoded value).
    bool Gamma = false;
};

Picture Make(int width, int height, int colorType, int bitDepth);
Bytes Encode(const Picture& picture);

// An 8-bit RGBA PNG of the given pixels (R, G, B, A per pixel, rows top first), built by hand.
Bytes HandMadeRgba(int width, int height, const Bytes& pixels);

// A unique empty folder under the temporary folder, with a trailing backslash.
std::wstring ScratchFolder();
void WriteFile(const std::wstring& path, const Bytes& bytes);

// Big-endian 16-bit samples.
void Put16(Bytes& row, unsigned value);

}  // namespace testpng
