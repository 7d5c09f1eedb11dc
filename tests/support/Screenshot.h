#pragma once

// A picture of the whole screen (or its top-left part) of the test display, saved as PNG for people to
// look at. Needs gallery_pictures (the PNG writer).

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PngEncoder.h"

// The screen's pixels as 0xRRGGBB, row 0 at the top.
class Screenshot {
public:
    Screenshot(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width) * height)
    {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < pixels_.size(); ++i)
            pixels_[i] = source[i] & 0xFFFFFF;
        SelectObject(memory, old);
        DeleteObject(dib);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

    void Save(const std::wstring& path) const
    {
        RgbaPicture picture(width_, height_);
        for (std::size_t i = 0; i < pixels_.size(); ++i)
            picture.pixels[i] = 0xFF000000 | pixels_[i];
        WritePngFile(path, picture, false);
    }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};
