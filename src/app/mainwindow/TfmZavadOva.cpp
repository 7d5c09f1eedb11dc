#include "TfmZavadOva.h"

#include "CTrayControl.h"
#include "CpuId.h"
#include "DelayField.h"
#include "DeviceNotification.h"
#include "KeyActions.h"
#include "MainMessages.h"
#include "MainScene.h"
#include "ProfileBroadcast.h"
#include "ProgramFolder.h"
#include "ResourcePath.h"
#include "SwitchGuard.h"
#include "SysSvrNotification.h"
#include "Translate.h"

#include "forms/Dialogs.h"
#include "forms/Edit.h"
#include "forms/FileDialog.h"
#include "forms/GdiHandles.h"
#include "forms/Label.h"
#include "forms/Timer.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsImage.h"
#include "gui/graphics/image.h"

#include <dbt.h>

TfmZavadOva* fmZavadOva = nullptr;

namespace {

constexpr int kClientWidth = 1259;
constexpr int kClientHeight = 592;
constexpr DWORD kStartPauseMs = 2000;
constexpr UINT kServiceRetryMs = 5000;
constexpr COLORREF kWindowKeyColour = 0xFF00FF;
constexpr forms::TColor kHintColour = 0x2730B8;
// HID device interfaces: their arrival ends the switch guard early.
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

} // namespace

// The service registration's retry timer is the form's CheckRegisterNotifyTimer.
class TfmZavadOva::RetryTimer final : public SysSvrRegistration::Timer {
public:
    explicit RetryTimer(forms::TTimer& timer) : timer_(timer) {}
    void SetEnabled(bool enabled) override { timer_.SetEnabled(enabled); }

private:
    forms::TTimer& timer_;
};

TfmZavadOva::TfmZavadOva(forms::TComponent* owner)
    : forms::TForm(owner, kMainWindowClass)
{
    fmZavadOva = this;
    SetBorderStyle(forms::bsNone);
    SetCaption(kMainWindowCaption);
    SetColor(forms::clBlack);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);

    editTime = new forms::TEdit(this);
    editTime->SetParent(this);
    editTime->SetBounds(editTime->Left(), editTime->Top(), 33, 17);
    editTime->SetBorderStyle(forms::bsNone);
    editTime->SetColor(forms::clNone);
    editTime->SetAlignment(forms::taCenter);
    editTime->Font().SetName(L"Arial");
    editTime->Font().SetHeight(-13);
    editTime->Font().SetColor(0x888888);
    editTime->SetMaxLength(static_cast<int>(kDelayDigits));
    editTime->SetNumbersOnly(true);
    editTime->SetTabStop(false);
    editTime->SetAutoSelect(false);
    editTime->SetHideSelection(false);
    editTime->OnExit = [this](forms::TObject* sender) { editTimeExit(sender); };

    CheckRegisterNotifyTimer = new forms::TTimer(this);
    CheckRegisterNotifyTimer->SetEnabled(false);
    CheckRegisterNotifyTimer->SetInterval(kServiceRetryMs);
    CheckRegisterNotifyTimer->OnTimer = [this](forms::TObject* sender) { CheckRegisterNotifyTimerTimer(sender); };

    Timer1 = new forms::TTimer(this);
    Timer1->SetEnabled(false);
    Timer1->SetInterval(SwitchGuard::kGuardMs);
    Timer1->OnTimer = [this](forms::TObject* sender) { Timer1Timer(sender); };

    Label1 = new forms::TLabel(this);
    Label1->SetParent(this);
    Label1->SetVisible(false);

    FileOpenDialog1 = new forms::TFileOpenDialog(this);
    FileOpenDialog1->SetOptions(forms::fdoFileMustExist);

    OnCreate = [this](forms::TObject* sender) { FormCreate(sender); };
    OnDestroy = [this](forms::TObject* sender) { FormDestroy(sender); };
    // The window exists with its class and caption before FormCreate runs: the key pages look
    // for it while they are made.
    DoCreate();
}

TfmZavadOva::~TfmZavadOva()
{
    DoDestroy();
    if (fmZavadOva == this)
        fmZavadOva = nullptr;
}

void TfmZavadOva::FormCreate(forms::TObject* /*sender*/)
{
    ProgramFolder();
    controller_.AcpiInitialize();
    retryTimer_ = std::make_unique<RetryTimer>(*CheckRegisterNotifyTimer);
    registration_ = std::make_unique<SysSvrRegistration>(Handle(), *retryTimer_);
    registration_->Start();
    ApplySkin();
    Sleep(kStartPauseMs);
    tray_ = std::make_unique<CTrayControl>(*this);
    tray_->Init();
    GetMainScene()->Show();
    editTime->SetText(ReadStoredDelay());
    editTime->SetLeft(336);
    editTime->SetTop(533);
    RegisterHidNotification();
}

void TfmZavadOva::FormDestroy(forms::TObject* /*sender*/)
{
    if (tray_) {
        tray_->Release();
        tray_.reset();
    }
    // Unregisters from the service when registered; nothing is left to do it again.
    registration_.reset();
    hidNotification_.reset();
}

void TfmZavadOva::ApplySkin()
{
    CommonFuncHelper::GetInstance()->CreateImage(this, ResourcePath(L"background", L"BG.png"), 0, 0,
                                                 backgroundImage_);
    intel_ = IsGenuineIntel();
    backgroundBitmap_ = &backgroundImage_->Picture().Bitmap();
    backgroundImage_->OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button,
                                           forms::TShiftState shift, int x, int y) {
        OnBackgroundMouseDown(sender, button, shift, x, y);
    };
    // Without its picture the window keeps its size and the shape of a rectangle.
    if (!gs::IsEmptyBitmap(backgroundBitmap_)) {
        DrawHint(*backgroundBitmap_);
        // The system owns the region once the window has it.
        forms::RegionHandle region(gs::CreateRegionFromBitmap(backgroundBitmap_->Handle(), kWindowKeyColour, 0));
        if (region && SetWindowRgn(Handle(), region.Get(), TRUE))
            region.Release();
        SetClientWidth(backgroundBitmap_->Width());
        SetClientHeight(backgroundBitmap_->Height());
    }
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2, (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(),
              Height());
}

void TfmZavadOva::DrawHint(forms::TBitmap& bitmap)
{
    const std::wstring text = Translate(L"Press and hold these buttons for two (2) seconds in S5 mode.");
    const int oldHeight = Label1->Font().Height();
    Label1->Font().SetHeight(15);
    Label1->SetAutoSize(true);
    Label1->SetCaption(text);
    const int lines = (Label1->Width() + 199) / 200;
    const int height = lines * 22;
    RECT rect{22, 501 + (90 - height) / 2, 230, 526 + height};
    forms::TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName(L"Arial");
    canvas.Font().SetHeight(15);
    canvas.Font().SetColor(kHintColour);
    canvas.Brush().SetColor(forms::clBlack);
    DrawTextW(canvas.Handle(), text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
    Label1->Font().SetHeight(oldHeight);
}

void TfmZavadOva::OnBackgroundMouseDown(forms::TObject* /*sender*/, forms::TMouseButton button,
                                        forms::TShiftState /*shift*/, int /*x*/, int /*y*/)
{
    if (button != forms::mbLeft)
        return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void TfmZavadOva::RegisterHidNotification()
{
    // Kept until the form is destroyed.
    hidNotification_ = std::make_unique<DeviceNotification>(Handle(), kHidInterfaceClass);
    if (!*hidNotification_)
        forms::ShowMessage(L"Can't register device notification~");
}

MainScene* TfmZavadOva::GetMainScene()
{
    if (!mainScene_) {
        sceneBitmap_ = std::make_unique<forms::TBitmap>();
        sceneBitmap_->Assign(backgroundBitmap_);
        sceneBitmap_->SetPixelFormat(forms::pf32bit);
        mainScene_ = std::make_unique<MainScene>(this, sceneBitmap_.get(), this);
        mainScene_->Hide();
    }
    return mainScene_.get();
}

void TfmZavadOva::CheckRegisterNotifyTimerTimer(forms::TObject* /*sender*/)
{
    if (registration_)
        registration_->OnTimerTick();
}

void TfmZavadOva::editTimeExit(forms::TObject* /*sender*/)
{
    const std::wstring text = StoredDelayText(editTime->Text());
    if (text != editTime->Text())
        editTime->SetText(text);
    // A failed write leaves the stored delay as it was; the field keeps the value for this run.
    WriteStoredDelay(text);
}

void TfmZavadOva::Timer1Timer(forms::TObject* /*sender*/)
{
    Timer1->SetEnabled(false);
    MainSwitchGuard().TimerEnded();
    if (mainScene_)
        mainScene_->UpdateSwitch();
    EnableTraySwitch();
}

void TfmZavadOva::SetTrayChecked(bool on)
{
    if (tray_)
        tray_->SetOnChecked(on);
}

void TfmZavadOva::SetTraySwitch(bool on)
{
    if (!tray_)
        return;
    tray_->SetOnChecked(on);
    tray_->SetOnEnabled(MainSwitchGuard().SwitchEnabled);
}

void TfmZavadOva::EnableTraySwitch()
{
    if (tray_)
        tray_->SetOnEnabled(MainSwitchGuard().SwitchEnabled);
}

void TfmZavadOva::SwitchFromTray(bool on)
{
    // As the main scene's switch: stored and sent, shown as stored, then guarded for nine seconds.
    const SwitchResult result = SetSwitch(on ? 1 : 0);
    MainSwitchGuard().BeginChange();
    RefreshSwitch();
    Timer1->SetEnabled(true);
    if (result == SwitchResult::NotStored && mainScene_)
        mainScene_->WarnSettingNotSaved();
}

void TfmZavadOva::RefreshSwitch()
{
    if (mainScene_)
        mainScene_->UpdateSwitch();
}

void TfmZavadOva::ZavadOvaCommand(WPARAM code, LPARAM lParam)
{
    switch (code) {
    case MKM_HOOK_KEY:
        mainScene_->OnHookKey(static_cast<std::uint32_t>(lParam));
        break;
    case MKM_REFRESH_KEY:
        // Only a key number redraws anything, and it redraws that key's own button.
        if (const auto n = KeyNumberOf(lParam)) {
            mainScene_->RefreshKeyButton(*n, mainScene_->KeyButton(*n));
            mainScene_->UpdateCleanButton();
        }
        break;
    case MKM_CLOSE_EDIT:
        mainScene_->CloseEditDialog();
        break;
    case MKM_KEY_CHANGED:
        mainScene_->OnFunKeyChanged();
        break;
    default:
        break;
    }
}

void TfmZavadOva::WndProc(forms::TMessage& message)
{
    const bool zavadOva = message.Msg != 0 && message.Msg == ZavadOvaMessage();
    // Nothing is asked of the scene before it exists (a message box during creation runs a
    // message loop).
    if (mainScene_) {
        // The service's notification counts under any message number, so it is tested first.
        if (IsSysSvrKeyNotification(message.WParam, message.LParam))
            if (const auto n = controller_.ReadPressedKey())
                ExecuteFunKey(*n);
        if (IsLoadProfileRequest(message.Msg, message.WParam))
            mainScene_->ApplyTargetProfile();
        if (zavadOva)
            ZavadOvaCommand(message.WParam, message.LParam);
        if (message.Msg == WM_DEVICECHANGE) {
            if (MainSwitchGuard().DeviceChanged(message.WParam))
                mainScene_->UpdateSwitch();
        }
    }
    // These need no scene: a second start's show also brings up a window whose start-up still
    // shows a message box.
    if (zavadOva && message.WParam == MKM_SHOW_WINDOW) {
        Show();
    } else if (message.Msg == WM_POWERBROADCAST && message.WParam == PBT_APMRESUMESUSPEND) {
        // After a resume the controller gets the stored switch again; the key table it keeps.
        controller_.RestoreSavedSwitch();
    }
    forms::TForm::WndProc(message);
}
