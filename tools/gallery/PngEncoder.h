#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture of straight (not premultiplied) RGBA pixels, row 0 at the top.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB

    RgbaPicture() = default;
    RgbaPicture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Encodes the picture as an 8-bit PNG: colour type 6 (RGBA) when `withAlpha`, else 2 (RGB, the
// alpha bytes dropped). Returns the file's bytes.
std::vector<std::uint8_t> EncodePng(const RgbaPicture& picture, bool withAlpha);

// Writes the encoded picture; false when the file cannot be written.
bool WritePngFile(const std::wstring& path, const RgbaPicture& picture, bool withAlpha);
