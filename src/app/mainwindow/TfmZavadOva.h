#pragma once

#include "ControllerLink.h"
#include "SysSvrRegistration.h"
#include "TrayHost.h"
#include "forms/Form.h"

#include <memory>

namespace forms {
class TBitmap;
class TEdit;
class TFileOpenDialog;
class TLabel;
class TTimer;
}
namespace gs {
class GsImage;
}
class CTrayControl;
class DeviceNotification;
class MainScene;

// The main window: a borderless window of fixed size, shaped and skinned by its background
// picture and dragged by it. Its creation wires up the controller, the system service, the skin,
// the tray icon and the main scene; its window procedure answers the controller's key reports,
// the profile broadcast and the sub-codes of "ZavadOva Main Window Message".
class TfmZavadOva : public forms::TForm, public TrayHost {
public:
    explicit TfmZavadOva(forms::TComponent* owner);
    ~TfmZavadOva() override;

    // The delay of the Macro Keys page in milliseconds, at most four digits.
    forms::TEdit* editTime = nullptr;
    forms::TTimer* CheckRegisterNotifyTimer = nullptr;
    // The ON/OFF switch guard: one shot of 9000 ms after a switch change.
    forms::TTimer* Timer1 = nullptr;
    // Hidden; measures the width of texts.
    forms::TLabel* Label1 = nullptr;
    forms::TFileOpenDialog* FileOpenDialog1 = nullptr;

    void FormCreate(forms::TObject* sender);
    void FormDestroy(forms::TObject* sender);
    void CheckRegisterNotifyTimerTimer(forms::TObject* sender);
    void editTimeExit(forms::TObject* sender);
    void Timer1Timer(forms::TObject* sender);

    // The main scene, made on first use.
    MainScene* GetMainScene();

    ControllerPort& Controller() { return controller_; }
    SwitchResult SetSwitch(int on) { return controller_.SetSwitch(on); }
    bool RestoreSavedSwitch() { return controller_.RestoreSavedSwitch(); }
    bool GetSwitch(int& out) { return controller_.GetSwitch(out); }
    // The processor is an Intel one (the memory-profile picture differs).
    bool IsIntel() const { return intel_; }

    // The tray's "On" item: checked when `on`; checked and enabled by the guard; enabled by the
    // guard. They do nothing while the program has no tray control.
    void SetTrayChecked(bool on);
    void SetTraySwitch(bool on);
    void EnableTraySwitch();
    // The main scene shows the stored switch again.
    void RefreshSwitch();

    forms::TForm& Form() override { return *this; }
    void SwitchFromTray(bool on) override;

protected:
    void WndProc(forms::TMessage& message) override;

private:
    class RetryTimer;

    void ApplySkin();
    void DrawHint(forms::TBitmap& bitmap);
    void OnBackgroundMouseDown(forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift, int x,
                               int y);
    void RegisterHidNotification();
    void ZavadOvaCommand(WPARAM code, LPARAM lParam);

    ControllerLink controller_;
    forms::TBitmap* backgroundBitmap_ = nullptr;
    gs::GsImage* backgroundImage_ = nullptr;
    std::unique_ptr<CTrayControl> tray_;
    std::unique_ptr<forms::TBitmap> sceneBitmap_;
    std::unique_ptr<MainScene> mainScene_;
    std::unique_ptr<RetryTimer> retryTimer_;
    std::unique_ptr<SysSvrRegistration> registration_;
    std::unique_ptr<DeviceNotification> hidNotification_;
    bool intel_ = false;
};

// The program's main form.
extern TfmZavadOva* fmZavadOva;
