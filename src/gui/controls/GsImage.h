#pragma once

// A windowless picture: drawn stretched like an ordinary image, or, for a 32-bit picture with its alpha
// channel on, blended pixel by pixel over what the parent has drawn beneath it, with an optional global
// alpha on top.

#include <cstdint>
#include <memory>

#include "forms/GraphicControl.h"
#include "forms/Picture.h"

namespace gs {

class GsImage : public forms::TGraphicControl {
public:
    explicit GsImage(forms::TComponent* owner);
    ~GsImage() override;

    forms::TPicture& Picture() { return *picture_; }
    void SetPicture(forms::TPicture* value) { picture_->Assign(value); }

    bool AlphaChannel() const { return alphaChannel_; }
    void SetAlphaChannel(bool value);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool value);
    std::uint8_t AlphaValue() const { return alphaValue_; }
    // Repaints only while AlphaBlend is on.
    void SetAlphaValue(std::uint8_t value);

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    // Follows a picture or alpha change: size to the picture when AutoSize is on, then repaint.
    void PictureChanged();

    std::unique_ptr<forms::TPicture> picture_;
    bool alphaChannel_ = false;
    bool alphaBlend_ = false;
    std::uint8_t alphaValue_ = 255;
};

}  // namespace gs
