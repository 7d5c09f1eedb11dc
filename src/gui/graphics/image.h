#pragma once

// Bitmap work of the toolkit: blending 32-bit pictures with per-pixel and global alpha, the copies
// between canvases and bitmaps that go with it, premultiplying for layered windows, and window regions
// cut from a picture by a colour key.

#include <windows.h>

#include <cstdint>

#include "forms/Bitmap.h"
#include "forms/Canvas.h"
#include "forms/Types.h"

namespace gs {

// Blends the 32-bit `source` area that starts at `origin` onto `rect` of `dest`, which is made 24-bit
// first. Only the part that lies inside both bitmaps is blended. A source of another format is a
// programming error (checked).
void AlphaBlendBitmap(forms::TBitmap& dest, const forms::TRect& rect, forms::TBitmap& source, forms::TPoint origin,
                      std::uint8_t alpha);

// AlphaBlendBitmap over the whole of `dest` from source origin (0, 0).
void AlphaBlendWholeBitmap(forms::TBitmap& dest, forms::TBitmap& source, std::uint8_t alpha);

// The part of `rect` that can be blended from `source` at `origin` into `dest`; moves `origin` along
// with a clipped left or top edge. An empty or inverted result means nothing to draw.
forms::TRect ClipBlendRect(forms::TSize dest, const forms::TRect& rect, forms::TSize source, forms::TPoint& origin);
forms::TRect ClipBlendRect(const forms::TBitmap& dest, const forms::TRect& rect, const forms::TBitmap& source,
                           forms::TPoint& origin);

// ClipBlendRect on a copy of `origin`, then AlphaBlendBitmap.
void AlphaBlendBitmapClipped(forms::TBitmap& dest, const forms::TRect& rect, forms::TBitmap& source,
                             forms::TPoint origin, std::uint8_t alpha);

// `bitmap` becomes a 24-bit copy of `rect` of the canvas. Leaves the canvas's copy mode at SRCCOPY.
void CopyCanvasRectToBitmap(forms::TCanvas& canvas, forms::TBitmap& bitmap, const forms::TRect& rect);

// Copies the bitmap area at `origin` of `rect`'s size onto `rect` of the canvas. Leaves the canvas's copy
// mode at SRCCOPY.
void CopyBitmapToCanvas(forms::TCanvas& canvas, const forms::TRect& rect, forms::TBitmap& bitmap,
                        forms::TPoint origin);

// Blends a 32-bit picture onto any canvas: what the canvas shows under `rect` is read back, blended
// with the clipped blend and copied back.
void DrawAlphaBitmap(forms::TCanvas& canvas, const forms::TRect& rect, forms::TBitmap& source, forms::TPoint origin,
                     std::uint8_t alpha);

// Multiplies blue, green and red of a 32-bit bitmap by their alpha; other formats are left as they are.
void PremultiplyAlpha(forms::TBitmap& bitmap);

// True for no bitmap and for a bitmap of width or height 0.
bool IsEmptyBitmap(const forms::TBitmap* bitmap);

// A region of every pixel that is not of the key colour; each channel of the key matches from its value
// up to value + tolerance. Null when `bitmap` is null or GDI fails. The caller owns the region.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key, COLORREF tolerance);

}  // namespace gs
