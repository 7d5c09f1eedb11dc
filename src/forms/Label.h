#pragma once

// Text labels: windowless, painted by their parent, sized to their text while AutoSize is on.

#include <windows.h>

#include <string>

#include "forms/GraphicControl.h"

namespace forms {

// The DrawText flags a label paints (calc = false) or measures (calc = true) with.
UINT LabelTextFlags(TAlignment alignment, bool wordWrap, bool showAccelChar, TEllipsisPosition ellipsis,
                    bool autoSize, bool calc);

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // A transparent label draws only its text over what lies beneath.
    bool Transparent() const { return !(ControlStyle() & csOpaque); }
    void SetTransparent(bool value);
    // Shortens text that does not fit (only while AutoSize is off).
    TEllipsisPosition EllipsisPosition() const { return ellipsis_; }
    void SetEllipsisPosition(TEllipsisPosition value);
    // "&" marks an accelerator (shown underlined) when true.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

    void SetAutoSize(bool value) override;

protected:
    // Draws (or with DT_CALCRECT in the flags only measures into `rect`) the label's text on Canvas().
    virtual void DoDrawText(TRect& rect, UINT flags);
    virtual std::wstring GetLabelText();
    // While AutoSize is on: measures the text on a screen DC and takes its size, keeping Left (Right for
    // right-justified labels). Runs on Caption, Font, WordWrap and AutoSize changes.
    void AdjustBounds();
    void Paint() override;
    void TextChanged() override;
    void FontChanged(TObject* sender) override;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TEllipsisPosition ellipsis_ = epNone;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

}  // namespace forms
