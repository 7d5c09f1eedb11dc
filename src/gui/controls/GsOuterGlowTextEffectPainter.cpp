#include "gui/controls/GsOuterGlowTextEffectPainter.h"

#include <type_traits>

#include "gui/controls/GsTextRadiationEffect.h"
#include "gui/graphics/image.h"

namespace gs {

namespace {

void DrawOn(TOuterGlowTextPainter& glow, forms::TBitmap& bitmap, const char* text, const forms::TRect& rect,
            UINT format, bool layered)
{
    glow.DrawTextOnBitmap(bitmap, text, rect, format, layered);
}

void DrawOn(TOuterGlowTextPainter& glow, forms::TBitmap& bitmap, const wchar_t* text, const forms::TRect& rect,
            UINT format, bool layered)
{
    glow.DrawWideTextOnBitmap(bitmap, text, rect, format, layered);
}

}  // namespace

void GsOuterGlowTextEffectPainter::DrawText(forms::TCanvas& canvas, const char* text, const forms::TRect& rect,
                                            UINT format, bool layered)
{
    canvas.Font().Assign(&effect_.Font());
    effect_.GlowPainter().DrawText(canvas, text, rect, format, layered);
}

void GsOuterGlowTextEffectPainter::DrawWideText(forms::TCanvas& canvas, const wchar_t* text, const forms::TRect& rect,
                                                UINT format, bool layered)
{
    canvas.Font().Assign(&effect_.Font());
    effect_.GlowPainter().DrawWideText(canvas, text, rect, format, layered);
}

void GsOuterGlowTextEffectPainter::DrawTextOnBitmap(forms::TBitmap& bitmap, const char* text,
                                                    const forms::TRect& rect, UINT format, bool layered)
{
    DrawOffsetOnBitmap(bitmap, text, rect, format, layered);
}

void GsOuterGlowTextEffectPainter::DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text,
                                                        const forms::TRect& rect, UINT format, bool layered)
{
    DrawOffsetOnBitmap(bitmap, text, rect, format, layered);
}

void GsOuterGlowTextEffectPainter::CalcTextRect(forms::TCanvas& canvas, const char* text, forms::TRect& rect,
                                                UINT format)
{
    canvas.Font().Assign(&effect_.Font());
    effect_.GlowPainter().CalcTextRect(canvas, text, rect, format);
}

void GsOuterGlowTextEffectPainter::CalcWideTextRect(forms::TCanvas& canvas, const wchar_t* text, forms::TRect& rect,
                                                    UINT format)
{
    canvas.Font().Assign(&effect_.Font());
    effect_.GlowPainter().CalcWideTextRect(canvas, text, rect, format);
}

template <class Char>
void GsOuterGlowTextEffectPainter::DrawOffsetOnBitmap(forms::TBitmap& bitmap, const Char* text,
                                                      const forms::TRect& rect, UINT format, bool layered)
{
    TOuterGlowTextPainter& glow = effect_.GlowPainter();
    const int dx = effect_.OffsetX();
    const int dy = effect_.OffsetY();
    if (dx == 0 && dy == 0) {
        bitmap.Canvas().Font().Assign(&effect_.Font());
        DrawOn(glow, bitmap, text, rect, format, layered);
        return;
    }
    forms::TBitmap shifted;
    shifted.Assign(&bitmap);
    shifted.Canvas().Font().Assign(&effect_.Font());
    DrawOn(glow, shifted, text, rect.Offset(dx, dy), format, layered);
    CopyBitmapToCanvas(bitmap.Canvas(), rect, shifted, forms::TPoint(rect.Left, rect.Top));
}

}  // namespace gs
