#pragma once

// What the two dimming overlays share: a borderless, per-pixel-alpha layered window owned by the window it
// dims, showing a picture of resource\popup\ stretched to the overlay's size, placed on the screen and
// cut to the region of the window beneath.

#include <windows.h>

#include <memory>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Form.h"
#include "gui/util/TShapedForm.h"

namespace forms {
class TImage;
}

class TDimmingForm : public forms::TForm {
public:
    ~TDimmingForm() override;

    // Stretches the picture over a new bitmap of that size, premultiplies it and shows it.
    void Resize(int width, int height);

protected:
    using forms::TForm::Resize;

    // `parentWindow` owns the overlay's window; left, top, width and height are screen pixels.
    TDimmingForm(forms::TComponent* owner, const std::wstring& name, const std::wstring& pictureFile,
                 HWND parentWindow, int left, int top, int width, int height);

    // Borderless owned popup (the style also carries WS_CHILD), tool window, owned by the parent window.
    void CreateParams(forms::TCreateParams& params) override;

    forms::TImage* Image() const { return image_; }

private:
    HWND parentWindow_;
    std::unique_ptr<forms::TBitmap> background_;
    forms::TImage* image_ = nullptr;
    gs::TPerPixelLayeredFormMaker maker_;
};

// One kind of overlay: every overlay of the kind is owned by the window last given to SetParentWindow.
template <class Overlay>
class TDimmingFormOf : public TDimmingForm {
public:
    // The window the next overlay is laid over, set before the overlay is made.
    static void SetParentWindow(HWND window) { parentWindow_ = window; }
    static HWND GetParentWindow() { return parentWindow_; }

protected:
    TDimmingFormOf(forms::TComponent* owner, const std::wstring& name, const std::wstring& pictureFile, int left,
                   int top, int width, int height)
        : TDimmingForm(owner, name, pictureFile, parentWindow_, left, top, width, height)
    {
    }

private:
    static inline HWND parentWindow_ = nullptr;
};
