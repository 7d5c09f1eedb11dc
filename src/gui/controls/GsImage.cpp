#include "gui/controls/GsImage.h"

#include <windows.h>

#include "gui/graphics/image.h"

namespace gs {

GsImage::GsImage(forms::TComponent* owner) : forms::TGraphicControl(owner), picture_(std::make_unique<forms::TPicture>())
{
    picture_->OnChange = [this](forms::TObject*) { PictureChanged(); };
}

GsImage::~GsImage()
{
    picture_->OnChange = nullptr;
}

void GsImage::SetAlphaChannel(bool value)
{
    if (value == alphaChannel_)
        return;
    alphaChannel_ = value;
    PictureChanged();
}

void GsImage::SetAlphaBlend(bool value)
{
    if (value == alphaBlend_)
        return;
    alphaBlend_ = value;
    PictureChanged();
}

void GsImage::SetAlphaValue(std::uint8_t value)
{
    if (value == alphaValue_)
        return;
    alphaValue_ = value;
    if (alphaBlend_)
        PictureChanged();
}

void GsImage::PictureChanged()
{
    if (AutoSize() && picture_->Width() > 0 && picture_->Height() > 0)
        SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
    Invalidate();
}

bool GsImage::CanAutoSize(int& newWidth, int& newHeight)
{
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

void GsImage::Paint()
{
    if (Width() == 0 || Height() == 0)
        return;
    forms::TBitmap& bitmap = picture_->Bitmap();
    if (bitmap.Width() == 0 || bitmap.Height() == 0)
        return;
    const forms::TRect area(0, 0, Width(), Height());
    if (!alphaChannel_ || bitmap.PixelFormat() != forms::pf32bit) {
        Canvas().StretchDraw(area, bitmap);
        return;
    }
    // Only the part that the paint can reach is read back and blended: a large picture under a
    // small change costs no more than the change.
    RECT clip{};
    forms::TRect visible = area;
    if (GetClipBox(Canvas().Handle(), &clip) != ERROR)
        visible = area.Intersect(forms::TRect(clip));
    if (visible.IsEmpty())
        return;
    DrawAlphaBitmap(Canvas(), visible, bitmap, forms::TPoint(visible.Left, visible.Top), alphaBlend_ ? alphaValue_ : 255);
}

}  // namespace gs
