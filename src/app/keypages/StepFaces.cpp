#include "StepFaces.h"

#include "MacroSteps.h"

#include "forms/Canvas.h"
#include "gui/graphics/image.h"

#include <windows.h>

namespace {

constexpr forms::TColor kTextColour = 0x888888;
constexpr forms::TColor kDelayField = 0x1C177C;
constexpr forms::TColor kKeyField = 0x292929;
constexpr int kFontHeight = 16;
// The kind's glyph takes the right end of the picture.
constexpr int kGlyphWidth = 17;
constexpr int kFieldBottom = 24;

} // namespace

void BlendStepFace(forms::TBitmap& face, forms::TBitmap& kindPicture)
{
    if (kindPicture.Empty() || face.Empty() || kindPicture.PixelFormat() != forms::pf32bit)
        return;
    gs::AlphaBlendBitmapClipped(face, forms::TRect(0, 0, face.Width(), face.Height()), kindPicture,
                                forms::TPoint(0, 0), 255);
}

std::wstring StepCaption(int kind, std::wstring_view text)
{
    return kind == MACRO_STEP_DELAY ? std::wstring(text) + L" ms" : std::wstring(text);
}

void PaintStepPicture(forms::TBitmap& picture, forms::TBitmap& face, int kind, std::wstring_view text)
{
    picture.Assign(&face);
    // GDI text leaves no alpha: the step is drawn opaque.
    picture.SetPixelFormat(forms::pf24bit);
    if (picture.Empty())
        return;
    forms::TCanvas& canvas = picture.Canvas();
    canvas.Font().SetName(L"Arial");
    canvas.Font().SetHeight(kFontHeight);
    canvas.Font().SetColor(kTextColour);
    canvas.Brush().SetStyle(forms::bsSolid);
    canvas.Brush().SetColor(kind == MACRO_STEP_DELAY ? kDelayField : kKeyField);
    RECT field{2, (picture.Height() - kFontHeight) / 2, picture.Width() - kGlyphWidth, kFieldBottom};
    const std::wstring caption = StepCaption(kind, text);
    DrawTextW(canvas.Handle(), caption.c_str(), static_cast<int>(caption.size()), &field,
              DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
}

void PaintFilledStep(forms::TBitmap& picture, forms::TBitmap& face, forms::TBitmap& kindPicture, int kind,
                     std::wstring_view text)
{
    forms::TBitmap filled;
    filled.Assign(&face);
    BlendStepFace(filled, kindPicture);
    PaintStepPicture(picture, filled, kind, text);
}
