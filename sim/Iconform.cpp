// Simulated image library: draws an icon into a 32-bit bitmap of the asked size with straight
// (not premultiplied) alpha. The bitmap is bottom-up, the system's default: GetObject reports a
// positive height for either kind, so readers that attach a handle take every section as bottom-up.

#include "CallLog.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// Larger pictures are refused rather than allocated.
constexpr int kMaxSide = 1024;

struct Dib {
    HBITMAP bitmap = nullptr;
    std::uint8_t* bits = nullptr;
};

Dib BottomUpDib(HDC dc, int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Dib dib;
    void* bits = nullptr;
    dib.bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dib.bits = static_cast<std::uint8_t*>(bits);
    return dib;
}

// Draws `icon` with `flags` into a new DIB whose pixels all start as `fill`; null on failure.
HBITMAP Draw(HDC dc, HICON icon, int width, int height, UINT flags, std::uint8_t fill, std::uint8_t*& bits)
{
    Dib dib = BottomUpDib(dc, width, height);
    if (dib.bitmap == nullptr)
        return nullptr;
    std::fill_n(dib.bits, static_cast<std::size_t>(width) * height * 4, fill);
    const HGDIOBJ previous = SelectObject(dc, dib.bitmap);
    SetStretchBltMode(dc, HALFTONE);
    const BOOL drawn = DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, flags);
    SelectObject(dc, previous);
    GdiFlush();
    if (!drawn) {
        DeleteObject(dib.bitmap);
        return nullptr;
    }
    bits = dib.bits;
    return dib.bitmap;
}

HBITMAP Convert(HICON icon, int width, int height)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return nullptr;
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    std::uint8_t* bits = nullptr;
    HBITMAP result = Draw(dc, icon, width, height, DI_NORMAL, 0, bits);
    if (result != nullptr) {
        bool hasAlpha = false;
        for (std::size_t i = 0; i < pixels && !hasAlpha; ++i)
            hasAlpha = bits[i * 4 + 3] != 0;
        if (hasAlpha) {
            // An icon with an alpha channel is drawn premultiplied onto transparent black.
            for (std::size_t i = 0; i < pixels; ++i) {
                std::uint8_t* p = bits + i * 4;
                const unsigned a = p[3];
                for (int c = 0; c < 3; ++c)
                    p[c] = a == 0 ? 0 : static_cast<std::uint8_t>(std::min(255u, (p[c] * 255u + a / 2) / a));
            }
        } else {
            // An icon without one: its mask is black where the icon is opaque.
            std::uint8_t* mask = nullptr;
            const HBITMAP maskBitmap = Draw(dc, icon, width, height, DI_MASK, 0xFF, mask);
            if (maskBitmap == nullptr) {
                DeleteObject(result);
                result = nullptr;
            } else {
                for (std::size_t i = 0; i < pixels; ++i) {
                    std::uint8_t* p = bits + i * 4;
                    if (mask[i * 4] == 0) {
                        p[3] = 255;
                    } else {
                        p[0] = p[1] = p[2] = p[3] = 0;
                    }
                }
                DeleteObject(maskBitmap);
            }
        }
    }
    DeleteDC(dc);
    return result;
}

}  // namespace

extern "C" {

// A new 32-bit bitmap of the icon at width x height, which the caller owns; null for a missing
// icon, a size below 1 or above 1024, or a drawing that failed.
HBITMAP WINAPI GetBitmapFromIcon(HICON icon, int width, int height)
{
    try {
        sim::CallLine("GetBitmapFromIcon")
            .Handle(icon)
            .Word(std::to_string(width))
            .Word(std::to_string(height))
            .Write();
        if (icon == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
            return nullptr;
        return Convert(icon, width, height);
    } catch (...) {
        return nullptr;
    }
}

}  // extern "C"
