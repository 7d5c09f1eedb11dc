#include "gui/controls/GsTextMargins.h"

namespace gs {

void GsTextMargins::Changed()
{
    if (OnChange)
        OnChange(this);
}

void GsTextMargins::SetLeft(int value)
{
    left_ = value;
    Changed();
}

void GsTextMargins::SetRight(int value)
{
    right_ = value;
    Changed();
}

void GsTextMargins::SetTop(int value)
{
    top_ = value;
    Changed();
}

void GsTextMargins::SetBottom(int value)
{
    bottom_ = value;
    Changed();
}

void GsTextMargins::AssignTo(forms::TPersistent* dest)
{
    auto* margins = forms::As<GsTextMargins>(dest);
    margins->left_ = left_;
    margins->right_ = right_;
    margins->top_ = top_;
    margins->bottom_ = bottom_;
    margins->Changed();
}

}  // namespace gs
