#pragma once

// A drawing surface over a device context, with a font and a brush that are realized into the DC
// whenever the DC is asked for.

#include <windows.h>

#include <string>

#include "forms/Brush.h"
#include "forms/Color.h"
#include "forms/Font.h"
#include "forms/GdiHandles.h"
#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

class TGraphic;
class TBitmap;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The DC, made on demand. Asking for it selects the font (and sets the text colour to the font's) and the
    // brush: a solid brush also sets the background colour to the brush colour and the background mode to
    // OPAQUE, a clear brush sets TRANSPARENT. Raw GDI calls on the handle therefore see both.
    HDC Handle();
    // Binds the canvas to a DC it does not own (nullptr unbinds). The font and brush are deselected
    // from the previous DC first.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    // Copies (Assign), never shares.
    void SetFont(TFont* font) { font_.Assign(font); }
    void SetBrush(TBrush* brush) { brush_.Assign(brush); }
    // Raster operation of CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD mode) { copyMode_ = mode; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    // Stretches srcRect of `source` onto dest with CopyMode.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);
    // Plain copy at (x, y); a 32-bit bitmap's alpha does not blend.
    void Draw(int x, int y, TGraphic& graphic);
    // Nearest-neighbour stretch onto rect. Between bitmaps every byte is kept, alpha included.
    void StretchDraw(const TRect& rect, TGraphic& graphic);
    void TextOut(int x, int y, const std::wstring& text);
    // Text at (x, y) clipped to rect; a solid brush fills rect behind it.
    void TextRect(const TRect& rect, int x, int y, const std::wstring& text);
    TSize TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    TRect ClipRect();

    // Around every drawing method: OnChanging before, OnChange after.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // Makes the DC when none is bound (bitmap canvases, control canvases); the base makes none.
    virtual void CreateHandle() {}
    // Installs a DC from CreateHandle; the canvas treats it like one given to SetHandle.
    void SetHandleInternal(HDC dc);
    // Deselects the font and brush so the DC can be released or reused.
    void DeselectHandles();
    // The bitmap this canvas draws on, for bitmap-to-bitmap copies done on the pixels.
    virtual TBitmap* TargetBitmap() { return nullptr; }
    virtual void Changing();
    virtual void Changed();

private:
    // FillRect and FrameRect: `draw` with the brush, unless the brush is clear.
    void DrawWithBrush(const TRect& rect, int(WINAPI* draw)(HDC, const RECT*, HBRUSH));
    void Realize();
    bool DirectPixelAccess();

    HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    DWORD copyMode_ = SRCCOPY;
    SharedGdiObject<HFONT> selectedFont_;
    SharedGdiObject<HBRUSH> selectedBrush_;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
};

}  // namespace forms
