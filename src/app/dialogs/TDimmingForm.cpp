#include "TDimmingForm.h"

#include "forms/GdiHandles.h"
#include "forms/Image.h"
#include "gui/controls/Mycommonfunc.h"
#include "gui/graphics/image.h"
#include "gui/png/PngReader.h"

TDimmingForm::TDimmingForm(forms::TComponent* owner, const std::wstring& name, const std::wstring& pictureFile,
                           HWND parentWindow, int left, int top, int width, int height)
    : forms::TForm(owner), parentWindow_(parentWindow), background_(std::make_unique<forms::TBitmap>())
{
    SetName(name);
    SetCaption(name);
    SetBorderStyle(forms::bsNone);
    SetColor(forms::clBlack);
    SetDoubleBuffered(true);

    background_->SetPixelFormat(forms::pf32bit);
    gs::LoadPngToBitmap(GetPopupResourceFolder() + pictureFile, *background_);

    image_ = new forms::TImage(this);
    image_->SetParent(this);

    maker_.SetClickThrough(false);
    maker_.SetPerPixelAlpha(true);
    maker_.SetDraggable(false);
    maker_.SetUseConstantAlpha(true);
    maker_.SetAlpha(255);
    SetScaled(false);
    maker_.Attach(image_);

    Resize(width, height);
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE);

    // The overlay takes the shape of the window beneath; a window without a region gives none.
    forms::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (region && GetWindowRgn(parentWindow_, region.Get()) != ERROR && SetWindowRgn(Handle(), region.Get(), TRUE))
        region.Release();
}

TDimmingForm::~TDimmingForm() = default;

void TDimmingForm::Resize(int width, int height)
{
    forms::TBitmap stretched;
    stretched.SetPixelFormat(forms::pf32bit);
    stretched.SetSize(width, height);
    stretched.Canvas().StretchDraw(forms::TRect(0, 0, width, height), *background_);
    forms::TBitmap& picture = image_->Picture().Bitmap();
    picture.Assign(&stretched);
    gs::PremultiplyAlpha(picture);
    maker_.Refresh();
}

void TDimmingForm::CreateParams(forms::TCreateParams& params)
{
    forms::TForm::CreateParams(params);
    params.Style |= WS_POPUP | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    params.WndParent = parentWindow_;
}
