#pragma once

// A windowless control that shows a picture at its top-left corner.

#include "forms/GraphicControl.h"
#include "forms/Picture.h"

namespace forms {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    // Changes to the picture resize the image (while AutoSize is on and the picture has both sides) and
    // repaint it.
    TPicture& Picture() { return picture_; }
    void SetPicture(TPicture* picture) { picture_.Assign(picture); }

protected:
    // The bitmap at (0, 0), unscaled; a 32-bit picture's alpha does not blend.
    void Paint() override;
    // The picture's size.
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    virtual void PictureChanged(TObject* sender);

private:
    TPicture picture_;
};

}  // namespace forms
