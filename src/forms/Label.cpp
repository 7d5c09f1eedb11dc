#include "forms/Label.h"

#include "forms/GdiHandles.h"

namespace forms {

UINT LabelTextFlags(TAlignment alignment, bool wordWrap, bool showAccelChar, TEllipsisPosition ellipsis,
                    bool autoSize, bool calc)
{
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | alignments[alignment];
    if (wordWrap)
        flags |= DT_WORDBREAK;
    if (!showAccelChar)
        flags |= DT_NOPREFIX;
    if (calc) {
        flags |= DT_CALCRECT;
    } else if (ellipsis != epNone && !autoSize) {
        static const UINT ellipses[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
        flags = (flags & ~DT_EXPANDTABS) | ellipses[ellipsis];
    }
    return flags;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetColor(clBtnFace);
    SetBounds(0, 0, 65, 17);
    TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == Transparent())
        return;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value)
{
    if (value == ellipsis_)
        return;
    ellipsis_ = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == AutoSize())
        return;
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
}

std::wstring TCustomLabel::GetLabelText()
{
    return Caption();
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags)
{
    std::wstring text = GetLabelText();
    // An empty label still measures one line high.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&")))
        text += L' ';
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(&Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    RECT r = rect;
    DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    if (flags & DT_CALCRECT)
        rect = r;
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    if (!Transparent()) {
        canvas.Brush().SetColor(Color());
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect(client);
    }
    canvas.Brush().SetStyle(bsClear);
    TRect rect = client;
    const UINT flags = LabelTextFlags(alignment_, wordWrap_, showAccelChar_, ellipsis_, AutoSize(), false);
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int offset = layout_ == tlBottom ? Height() - measured.Bottom : (Height() - measured.Bottom) / 2;
        rect = rect.Offset(0, offset);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (!AutoSize() || (ComponentState() & (csLoading | csReading)))
        return;
    TRect rect = ClientRect();
    {
        // Measured on a DC of the screen's kind, so that hidden and parentless labels measure too; a
        // memory DC, since getting the screen's own DC is a round trip to the window server under Wine.
        const MemoryDC screen(nullptr);
        TControlCanvas& canvas = Canvas();
        canvas.BindPaintDC(screen.Get());
        try {
            DoDrawText(rect, LabelTextFlags(alignment_, wordWrap_, showAccelChar_, ellipsis_, true, true));
        } catch (...) {
            canvas.BindPaintDC(nullptr);
            throw;
        }
        canvas.BindPaintDC(nullptr);
    }
    int left = Left();
    if (alignment_ == taRightJustify)
        left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::TextChanged()
{
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TCustomLabel::FontChanged(TObject* sender)
{
    TGraphicControl::FontChanged(sender);
    AdjustBounds();
}

}  // namespace forms
