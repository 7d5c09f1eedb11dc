#pragma once

// PNG files written by the tests (8-bit RGBA through libpng's writer).

#include <cstdint>
#include <string>
#include <vector>

namespace controls_test {

// Pixels as 0xAABBGGRR, rows top first.
void WriteRgbaPng(const std::wstring& path, int width, int height, const std::vector<std::uint32_t>& pixels);

// A unique empty folder under the temporary folder, with a trailing backslash.
std::wstring ScratchFolder();

}  // namespace controls_test
