#include "CTrayControl.h"

#include <shellapi.h>

#include "ProgramFolder.h"
#include "ResourcePath.h"
#include "Translate.h"
#include "TrayHost.h"

#include "forms/Application.h"
#include "forms/Exceptions.h"
#include "forms/Form.h"
#include "forms/Icon.h"
#include "forms/Menus.h"
#include "forms/Timer.h"
#include "gui/controls/TsTrayIconW.h"

namespace {

constexpr wchar_t kTip[] = L"Tastro";
constexpr wchar_t kHostSuite[] = L"Hub Deck II.exe";

// Clears the flag when the scope ends, also by an exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

} // namespace

bool CTrayControl::menuOpen_ = false;

CTrayControl::CTrayControl(TrayHost& host, TrayShell& shell) : host_(host), shell_(shell)
{
    CreateRetryTimer();
}

CTrayControl::~CTrayControl()
{
    // The timer belongs to the form and may outlive this object.
    if (forms::TTimer* timer = retryTimer_.Get())
        timer->OnTimer = nullptr;
}

void CTrayControl::CreateRetryTimer()
{
    auto* timer = new forms::TTimer(&host_.Form());
    timer->SetInterval(kRetryMs);
    timer->SetEnabled(false);
    timer->OnTimer = [this](forms::TObject* sender) { OnRetryTimer(sender); };
    retryTimer_ = timer;
}

void CTrayControl::Init()
{
    hostSuitePage_ = 0;
    icon_ = std::make_unique<forms::TIcon>();
    try {
        icon_->LoadFromFile(ResourcePath(L"icon", L"ap.ico"));
    } catch (const forms::Exception&) {
        // Without its file the tray keeps the application's icon, which it shows anyway.
    }

    auto* trayIcon = new TsTrayIconW(&host_.Form(), kIconId, TRAY_CALLBACK_MESSAGE, shell_);
    trayIcon_ = trayIcon;
    trayIcon->SetTip(kTip);
    trayIcon->SetBalloonTitle(L"");
    trayIcon->SetBalloonText(L"");
    trayIcon->SetBalloonIcon(TsTrayIconW::biUser);
    trayIcon->SetVisible(true);
    trayIcon->OnMouseUp = [this](forms::TMouseButton button, forms::TShiftState, int, int) {
        OnTrayMouseUp(button);
    };
    trayIcon->OnClick = [this] { OnTrayClick(); };
    trayIcon->OnBalloon = [this](UINT code) { OnBalloonEvent(code); };

    BuildMenu();

    if (!trayIcon->GetVisible()) {
        // A full interval passes before the next try.
        retryTimer_.Get()->SetEnabled(false);
        retryTimer_.Get()->SetEnabled(true);
    }
}

void CTrayControl::BuildMenu()
{
    forms::TForm& form = host_.Form();
    auto* menu = new forms::TPopupMenu(&form);
    menu_ = menu;
    menu->SetOwnerDraw(false);
    menu->OnPopup = [this](forms::TObject* sender) { OnMenuPopup(sender); };
    menu->SetAutoHotkeys(forms::maManual);
    const wchar_t* const texts[] = {L"On", L"-", L"Exit"};
    for (int index = 0; index < 3; ++index) {
        auto* item = new forms::TMenuItem(&form);
        // The separator stays a separator whatever the translation would make of "-".
        item->SetCaption(index == kSeparatorItem ? std::wstring(texts[index]) : Translate(texts[index]));
        item->SetTag(index);
        item->OnClick = [this](forms::TObject* sender) { OnMenuClick(sender); };
        menu->Items().Add(item);
        items_[static_cast<std::size_t>(index)] = item;
    }
}

void CTrayControl::Release()
{
    if (forms::TTimer* timer = retryTimer_.Get(); timer && timer->Enabled())
        timer->SetEnabled(false);
    // The items leave the menu before it goes.
    for (auto& item : items_) {
        delete item.Get();
        item = {};
    }
    delete menu_.Get();
    menu_ = {};
    icon_.reset();
    delete trayIcon_.Get();
    trayIcon_ = {};
}

void CTrayControl::SetOnChecked(bool checked)
{
    if (forms::TMenuItem* item = items_[kOnItem].Get())
        item->SetChecked(checked);
}

void CTrayControl::SetOnEnabled(bool enabled)
{
    if (forms::TMenuItem* item = items_[kOnItem].Get())
        item->SetEnabled(enabled);
}

bool CTrayControl::StartHostSuite(int page)
{
    const std::wstring file = ProgramFolder() + kHostSuite;
    const std::wstring parameters = L"-OPEN " + std::to_wstring(page);
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void CTrayControl::OnTrayMouseUp(forms::TMouseButton button)
{
    if (menuOpen_)
        return;
    const FlagScope open(menuOpen_);
    if (button != forms::mbRight)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // Returns when the menu closes; the chosen line's click follows from the queue.
    if (forms::TPopupMenu* menu = menu_.Get())
        menu->Popup(cursor.x, cursor.y);
}

void CTrayControl::OnTrayClick()
{
    forms::TForm& form = host_.Form();
    if (form.Visible())
        SetForegroundWindow(forms::Application().Handle());
    else
        form.Show();
}

void CTrayControl::OnMenuPopup(forms::TObject*)
{
    const HWND application = forms::Application().Handle();
    if (IsIconic(application))
        SetForegroundWindow(application);
}

void CTrayControl::OnMenuClick(forms::TObject* sender)
{
    auto* item = forms::As<forms::TMenuItem>(sender);
    switch (item->Tag()) {
    case kOnItem:
        item->SetChecked(!item->Checked());
        host_.SwitchFromTray(item->Checked());
        break;
    case kExitItem:
        host_.Form().Close();
        break;
    default:
        break;
    }
}

void CTrayControl::OnBalloonEvent(UINT code)
{
    // Nothing tells the user when the host suite is missing; the balloon simply does nothing.
    if (code == NIN_BALLOONUSERCLICK)
        StartHostSuite(hostSuitePage_);
}

void CTrayControl::OnRetryTimer(forms::TObject*)
{
    forms::TTimer* timer = retryTimer_.Get();
    TsTrayIconW* trayIcon = trayIcon_.Get();
    if (!timer || !trayIcon)
        return;
    timer->SetEnabled(false);
    trayIcon->SetVisible(true);
    if (!trayIcon->GetVisible())
        timer->SetEnabled(true);
}
