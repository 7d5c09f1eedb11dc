#include "TestPng.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include <png.h>

namespace controls_test {

void WriteRgbaPng(const std::wstring& path, int width, int height, const std::vector<std::uint32_t>& pixels)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels.size() * 4);
    for (std::uint32_t p : pixels) {
        bytes.push_back(static_cast<std::uint8_t>(p));
        bytes.push_back(static_cast<std::uint8_t>(p >> 8));
        bytes.push_back(static_cast<std::uint8_t>(p >> 16));
        bytes.push_back(static_cast<std::uint8_t>(p >> 24));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        throw std::runtime_error("cannot create the test picture");
    const int ok = png_image_write_to_stdio(&image, file, 0, bytes.data(), 0, nullptr);
    std::fclose(file);
    if (!ok)
        throw std::runtime_error("cannot write the test picture");
}

std::wstring ScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    std::wstring folder = std::wstring(temp) + L"controls_tests_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                          std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace controls_test
