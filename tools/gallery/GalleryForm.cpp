#include "GalleryForm.h"

#include <cstring>

#include "forms/GdiHandles.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsLabel.h"
#include "gui/controls/GsRadioButton.h"
#include "gui/controls/Mycommonfunc.h"
#include "gui/controls/TsTrayIconW.h"
#include "gui/graphics/image.h"
#include "gui/png/PngReader.h"

#include "GalleryLayout.h"
#include "SkinPainter.h"

namespace gallery {

namespace {

constexpr UINT kTrayCallback = WM_USER + 90;

// Copies a drawn picture into a 32-bit bitmap, straight through the rows (no PNG on the way).
void ToBitmap(const RgbaPicture& picture, forms::TBitmap& bitmap)
{
    bitmap.SetPixelFormat(forms::pf32bit);
    bitmap.SetSize(picture.width, picture.height);
    const std::size_t rowBytes = std::size_t(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(bitmap.ScanLine(y), &picture.pixels[std::size_t(y) * picture.width], rowBytes);
}

} // namespace

LayeredPlate::LayeredPlate(forms::TComponent* owner, const std::wstring& picture)
    : forms::TForm(owner, L"TastroGalleryPlate")
{
    SetBorderStyle(forms::bsNone);
    SetScaled(false);
    SetCaption(L"Gallery plate");
    image_ = new forms::TImage(this);
    image_->SetParent(this);
    forms::TBitmap& bitmap = image_->Picture().Bitmap();
    bitmap.SetPixelFormat(forms::pf32bit);
    gs::LoadPngToBitmap(picture, bitmap);

    maker_.SetPerPixelAlpha(true);
    maker_.Attach(image_);
    SetBounds(kLayeredForm.left, kLayeredForm.top, Width(), Height());
    gs::PremultiplyAlpha(image_->Picture().Bitmap());
    maker_.Refresh();
    DoCreate();
}

LayeredPlate::~LayeredPlate() = default;

GalleryOptions& GalleryForm::Options()
{
    static GalleryOptions options;
    return options;
}

GalleryForm::GalleryForm(forms::TComponent* owner) : forms::TForm(owner, kWindowClass), options_(Options())
{
    SetBorderStyle(forms::bsNone);
    SetCaption(L"Tastro gallery");
    SetColor(0);
    SetBounds(kMainForm.left, kMainForm.top, kMainForm.width, kMainForm.height);
    Build();
    OnShow = [this](forms::TObject*) { stateTimer_->SetEnabled(true); };
    DoCreate();
}

GalleryForm::~GalleryForm() = default;

void GalleryForm::Build()
{
    CommonFuncHelper* factory = CommonFuncHelper::GetInstance();

    // The window picture goes through the PNG path and shapes the window by its key colour.
    background_ = std::make_unique<forms::TBitmap>();
    gs::LoadPngToBitmap(options_.skins.background, *background_);
    factory->CreateImage(this, options_.skins.background, 0, 0, backgroundImage_);
    // The system owns the region once the window has it.
    forms::RegionHandle region(gs::CreateRegionFromBitmap(background_->Handle(), kKeyColour, 0));
    if (region && SetWindowRgn(Handle(), region.Get(), TRUE))
        region.Release();

    const wchar_t* captions[] = {L"Raised", L"Hovered", L"Sunken", L"Disabled", L"Focused"};
    for (int i = 0; i < kButtonCount; ++i) {
        const Rect r = ButtonRect(i);
        factory->CreateButton(this, background_.get(), r.left, r.top, options_.skins.button, std::wstring(captions[i]),
                              std::wstring(L"A push button, ") + captions[i], buttons_[i]);
    }

    const SkinFiles& skins = options_.skins;
    const Rect box0 = BoxRect(0), box1 = BoxRect(1), box2 = BoxRect(2), box3 = BoxRect(3);
    factory->CreateCheckBox(this, background_.get(), box0.left, box0.top, skins.checkBox,
                            std::wstring(L"Unchecked"), std::nullopt, checkBoxes_[0]);
    factory->CreateCheckBox(this, background_.get(), box1.left, box1.top, skins.checkBox, std::wstring(L"Checked"),
                            std::nullopt, checkBoxes_[1]);
    checkBoxes_[1]->SetChecked(true);

    // One radio button from files, one from pictures drawn straight into bitmaps; the same group.
    factory->CreateRadioButton(this, background_.get(), box2.left, box2.top, skins.radio, std::wstring(L"Radio"),
                               std::nullopt, 1, radios_[0]);
    const RgbaPicture faces[] = {PaintBoxFace(BoxKind::Radio, kBoxUncheckedRaised, false),
                                 PaintBoxFace(BoxKind::Radio, kBoxUncheckedHovered, false),
                                 PaintBoxFace(BoxKind::Radio, kBoxCheckedRaised, true),
                                 PaintBoxFace(BoxKind::Radio, kBoxCheckedHovered, true)};
    CommonFuncHelper::RadioButtonBitmaps bitmaps{};
    for (int i = 0; i < 4; ++i) {
        radioFaces_[i] = std::make_unique<forms::TBitmap>();
        ToBitmap(faces[i], *radioFaces_[i]);
        bitmaps[i] = radioFaces_[i].get();
    }
    factory->CreateRadioButtonFromBitmaps(this, background_.get(), box3.left, box3.top, bitmaps,
                                          std::wstring(L"Checked"), std::nullopt, 1, radios_[1]);
    radios_[1]->SetChecked(true);

    // Glow labels: the label's own shadow-like glow, a coloured wide glow, none, and a plain label.
    glowLabels_[0] = CreatePopupLabel(this, L"Glow label: radius 3", kLabelsLeft, kLabelsTop, 0xF0F0F0);
    glowLabels_[0]->Radiation().SetRadius(3);
    glowLabels_[0]->Radiation().SetSpread(0);
    glowLabels_[0]->SetVisible(true);
    glowLabels_[1] = CreatePopupLabel(this, L"Coloured glow", kLabelsLeft + 200, kLabelsTop, 0xFFFFFF);
    glowLabels_[1]->Font().SetHeight(20);
    glowLabels_[1]->Radiation().SetColor(0x0080FF);
    glowLabels_[1]->Radiation().SetOpacity(255);
    glowLabels_[1]->Radiation().SetRadius(5);
    glowLabels_[1]->Radiation().SetSpread(80);
    glowLabels_[1]->SetVisible(true);
    plainGlowless_ = CreatePopupLabel(this, L"No glow", kLabelsLeft + 400, kLabelsTop, 0xC8C8C8);
    plainGlowless_->SetVisible(true);
    plainLabel_ = factory->CreateLabel(this);
    plainLabel_->SetCaption(L"A plain label from the factory");
    plainLabel_->SetLeft(kLabelsLeft);
    plainLabel_->SetTop(kLabelsTop + 34);
    plainLabel_->SetVisible(true);

    factory->CreateImage(this, options_.skins.blend, kBlendImage.left, kBlendImage.top, blendImage_);
    blendImage_->SetAlphaChannel(true);

    edit_ = factory->CreateImageEdit(this, options_.skins.edit, kEditText);
    edit_->SetRealLeft(kEdit.left);
    edit_->SetRealTop(kEdit.top);
    edit_->SetText(L"Image edit box");
    edit_->SetRealVisible(true);

    plate_ = new LayeredPlate(this, options_.skins.plate);

    if (options_.withTray) {
        tray_ = new TsTrayIconW(this, 1, kTrayCallback);
        tray_->SetTip(L"Tastro gallery");
        tray_->OnClick = [this] { Show(); };
        tray_->SetVisible(true);
    }

    stateTimer_ = new forms::TTimer(this);
    stateTimer_->SetEnabled(false);
    stateTimer_->SetInterval(300);
    stateTimer_->OnTimer = [this](forms::TObject*) {
        stateTimer_->SetEnabled(false);
        ShowStates();
    };
}

void GalleryForm::ShowStates()
{
    plate_->Show();
    buttons_[3]->SetEnabled(false);
    buttons_[4]->SetFocus();
    // Space held on an unfocused button shows it pressed.
    SendMessageW(buttons_[2]->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    // The pointer rests on the second button.
    const Rect hovered = ButtonRect(1);
    const forms::TPoint centre = ClientToScreen({hovered.left + hovered.width / 2, hovered.top + hovered.height / 2});
    SetCursorPos(centre.X, centre.Y);

    auto* ready = new forms::TTimer(this);
    ready->SetInterval(700);
    ready->OnTimer = [this, ready](forms::TObject*) {
        ready->SetEnabled(false);
        SignalReady();
    };
}

void GalleryForm::SignalReady()
{
    if (options_.readyEvent.empty())
        return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, options_.readyEvent.c_str())) {
        SetEvent(event);
        CloseHandle(event);
    }
}

} // namespace gallery
