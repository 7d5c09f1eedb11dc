#include "gui/controls/GsCustomButton.h"

#include "forms/Color.h"
#include "gui/controls/GsCtrlAppearance.h"
#include "gui/graphics/image.h"

namespace gs {

GsCustomButton::GsCustomButton(forms::TComponent* owner)
    : GsCustomControl(owner), textMargins_(std::make_unique<GsTextMargins>())
{
    drawnIndex_ = -1;
    SetControlStyle(ControlStyle() | forms::csOpaque);
    SetAutoSize(true);
}

GsCustomButton::~GsCustomButton() = default;

void GsCustomButton::SetInputBkgnd(forms::TBitmap* value)
{
    if (value == InputBkgnd())
        return;
    inputBkgnd_ = value;
    Repaint();
}

void GsCustomButton::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    Invalidate();
}

void GsCustomButton::SetAlignment(forms::TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void GsCustomButton::SetLayout(forms::TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void GsCustomButton::SetTextMargins(GsTextMargins* value)
{
    if (value != textMargins_.get())
        textMargins_->Assign(value);
}

void GsCustomButton::GetFaceSize(int& width, int& height)
{
    // Each kind reports its Raised face; a control without one keeps its size.
    width = Width();
    height = Height();
}

bool GsCustomButton::CanAutoSize(int& newWidth, int& newHeight)
{
    int width = 0;
    int height = 0;
    GetFaceSize(width, height);
    if (Width() == width && Height() == height)
        return false;
    newWidth = width;
    newHeight = height;
    return true;
}

void GsCustomButton::AppearanceChanged(forms::TObject*, int index)
{
    if (index == 0) {
        int width = 0;
        int height = 0;
        GetFaceSize(width, height);
        SetBounds(Left(), Top(), width, height);
    }
    if (!(ComponentState() & forms::csLoading) && index == drawnIndex_)
        Invalidate();
}

UINT GsCustomButton::TextFormat() const
{
    UINT format = 0;
    switch (alignment_) {
    case forms::taLeftJustify:
        format |= DT_LEFT;
        break;
    case forms::taRightJustify:
        format |= DT_RIGHT;
        break;
    case forms::taCenter:
        format |= DT_CENTER;
        break;
    }
    switch (layout_) {
    case forms::tlTop:
        format |= DT_TOP;
        break;
    case forms::tlCenter:
        format |= DT_VCENTER;
        break;
    case forms::tlBottom:
        format |= DT_BOTTOM;
        break;
    }
    // A single line is always centred vertically.
    format |= wordWrap_ ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);
    return format;
}

forms::TRect GsCustomButton::TextRect()
{
    forms::TRect rect = ClientRect();
    rect.Left += textMargins_->Left();
    rect.Top += textMargins_->Top();
    rect.Right -= textMargins_->Right();
    rect.Bottom -= textMargins_->Bottom();
    return rect;
}

void GsCustomButton::DrawCaption(forms::TBitmap& face, int drawState)
{
    forms::TRect rect = TextRect();
    const UINT format = TextFormat();
    forms::TCanvas& canvas = face.Canvas();
    canvas.Font().Assign(&Font());
    if (!Enabled())
        canvas.Font().SetColor(forms::clGrayText);
    TTextPainter* painter = GetTextPainter(drawState);
    const std::wstring caption = Caption();
    if (wordWrap_ && layout_ != forms::tlTop) {
        // Wrapped text is placed vertically here: DrawText centres only single lines.
        forms::TRect measured = rect;
        painter->CalcWideTextRect(canvas, caption.c_str(), measured, format);
        const int room = rect.Height() - measured.Height();
        if (room > 0)
            rect.Top += layout_ == forms::tlCenter ? room / 2 : room;
    }
    painter->DrawWideTextOnBitmap(face, caption.c_str(), rect, format, false);
}

void GsCustomButton::ComposeFace(forms::TBitmap* picture, int captionState)
{
    // The face is made in one bitmap, without copies between: the background under the control with
    // the picture blended over it, or else a copy of the picture. The picture itself is only read.
    forms::TBitmap face;
    forms::TBitmap* background = InputBkgnd();
    if (picture && picture->PixelFormat() == forms::pf32bit && background) {
        face.SetPixelFormat(forms::pf24bit);
        face.SetSize(Width(), Height());
        CopyBitmapToCanvas(face.Canvas(), forms::TRect(0, 0, picture->Width(), picture->Height()), *background,
                           forms::TPoint(Left(), Top()));
        AlphaBlendWholeBitmap(face, *picture, 255);
    } else {
        face.Assign(picture);
    }
    // An empty face shows nothing, caption or not.
    if (face.Empty())
        return;
    if (!Caption().empty())
        DrawCaption(face, captionState);
    Canvas().Draw(0, 0, face);
}

void GsCustomButton::DrawAppearance(GsCtrlAppearance& appearance, int checkState, int drawState)
{
    int index = 0;
    forms::TBitmap* picture = appearance.GetBitmap(checkState, drawState, index);
    drawnIndex_ = index;
    ComposeFace(picture, index > 5 ? index - 6 : index);
}

}  // namespace gs
