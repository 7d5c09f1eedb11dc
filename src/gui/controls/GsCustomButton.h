#pragma once

// Face composition of the skinned buttons: the face bitmap of the present state is laid over the piece of
// the input background under the control when it has an alpha channel, the caption is written on it with
// the state's text painter, and the result goes to the screen in one copy. Also the caption layout and the
// auto-size to the face.

#include <memory>

#include "forms/Bitmap.h"
#include "gui/Painter/TextPainter.h"
#include "gui/controls/GsCustomControl.h"
#include "gui/controls/GsTextMargins.h"

namespace gs {

class GsCustomButton : public GsCustomControl {
public:
    explicit GsCustomButton(forms::TComponent* owner);
    ~GsCustomButton() override;

    // The picture the parent shows under its children, in the parent's coordinates; not owned. Reads null
    // once that bitmap is freed, so the parent may free it before or after its controls.
    forms::TBitmap* InputBkgnd() const { return inputBkgnd_.Get(); }
    void SetInputBkgnd(forms::TBitmap* value);

    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool value);
    forms::TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(forms::TAlignment value);
    forms::TTextLayout Layout() const { return layout_; }
    virtual void SetLayout(forms::TTextLayout value);
    GsTextMargins& TextMargins() { return *textMargins_; }
    // Copies the margins into the owned ones.
    void SetTextMargins(GsTextMargins* value);

    // The DrawText flags of the present alignment, layout and word wrap.
    UINT TextFormat() const;
    // The caption rectangle: the client area less the margins.
    forms::TRect TextRect();

    // The handler each kind gives its appearance: resizes to the face on a Raised change and repaints when
    // the bitmap on show changed.
    void AppearanceChanged(forms::TObject* sender, int index);

protected:
    // The size of the Raised face.
    virtual void GetFaceSize(int& width, int& height);
    virtual void DrawCaption(forms::TBitmap& face, int drawState);
    virtual TTextPainter* GetTextPainter(int drawState) = 0;

    bool CanAutoSize(int& newWidth, int& newHeight) override;

    // Lays the picture over the input background, writes the caption and copies the face onto the control.
    void ComposeFace(forms::TBitmap* picture, int captionState);
    // Remembers the index of the appearance's bitmap and composes the face from it.
    void DrawAppearance(class GsCtrlAppearance& appearance, int checkState, int drawState);

private:
    forms::TWeakLink<forms::TBitmap> inputBkgnd_;
    bool wordWrap_ = false;
    forms::TAlignment alignment_ = forms::taCenter;
    forms::TTextLayout layout_ = forms::tlCenter;
    std::unique_ptr<GsTextMargins> textMargins_;
};

}  // namespace gs
