#include "gui/controls/TsTrayIconW.h"

#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/AllocateHWnd.h"
#include "forms/Menus.h"

namespace {

// Runs a copy of the event: a handler that frees the component frees the stored one with it.
template <class Event, class... Args>
void Fire(Event event, Args... args)
{
    if (event)
        event(args...);
}

} // namespace

TsTrayIconW::TsTrayIconW(forms::TComponent* owner, UINT iconId, UINT callbackMessage, TrayShell& shell)
    : forms::TComponent(owner), callbackMessage_(callbackMessage)
{
    window_ = forms::AllocateHWnd([this](forms::TMessage& message) { WndProc(message); }, kWindowClass);
    icon_ = std::make_unique<CsTrayIconW>(window_, iconId, callbackMessage, shell);
    picture_ = std::make_unique<forms::TIcon>();
    picture_->OnChange = [this](forms::TObject* sender) { OnIconChange(sender); };
    picture_->Assign(&forms::Application().Icon());
    icon_->SetIcon(picture_->Handle());
}

TsTrayIconW::~TsTrayIconW()
{
    forms::DeallocateHWnd(window_);
    picture_.reset();
    icon_.reset(); // takes the icon out of the notification area
}

void TsTrayIconW::SetTip(const std::wstring& text)
{
    icon_->SetTip(text);
    icon_->Modify(false);
}

void TsTrayIconW::SetBalloonTitle(const std::wstring& text)
{
    icon_->SetInfoTitle(text);
}

void TsTrayIconW::SetBalloonText(const std::wstring& text)
{
    icon_->SetBalloonText(text.c_str());
}

DWORD TsTrayIconW::BalloonIconFlags(int kind)
{
    switch (kind) {
    case biError: return NIIF_ERROR;
    case biInfo: return NIIF_INFO;
    case biWarning: return NIIF_WARNING;
    case biUser: return NIIF_USER;
    default: return NIIF_NONE;
    }
}

void TsTrayIconW::SetBalloonIcon(int kind)
{
    icon_->SetInfoFlags(BalloonIconFlags(kind));
}

void TsTrayIconW::Minimize()
{
    forms::Application().Minimize();
    ShowWindow(forms::Application().Handle(), SW_HIDE);
    Fire(OnMinimize, this);
}

void TsTrayIconW::Restore()
{
    forms::Application().Restore();
    HWND application = forms::Application().Handle();
    ShowWindow(application, SW_RESTORE);
    SetForegroundWindow(application);
    Fire(OnRestore, this);
}

void TsTrayIconW::Reserved() {}

void TsTrayIconW::SetPopupMenu(forms::TPopupMenu* menu)
{
    popupMenu_ = menu;
}

void TsTrayIconW::PopupAt(int x, int y)
{
    forms::TPopupMenu* menu = GetPopupMenu();
    if (!menu)
        return;
    // The menu closes properly only when the application is in the foreground.
    if (forms::TForm* mainForm = forms::Application().MainForm())
        SetForegroundWindow(mainForm->Handle());
    menu->Popup(x, y);
}

void TsTrayIconW::ShowBalloon()
{
    icon_->Modify(true);
}

void TsTrayIconW::HideBalloon()
{
    icon_->Modify(false);
}

void TsTrayIconW::SetRestoreTrigger(int kind)
{
    restoreTrigger_ = kind;
}

bool TsTrayIconW::MatchesTrigger(int kind, UINT code)
{
    switch (kind) {
    case tkLeftDown: return code == WM_LBUTTONDOWN;
    case tkDoubleClick: return code == WM_LBUTTONDBLCLK || code == WM_RBUTTONDBLCLK;
    case tkAnyDown: return code == WM_LBUTTONDOWN || code == WM_RBUTTONDOWN || code == WM_MBUTTONDOWN;
    case tkAnyUp: return code == WM_LBUTTONUP || code == WM_RBUTTONUP || code == WM_MBUTTONUP;
    case tkLeftUp: return code == WM_LBUTTONUP;
    case tkLeftDoubleClick: return code == WM_LBUTTONDBLCLK;
    case tkRightUp: return code == WM_RBUTTONUP;
    case tkRightDoubleClick: return code == WM_RBUTTONDBLCLK;
    default: return false;
    }
}

void TsTrayIconW::OnIconChange(forms::TObject*)
{
    icon_->SetIcon(picture_->Handle());
    icon_->Modify(false);
}

void TsTrayIconW::WndProc(forms::TMessage& message)
{
    try {
        if (message.Msg == callbackMessage_)
            HandleNotification(static_cast<UINT>(message.LParam));
        else if (message.Msg == WM_QUERYENDSESSION)
            message.Result = 1; // never hold up a log-off or shutdown
    } catch (...) {
        forms::Application().HandleException(this);
    }
}

void TsTrayIconW::HandleNotification(UINT code)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    // Every handler, and the menu loop, may free this component: nothing of it is touched after it went.
    const forms::TLiveness alive = Liveness();
    if (MatchesTrigger(restoreTrigger_, code))
        Restore();
    if (!alive)
        return;
    if (MatchesTrigger(popupTrigger_, code))
        PopupAt(cursor.x, cursor.y);
    if (!alive)
        return;

    switch (code) {
    case WM_MOUSEMOVE:
        Fire(OnMouseMove, 0, cursor.x, cursor.y);
        break;
    case WM_LBUTTONDOWN:
        Fire(OnMouseDown, forms::mbLeft, forms::ssLeft, cursor.x, cursor.y);
        break;
    case WM_LBUTTONUP:
        Fire(OnMouseUp, forms::mbLeft, forms::ssLeft, cursor.x, cursor.y);
        if (alive)
            Fire(OnClick);
        break;
    case WM_LBUTTONDBLCLK:
        Fire(OnDblClick);
        break;
    case WM_RBUTTONDOWN:
        Fire(OnMouseDown, forms::mbRight, forms::ssRight, cursor.x, cursor.y);
        break;
    case WM_RBUTTONUP:
        Fire(OnMouseUp, forms::mbRight, forms::ssRight, cursor.x, cursor.y);
        break;
    case NIN_BALLOONSHOW:
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
    case NIN_BALLOONUSERCLICK:
        Fire(OnBalloon, code);
        break;
    default:
        break;
    }
}
