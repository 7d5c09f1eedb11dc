#include "gui/controls/CImageEditBase.h"

#include <algorithm>

#include "forms/Rtl.h"
#include "gui/controls/GsImage.h"
#include "gui/png/PngReader.h"

CImageEditBase::CImageEditBase(forms::TComponent* owner) : forms::TEdit(owner)
{
    realLeft_ = Left();
    realTop_ = Top();
    realEnabled_ = true;
    innerX_ = 0;
    innerY_ = 0;
    enableCenterClr_ = kDefaultCenterColor;
    SetRealVisible(false);
    SetParent(dynamic_cast<forms::TWinControl*>(owner));
    SetAutoSize(false);
    SetBorderStyle(forms::bsNone);
}

CImageEditBase::~CImageEditBase()
{
    FreeBackground();
}

void CImageEditBase::FreeBackground()
{
    if (background_) {
        gs::GsImage* image = background_;
        background_ = nullptr;
        image->RemoveFreeNotification(this);
        delete image;
    }
    enabledBitmap_.reset();
    disabledBitmap_.reset();
}

void CImageEditBase::Notification(forms::TComponent* component, forms::TOperation operation)
{
    forms::TEdit::Notification(component, operation);
    if (operation == forms::opRemove && component == background_)
        background_ = nullptr;
}

forms::TColor CImageEditBase::GetCenterPixelColor(forms::TBitmap* bitmap)
{
    if (!bitmap || bitmap->PixelFormat() != forms::pf32bit || bitmap->Width() <= 0 || bitmap->Height() <= 0)
        return 0;
    const std::uint8_t* pixel = bitmap->ScanLine(bitmap->Height() / 2) + 4 * (bitmap->Width() / 2);
    return static_cast<forms::TColor>(pixel[2]) | static_cast<forms::TColor>(pixel[1]) << 8 |
           static_cast<forms::TColor>(pixel[0]) << 16;
}

void CImageEditBase::CreateBackground(const std::wstring& enabledPath, const std::wstring& disabledPath)
{
    // A later call replaces the picture and both bitmaps.
    FreeBackground();
    forms::TWinControl* parent = Parent();
    background_ = new gs::GsImage(parent);
    background_->FreeNotification(this);
    background_->SetParent(parent);
    background_->SetVisible(realVisible_);
    background_->SetAlphaChannel(true);
    background_->SetAutoSize(true);

    enabledBitmap_ = std::make_unique<forms::TBitmap>();
    enabledBitmap_->SetPixelFormat(forms::pf32bit);
    if (forms::FileExists(enabledPath))
        gs::LoadPngFile(enabledPath, *enabledBitmap_);
    if (enableCenterClr_ == kUseCenterColor)
        enableCenterClr_ = GetCenterPixelColor(enabledBitmap_.get());

    disabledBitmap_ = std::make_unique<forms::TBitmap>();
    disabledBitmap_->SetPixelFormat(forms::pf32bit);
    if (forms::FileExists(disabledPath)) {
        gs::LoadPngFile(disabledPath, *disabledBitmap_);
        disabledColor_ = GetCenterPixelColor(disabledBitmap_.get());
    } else {
        disabledBitmap_.reset();
    }

    background_->Picture().Bitmap().Assign(enabledBitmap_.get());
}

void CImageEditBase::SetImages(int x, int y, const std::wstring& enabledPath, const std::wstring& disabledPath)
{
    innerX_ = x;
    innerY_ = y;
    CreateBackground(enabledPath, disabledPath);
    // An empty or too small picture gives an empty edit, never a negative size.
    SetWidth(std::max(0, background_->Width() - 2 * x + 1));
    SetHeight(std::max(0, background_->Height() - 2 * y + 1));
    SetColor(enableCenterClr_);
    SetRealLeft(background_->Left());
    SetRealTop(background_->Top());
    SetRealEnabled(true);
}

void CImageEditBase::SetRealLeft(int value)
{
    if (value == realLeft_ && realLeft_ != 0)
        return;
    realLeft_ = value;
    if (background_) {
        background_->SetLeft(value);
        SetLeft(background_->Left() + innerX_);
    }
}

void CImageEditBase::SetRealTop(int value)
{
    if (value == realTop_ && realTop_ != 0)
        return;
    realTop_ = value;
    if (background_) {
        background_->SetTop(value);
        SetTop(background_->Top() + innerY_);
    }
}

int CImageEditBase::RealWidth() const
{
    return background_ ? background_->Width() : Width();
}

int CImageEditBase::RealHeight() const
{
    return background_ ? background_->Height() : Height();
}

void CImageEditBase::SetRealVisible(bool value)
{
    realVisible_ = value;
    SetVisible(value);
    if (background_)
        background_->SetVisible(value);
}

void CImageEditBase::SetRealEnabled(bool value)
{
    realEnabled_ = value;
    if (background_) {
        if (value) {
            SetColor(enableCenterClr_);
            background_->Picture().Bitmap().Assign(enabledBitmap_.get());
        } else if (disabledBitmap_) {
            SetColor(disabledColor_);
            background_->Picture().Bitmap().Assign(disabledBitmap_.get());
        }
    }
    SetEnabled(value);
}
