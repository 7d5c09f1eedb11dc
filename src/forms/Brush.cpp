#include "forms/Brush.h"

namespace forms {

void TBrush::Changed()
{
    handle_.reset();
    if (OnChange)
        OnChange(this);
}

void TBrush::SetColor(TColor color)
{
    const TBrushStyle style = style_ == bsClear ? bsSolid : style_;
    if (color == color_ && style == style_)
        return;
    color_ = color;
    style_ = style;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

SharedGdiObject<HBRUSH> TBrush::SharedHandle()
{
    if (style_ == bsClear)
        return nullptr;
    if (!handle_)
        handle_ = MakeSharedGdiObject(CreateSolidBrush(ColorToRGB(color_)));
    return handle_;
}

HBRUSH TBrush::Handle()
{
    if (style_ == bsClear)
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    const auto shared = SharedHandle();
    return shared ? shared->Get() : nullptr;
}

void TBrush::Assign(TPersistent* source)
{
    if (auto* brush = dynamic_cast<TBrush*>(source)) {
        if (brush == this)
            return;
        color_ = brush->color_;
        style_ = brush->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

}  // namespace forms
