#pragma once

// The gallery's windows: every toolkit control on one skinned window, each in a state of its own, a
// translucent per-pixel layered window and the tray icon.

#include <memory>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Form.h"
#include "forms/Timer.h"
#include "gui/util/TShapedForm.h"

#include "SkinFolder.h"

namespace forms {
class TImage;
class TLabel;
}
namespace gs {
class GsButton;
class GsCheckBox;
class GsImage;
class GsLabel;
class GsRadioButton;
}
class CImageEditBase;
class TsTrayIconW;

namespace gallery {

// A borderless window showing a translucent picture through per-pixel alpha; dragged by the picture.
class LayeredPlate : public forms::TForm {
public:
    LayeredPlate(forms::TComponent* owner, const std::wstring& picture);
    ~LayeredPlate() override;

private:
    forms::TImage* image_ = nullptr;
    gs::TPerPixelLayeredFormMaker maker_;
};

struct GalleryOptions {
    SkinFiles skins;
    // Names an event that is set once everything is on screen in its state; may be empty.
    std::wstring readyEvent;
    bool withTray = true;
};

class GalleryForm : public forms::TForm {
public:
    // Window class of the main window, for tools that look for it.
    static constexpr const wchar_t* kWindowClass = L"TastroGallery";

    // What the next form is made with (the application makes forms from an owner alone).
    static GalleryOptions& Options();

    explicit GalleryForm(forms::TComponent* owner);
    ~GalleryForm() override;

    // Hover, press, focus and disable the controls whose states need the window on screen.
    void ShowStates();

private:
    void Build();
    void SignalReady();

    GalleryOptions options_;
    std::unique_ptr<forms::TBitmap> background_;
    gs::GsImage* backgroundImage_ = nullptr;
    gs::GsButton* buttons_[5] = {};
    gs::GsCheckBox* checkBoxes_[2] = {};
    gs::GsRadioButton* radios_[2] = {};
    std::unique_ptr<forms::TBitmap> radioFaces_[4];
    gs::GsLabel* glowLabels_[2] = {};
    gs::GsLabel* plainGlowless_ = nullptr;
    forms::TLabel* plainLabel_ = nullptr;
    gs::GsImage* blendImage_ = nullptr;
    CImageEditBase* edit_ = nullptr;
    LayeredPlate* plate_ = nullptr;
    TsTrayIconW* tray_ = nullptr;
    forms::TTimer* stateTimer_ = nullptr;
};

} // namespace gallery
