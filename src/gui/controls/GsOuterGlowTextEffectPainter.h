#pragma once

// The text painter a button calls for one glow setting: it puts the setting's font on the target and
// draws through the setting's glow painter, shifting the caption by the setting's offsets on bitmaps.

#include "gui/Painter/TextPainter.h"

namespace gs {

class GsTextRadiationEffect;

class GsOuterGlowTextEffectPainter : public TTextPainter {
public:
    explicit GsOuterGlowTextEffectPainter(GsTextRadiationEffect& effect) : effect_(effect) {}

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
    // Draws on the bitmap in `rect`, or, with an offset, on a copy in the shifted rectangle whose part
    // inside `rect` is then copied back: the caption never spills out of `rect`.
    template <class Char>
    void DrawOffsetOnBitmap(forms::TBitmap& bitmap, const Char* text, const forms::TRect& rect, UINT format,
                            bool layered);

    GsTextRadiationEffect& effect_;
};

}  // namespace gs
