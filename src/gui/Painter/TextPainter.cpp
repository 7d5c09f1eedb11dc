#include "gui/Painter/TextPainter.h"

#include <algorithm>
#include <cstring>

#include "gui/graphics/FloatModel.h"
#include "gui/graphics/PixelArithmetic.h"
#include "gui/graphics/image.h"

namespace gs {

namespace {

int CallDrawText(HDC dc, const char* text, RECT& rect, UINT format)
{
    return ::DrawTextA(dc, text, -1, &rect, format);
}

int CallDrawText(HDC dc, const wchar_t* text, RECT& rect, UINT format)
{
    return ::DrawTextW(dc, text, -1, &rect, format);
}

}  // namespace

// ---- plain painter ----

void TTextPainter::PlainDraw(forms::TCanvas& canvas, const char* text, const forms::TRect& rect, UINT format)
{
    const HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT r = rect;
    CallDrawText(dc, text, r, format);
}

void TTextPainter::PlainDraw(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect, UINT format)
{
    const HDC dc = canvas.Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT r = rect;
    CallDrawText(dc, text, r, format);
}

void TTextPainter::PlainMeasure(forms::TCanvas& canvas, const char* text, forms::TRect& rect, UINT format)
{
    RECT r = rect;
    CallDrawText(canvas.Handle(), text, r, format | DT_CALCRECT);
    rect = r;
}

void TTextPainter::PlainMeasure(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect, UINT format)
{
    RECT r = rect;
    CallDrawText(canvas.Handle(), text, r, format | DT_CALCRECT);
    rect = r;
}

void TTextPainter::DrawText(forms::TCanvas& canvas, const char* text, const forms::TRect& rect, UINT format, bool)
{
    PlainDraw(canvas, text, rect, format);
}

void TTextPainter::DrawWideText(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect, UINT format,
                                bool)
{
    PlainDraw(canvas, text, rect, format);
}

void TTextPainter::DrawTextOnBitmap(forms::TBitmap& bitmap, const char* text, const forms::TRect& rect, UINT format,
                                    bool)
{
    PlainDraw(bitmap.Canvas(), text, rect, format);
}

void TTextPainter::DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text, const forms::TRect& rect,
                                        UINT format, bool)
{
    PlainDraw(bitmap.Canvas(), text, rect, format);
}

void TTextPainter::CalcTextRect(forms::TCanvas& canvas, const char* text, forms::TRect& rect, UINT format)
{
    PlainMeasure(canvas, text, rect, format);
}

void TTextPainter::CalcWideTextRect(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect, UINT format)
{
    PlainMeasure(canvas, text, rect, format);
}

void TTextPainter::Release() {}

// ---- the operations of the derived painters ----

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::DrawText(forms::TCanvas& canvas, const char* text,
                                                    const forms::TRect& rect, UINT format, bool)
{
    Self().Paint(canvas, nullptr, text, rect, format);
}

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::DrawWideText(forms::TCanvas& canvas, const wchar_t* text,
                                                        const forms::TRect& rect, UINT format, bool)
{
    Self().Paint(canvas, nullptr, text, rect, format);
}

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::DrawTextOnBitmap(forms::TBitmap& bitmap, const char* text,
                                                            const forms::TRect& rect, UINT format, bool)
{
    Self().Paint(bitmap.Canvas(), &bitmap, text, rect, format);
}

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text,
                                                                const forms::TRect& rect, UINT format, bool)
{
    Self().Paint(bitmap.Canvas(), &bitmap, text, rect, format);
}

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::CalcTextRect(forms::TCanvas& canvas, const char* text,
                                                        forms::TRect& rect, UINT format)
{
    Self().Measure(canvas, text, rect, format);
}

template <class Derived, class Base>
void TextPainterOperations<Derived, Base>::CalcWideTextRect(forms::TCanvas& canvas, const wchar_t* text,
                                                            forms::TRect& rect, UINT format)
{
    Self().Measure(canvas, text, rect, format);
}

// ---- radiate painter ----

template <class Char>
void TRadiateTextPainter::Paint(forms::TCanvas& target, forms::TBitmap* targetBitmap, const Char* text,
                                const forms::TRect& rect, UINT format)
{
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0)
        return;

    forms::TBitmap layer(width, height, forms::pf32bit);
    const forms::PixelView pixels = layer.View();
    for (int y = 0; y < height; ++y)
        std::memset(pixels.Row(y), 0, static_cast<std::size_t>(width) * 4);
    forms::TCanvas& layerCanvas = layer.Canvas();
    layerCanvas.Font().Assign(&target.Font());
    layerCanvas.Font().SetColor(forms::clWhite);
    PlainDraw(layerCanvas, text, forms::TRect(Radius, Radius, width - Radius, height - Radius), format);

    ColorizeGlow(layer, forms::TRect(0, 0, width, height), target.Font().Color());

    if (targetBitmap)
        AlphaBlendBitmapClipped(*targetBitmap, rect, layer, forms::TPoint(0, 0), 255);
    else
        DrawAlphaBitmap(target, rect, layer, forms::TPoint(0, 0), 255);
}

template <class Char>
void TRadiateTextPainter::Measure(forms::TCanvas& canvas, const Char* text, forms::TRect& rect, UINT format)
{
    PlainMeasure(canvas, text, rect, format);
    if (rect.Width() > 0 && rect.Height() > 0) {
        rect.Right += 2 * Radius;
        rect.Bottom += 2 * Radius;
    }
}

void TRadiateTextPainter::Release()
{
    delete this;
}

IntMatrix TRadiateTextPainter::BuildGlowMask(forms::TBitmap& layer, const forms::TRect& rect)
{
    const IntMatrix luminance = ComputeLuminance(layer, rect);
    IntMatrix mask(luminance.Rows(), luminance.Columns());
    filterFactory_.SetInnerFraction(static_cast<float>(Spread) / 255.0f);
    filterFactory_.SetStrength(static_cast<float>(Opacity) / 255.0f);
    std::shared_ptr<const Filter> filter = filterFactory_.GetFilter(Radius, Radius);
    ApplyFilter(*filter, luminance, 0, 0, luminance.Rows(), luminance.Columns(), mask, 0, 0);
    filterFactory_.ReleaseFilter(filter);
    return mask;
}

void TRadiateTextPainter::ColorizeGlow(forms::TBitmap& layer, const forms::TRect& rect, forms::TColor haloColor)
{
    IntMatrix mask = BuildGlowMask(layer, rect);
    forms::TCanvas& canvas = layer.Canvas();
    canvas.Brush().SetColor(forms::ColorToRGB(haloColor));
    canvas.FillRect(forms::TRect(0, 0, rect.Width(), rect.Height()));
    WriteMaskToAlpha(layer, rect, mask);
}

// ---- outer glow painter ----

template <class Char>
void TOuterGlowTextPainter::Paint(forms::TCanvas& target, forms::TBitmap* targetBitmap, const Char* text,
                                  const forms::TRect& rect, UINT format)
{
    const forms::TColor remembered = target.Font().Color();
    target.Font().SetColor(Color);
    const forms::TRect textRect(rect.Left + Radius, rect.Top + Radius, rect.Right - Radius - RadiationX,
                                rect.Bottom - Radius - RadiationY);
    const forms::TRect glowRect(rect.Left + RadiationX, rect.Top + RadiationY, rect.Right, rect.Bottom);
    if (Radius != 0)
        TRadiateTextPainter::Paint(target, targetBitmap, text, glowRect, format);
    target.Font().SetColor(remembered);
    PlainDraw(target, text, textRect, format);
}

template <class Char>
void TOuterGlowTextPainter::Measure(forms::TCanvas& canvas, const Char* text, forms::TRect& rect, UINT format)
{
    TRadiateTextPainter::Measure(canvas, text, rect, format);
    if (rect.Width() != 0 && rect.Height() != 0) {
        rect.Right += RadiationX;
        rect.Bottom += RadiationY;
    }
}

void TOuterGlowTextPainter::Release()
{
    delete this;
}

template class TextPainterOperations<TRadiateTextPainter, TTextPainter>;
template class TextPainterOperations<TOuterGlowTextPainter, TRadiateTextPainter>;

// ---- free functions ----

TTextPainter* GetDefaultTextPainter()
{
    static TTextPainter painter;
    return &painter;
}

TextPainterPtr<TOuterGlowTextPainter> CreateOuterGlowTextPainter()
{
    return TextPainterPtr<TOuterGlowTextPainter>(new TOuterGlowTextPainter);
}

IntMatrix ComputeLuminance(forms::TBitmap& bitmap, const forms::TRect& rect)
{
    IntMatrix result(rect.Height(), rect.Width());
    if (bitmap.PixelFormat() != forms::pf24bit && bitmap.PixelFormat() != forms::pf32bit)
        bitmap.SetPixelFormat(forms::pf24bit);
    const forms::TRect area = rect.Intersect(forms::TRect(0, 0, bitmap.Width(), bitmap.Height()));
    if (area.IsEmpty())
        return result;
    const forms::PixelView view = bitmap.View();
    const int step = view.BytesPerPixel;
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint8_t* p = view.Row(y) + static_cast<std::ptrdiff_t>(area.Left) * step;
        std::int32_t* out = result[y - rect.Top] + (area.Left - rect.Left);
        for (int x = area.Left; x < area.Right; ++x, p += step)
            *out++ = Luminance(p[2], p[1], p[0]);
    }
    return result;
}

void WriteMaskToAlpha(forms::TBitmap& bitmap, const forms::TRect& rect, IntMatrix& mask)
{
    if (bitmap.PixelFormat() != forms::pf32bit)
        return;
    const forms::TRect area = rect.Intersect(forms::TRect(0, 0, bitmap.Width(), bitmap.Height()))
                                  .Intersect(forms::TRect(rect.Left, rect.Top, rect.Left + mask.Columns(),
                                                          rect.Top + mask.Rows()));
    if (area.IsEmpty())
        return;
    const forms::PixelView view = bitmap.View();
    for (int y = area.Top; y < area.Bottom; ++y) {
        std::uint8_t* p = view.Row(y) + static_cast<std::ptrdiff_t>(area.Left) * 4;
        std::int32_t* cell = mask[y - rect.Top] + (area.Left - rect.Left);
        for (int x = area.Left; x < area.Right; ++x, p += 4, ++cell) {
            if (*cell > 255)
                *cell = 255;
            const std::int32_t value = std::max(*cell, 0);
            p[3] = static_cast<std::uint8_t>(value);
            if (value == 0)
                p[0] = p[1] = p[2] = 0;
        }
    }
}

}  // namespace gs
