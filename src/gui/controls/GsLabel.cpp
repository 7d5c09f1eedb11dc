#include "gui/controls/GsLabel.h"

#include <string>

#include "forms/Color.h"

namespace gs {

GsLabel::GsLabel(forms::TComponent* owner) : forms::TCustomLabel(owner), glow_(CreateOuterGlowTextPainter())
{
    glow_->Radius = 3;
    glow_->Spread = 0;
    glow_->Opacity = 192;
    glow_->Color = 0x000000;
    glow_->RadiationX = 1;
    glow_->RadiationY = 1;
    radiation_ = std::make_unique<GsRadiation>(*this);
}

GsLabel::~GsLabel() = default;

void GsLabel::SetRadiation(GsRadiation* value)
{
    if (value != radiation_.get())
        radiation_->Assign(value);
}

void GsLabel::DoDrawText(forms::TRect& rect, UINT flags)
{
    const std::wstring text = GetLabelText();
    forms::TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    if (flags & DT_CALCRECT) {
        // The measure includes the glow's room.
        glow_->CalcWideTextRect(canvas, text.c_str(), rect, flags);
        return;
    }
    if (!Transparent()) {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(forms::bsSolid);
        canvas.FillRect(rect);
        canvas.Brush().SetStyle(forms::bsClear);
    }
    if (!Enabled()) {
        canvas.Font().SetColor(forms::clGrayText);
        TTextPainter* plain = GetDefaultTextPainter();
        plain->DrawWideText(canvas, text.c_str(), rect, flags, false);
        plain->Release();
        return;
    }
    glow_->DrawWideText(canvas, text.c_str(), rect, flags, false);
}

}  // namespace gs
