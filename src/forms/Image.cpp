#include "forms/Image.h"

namespace forms {

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this](TObject* sender) { PictureChanged(sender); };
}

void TImage::PictureChanged(TObject*)
{
    if (AutoSize() && picture_.Width() > 0 && picture_.Height() > 0)
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight)
{
    newWidth = picture_.Width();
    newHeight = picture_.Height();
    return true;
}

void TImage::Paint()
{
    if (TBitmap* bitmap = picture_.Graphic(); bitmap && !bitmap->Empty())
        Canvas().Draw(0, 0, *bitmap);
}

}  // namespace forms
