#pragma once

// A picture held in a top-down device-independent bitmap with row access.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "forms/Canvas.h"
#include "forms/Color.h"
#include "forms/GdiHandles.h"
#include "forms/Graphic.h"
#include "forms/PixelView.h"

namespace forms {

// pfDevice is the format of a new bitmap; it is stored like pf32bit (4 bytes a pixel) but reported as
// pfDevice until a format is set. Only pfDevice, pf24bit and pf32bit are supported.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;

// The canvas of a bitmap: a memory DC that holds the bitmap selected until the bitmap's handle is taken.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override;
    // Deselects the bitmap and deletes the DC; the next Handle() makes a new one.
    void FreeContext();

protected:
    void CreateHandle() override;
    TBitmap* TargetBitmap() override { return &bitmap_; }
    void Changed() override;

private:
    TBitmap& bitmap_;
    HDC memoryDC_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

// OnChange fires on size changes, format changes, Assign, SetHandle and drawing through Canvas();
// writing through ScanLine fires nothing.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pfDevice);
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width);
    void SetHeight(int height);
    // Keeps the overlapping top-left part of the picture; new pixels are zero.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the stored pixels, keeping the picture; 32 -> 24 drops alpha, 24 -> 32 gives alpha 0.
    void SetPixelFormat(TPixelFormat format);
    // 3 or 4.
    int BytesPerPixel() const { return format_ == pf24bit ? 3 : 4; }

    // Row `row` (0 = top); rows are padded to 4 bytes. Raises EInvalidGraphicOperation out of range.
    std::uint8_t* ScanLine(int row);
    // All rows at once (pending GDI drawing is flushed first).
    PixelView View();

    TCanvas& Canvas();
    // The HBITMAP of the stored DIB (null while empty). Taking it releases the bitmap from the canvas DC, so
    // the caller may select it into a DC of its own; the bitmap keeps owning it.
    HBITMAP Handle();
    bool HandleAllocated() const { return static_cast<bool>(dib_); }
    // Takes over `bitmap` (its pixels become this bitmap's, the handle is deleted): 24- and 32-bit DIB sections
    // keep their format, anything else becomes pfDevice.
    void SetHandle(HBITMAP bitmap);

    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode) { transparentMode_ = mode; }
    // tmAuto: the colour of the bottom-left pixel with 0x02000000 added.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);

    // Copies size, format and pixels of another TBitmap (never sharing them); null empties the bitmap.
    void Assign(TPersistent* source) override;
    // Exchanges size, format and pixels with `other` without copying; both fire OnChange.
    void Swap(TBitmap& other);

    bool Empty() const override { return width_ == 0 || height_ == 0; }

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    friend class TBitmapCanvas;

    // Replaces the storage by a new DIB of the given size and depth, filled with `copyFrom` when given.
    void Reallocate(int width, int height, int bytesPerPixel, const PixelView* copyFrom);
    HBITMAP DibHandle() const { return dib_.Get(); }
    void ReleaseCanvasContext();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = pfDevice;
    BitmapHandle dib_;
    std::uint8_t* bits_ = nullptr;
    TTransparentMode transparentMode_ = tmAuto;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TBitmapCanvas> canvas_;
};

}  // namespace forms
