#pragma once

// The program's text field: a borderless edit laid over the inner area of a skin picture (a GsImage on the
// same parent), in a background colour that matches the picture, so that only the picture's frame shows.
// Picture and edit are moved, shown and enabled together through the Real* properties; an optional second
// picture and colour give the disabled look.

#include <memory>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Color.h"
#include "forms/Edit.h"

namespace gs {
class GsImage;
}

class CImageEditBase : public forms::TEdit {
public:
    // The edit's parent window is the owner, which must be a windowed control.
    explicit CImageEditBase(forms::TComponent* owner);
    ~CImageEditBase() override;

    // Insets the edit by (x, y) in the pictures at the two paths and fits it to the enabled one. A missing
    // file is no error: a missing enabled picture leaves an empty one, a missing disabled one means none.
    void SetImages(int x, int y, const std::wstring& enabledPath, const std::wstring& disabledPath);
    void CreateBackground(const std::wstring& enabledPath, const std::wstring& disabledPath);

    // Colour of the centre pixel of a 32-bit bitmap; 0 for no bitmap, another format or an empty one.
    static forms::TColor GetCenterPixelColor(forms::TBitmap* bitmap);

    int RealLeft() const { return realLeft_; }
    // Moves picture and edit; a repeated value is skipped unless it is 0.
    void SetRealLeft(int value);
    int RealTop() const { return realTop_; }
    void SetRealTop(int value);
    // The picture's size, or the edit's while there is no picture.
    int RealWidth() const;
    int RealHeight() const;
    bool RealVisible() const { return realVisible_; }
    void SetRealVisible(bool value);
    bool RealEnabled() const { return realEnabled_; }
    // Swaps picture and colour (when there is a disabled picture), then enables or disables the edit.
    void SetRealEnabled(bool value);
    // Edit colour while enabled; 0x00FF00 before SetImages asks for the enabled picture's centre colour.
    forms::TColor EnableCenterClr() const { return enableCenterClr_; }
    void SetEnableCenterClr(forms::TColor value) { enableCenterClr_ = value; }

    static constexpr forms::TColor kUseCenterColor = 0x00FF00;
    static constexpr forms::TColor kDefaultCenterColor = 0x03030A;

    gs::GsImage* BackgroundImage() const { return background_; }
    forms::TBitmap* EnabledBitmap() const { return enabledBitmap_.get(); }
    forms::TBitmap* DisabledBitmap() const { return disabledBitmap_.get(); }
    forms::TColor DisabledColor() const { return disabledColor_; }

protected:
    // The picture is also owned by the parent, which may free it first.
    void Notification(forms::TComponent* component, forms::TOperation operation) override;

private:
    void FreeBackground();

    gs::GsImage* background_ = nullptr;
    std::unique_ptr<forms::TBitmap> enabledBitmap_;
    std::unique_ptr<forms::TBitmap> disabledBitmap_;
    int realLeft_ = 0;
    int realTop_ = 0;
    bool realVisible_ = false;
    bool realEnabled_ = true;
    int innerX_ = 0;
    int innerY_ = 0;
    forms::TColor enableCenterClr_ = kDefaultCenterColor;
    forms::TColor disabledColor_ = 0;
};
