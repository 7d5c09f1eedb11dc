#pragma once

// Text painters: small polymorphic objects that draw or measure a caption in a rectangle, on a canvas
// or on a bitmap. The plain painter draws text with a transparent background; the radiate painter draws
// only a computed halo around where the text would be; the outer glow painter draws such a halo in its
// own colour at an offset and the plain text on top.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "forms/Bitmap.h"
#include "forms/Canvas.h"
#include "forms/Color.h"
#include "forms/Types.h"
#include "gui/Painter/GlowFilter.h"

// The painters' operations carry the name the Win32 header turns into a macro.
#ifdef DrawText
#undef DrawText
#endif

namespace gs {

// Texts are zero-terminated; format flags are DrawTextW's and pass through unchanged. The layered flag
// is accepted for every operation but no caller sets it: the painters draw the same either way.
class TTextPainter {
public:
    TTextPainter() = default;
    TTextPainter(const TTextPainter&) = delete;
    TTextPainter& operator=(const TTextPainter&) = delete;

    virtual void DrawText(forms::TCanvas& canvas, const char* text, const forms::TRect& rect, UINT format,
                          bool layered);
    virtual void DrawWideText(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect, UINT format,
                              bool layered);
    virtual void DrawTextOnBitmap(forms::TBitmap& bitmap, const char* text, const forms::TRect& rect, UINT format,
                                  bool layered);
    virtual void DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text, const forms::TRect& rect,
                                      UINT format, bool layered);
    // The measured extent replaces `rect` (DT_CALCRECT).
    virtual void CalcTextRect(forms::TCanvas& canvas, const char* text, forms::TRect& rect, UINT format);
    virtual void CalcWideTextRect(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect, UINT format);
    // Gives the painter back after use: plain painters are shared or embedded and stay; the glow painters
    // delete themselves.
    virtual void Release();
    virtual ~TTextPainter() = default;

protected:
    // The plain draw: transparent background, DrawTextA/W on a copy of the rectangle.
    static void PlainDraw(forms::TCanvas& canvas, const char* text, const forms::TRect& rect, UINT format);
    static void PlainDraw(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect, UINT format);
    static void PlainMeasure(forms::TCanvas& canvas, const char* text, forms::TRect& rect, UINT format);
    static void PlainMeasure(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect, UINT format);
};

// Ends a painter through Release.
struct TextPainterRelease {
    void operator()(TTextPainter* painter) const
    {
        if (painter)
            painter->Release();
    }
};
template <class P>
using TextPainterPtr = std::unique_ptr<P, TextPainterRelease>;

// The six drawing and measuring operations of Base, for narrow and wide text alike, done by Derived's
// Paint (on the canvas, with the bitmap it belongs to when drawing on one) and Measure. Made for the two
// painters below in their source file.
template <class Derived, class Base>
class TextPainterOperations : public Base {
public:
    void DrawText(forms::TCanvas& canvas, const char* text, const forms::TRect& rect, UINT format,
                  bool layered) override;
    void DrawWideText(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect, UINT format,
                      bool layered) override;
    void DrawTextOnBitmap(forms::TBitmap& bitmap, const char* text, const forms::TRect& rect, UINT format,
                          bool layered) override;
    void DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text, const forms::TRect& rect, UINT format,
                              bool layered) override;
    void CalcTextRect(forms::TCanvas& canvas, const char* text, forms::TRect& rect, UINT format) override;
    void CalcWideTextRect(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect, UINT format) override;

private:
    Derived& Self() { return static_cast<Derived&>(*this); }
};

// The halo: the text drawn white on black into a 32-bit layer, its luminance spread by the radial glow
// kernel, written as alpha over a fill in the target canvas's font colour, then blended onto the target.
class TRadiateTextPainter : public TextPainterOperations<TRadiateTextPainter, TTextPainter> {
public:
    TRadiateTextPainter() = default;

    void Release() override;

    // The glow mask of `rect` of the layer (rect height x rect width).
    IntMatrix BuildGlowMask(forms::TBitmap& layer, const forms::TRect& rect);
    // Turns the layer into the halo: a fill of `haloColor` with the glow mask as alpha.
    void ColorizeGlow(forms::TBitmap& layer, const forms::TRect& rect, forms::TColor haloColor);

    // Strength of the halo (255 = full).
    std::uint8_t Opacity = 255;
    // Reach of the halo in pixels, and the inset of the text.
    int Radius = 0;
    // The part of the radius (Spread / 255) that gets full strength.
    std::uint8_t Spread = 0;

protected:
    friend class TextPainterOperations<TRadiateTextPainter, TTextPainter>;
    // Draws only the halo.
    template <class Char>
    void Paint(forms::TCanvas& target, forms::TBitmap* targetBitmap, const Char* text, const forms::TRect& rect,
               UINT format);
    // The plain extent grown by 2 x Radius both ways when it is not empty.
    template <class Char>
    void Measure(forms::TCanvas& canvas, const Char* text, forms::TRect& rect, UINT format);

private:
    OuterGlowFilterFactory filterFactory_;
};

// The halo in Color, shifted right and down by the radiation offset, with the plain text on top.
class TOuterGlowTextPainter : public TextPainterOperations<TOuterGlowTextPainter, TRadiateTextPainter> {
public:
    TOuterGlowTextPainter() = default;

    void Release() override;

    // The glow colour.
    forms::TColor Color = 0xBFFFFF;
    // How far the halo lies right of and below the text.
    int RadiationX = 0;
    int RadiationY = 0;

private:
    friend class TextPainterOperations<TOuterGlowTextPainter, TRadiateTextPainter>;
    template <class Char>
    void Paint(forms::TCanvas& target, forms::TBitmap* targetBitmap, const Char* text, const forms::TRect& rect,
               UINT format);
    // The radiate extent grown by the radiation offset when it is not empty.
    template <class Char>
    void Measure(forms::TCanvas& canvas, const Char* text, forms::TRect& rect, UINT format);
};

// The process-wide plain painter, made on first use and kept until the process ends.
TTextPainter* GetDefaultTextPainter();

// A new outer glow painter with its initial settings; end it with Release.
TextPainterPtr<TOuterGlowTextPainter> CreateOuterGlowTextPainter();

// Luminance of every pixel of `rect` (height x width cells), rounded half up; cells outside the bitmap
// are 0. A bitmap that is neither 24- nor 32-bit is converted to 24-bit first.
IntMatrix ComputeLuminance(forms::TBitmap& bitmap, const forms::TRect& rect);

// Writes the mask into the alpha bytes of `rect` of a 32-bit bitmap: values above 255 are lowered to 255
// (in the mask too); a pixel whose value is 0 also turns black. Other formats are left untouched.
void WriteMaskToAlpha(forms::TBitmap& bitmap, const forms::TRect& rect, IntMatrix& mask);

}  // namespace gs
