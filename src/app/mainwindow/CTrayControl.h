#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "forms/Object.h"
#include "forms/Types.h"
#include "gui/controls/CsTrayIconW.h"

namespace forms {
class TIcon;
class TMenuItem;
class TPopupMenu;
class TTimer;
}
class TrayHost;
class TsTrayIconW;

// The program's notification-area icon with the tip "Tastro": a left click brings the main window
// up, a right click opens the menu "On" / "Exit", a click on a balloon starts the host suite. While
// the notification area is not there yet the icon is tried again every five seconds.
class CTrayControl {
public:
    static constexpr UINT kIconId = 1;
    static constexpr UINT TRAY_CALLBACK_MESSAGE = WM_USER + 90;
    static constexpr UINT kRetryMs = 5000;
    // The menu's lines by their tags.
    static constexpr int kOnItem = 0;
    static constexpr int kSeparatorItem = 1;
    static constexpr int kExitItem = 2;

    // The retry timer is made now, owned by the host's form.
    explicit CTrayControl(TrayHost& host, TrayShell& shell = SystemTrayShell());
    // Frees the object only: the host calls Release first.
    ~CTrayControl();
    CTrayControl(const CTrayControl&) = delete;
    CTrayControl& operator=(const CTrayControl&) = delete;

    // Loads resource\icon\ap.ico, adds the icon to the notification area and builds the menu.
    void Init();
    // Stops the retry and frees the menu, the icon picture and the tray icon, which leaves the
    // notification area.
    void Release();

    // The "On" line.
    void SetOnChecked(bool checked);
    void SetOnEnabled(bool enabled);
    // Starts "Hub Deck II.exe" of the program folder on `page`; false when the shell could not.
    bool StartHostSuite(int page);

    TsTrayIconW* TrayIcon() const { return trayIcon_.Get(); }
    forms::TPopupMenu* Menu() const { return menu_.Get(); }
    forms::TTimer* RetryTimer() const { return retryTimer_.Get(); }

private:
    void CreateRetryTimer();
    void BuildMenu();

    void OnTrayMouseUp(forms::TMouseButton button);
    void OnTrayClick();
    void OnBalloonEvent(UINT code);
    void OnMenuPopup(forms::TObject* sender);
    void OnMenuClick(forms::TObject* sender);
    void OnRetryTimer(forms::TObject* sender);

    TrayHost& host_;
    TrayShell& shell_;
    forms::TWeakLink<TsTrayIconW> trayIcon_;
    // Loaded and kept; the notification area shows the application's own icon.
    std::unique_ptr<forms::TIcon> icon_;
    forms::TWeakLink<forms::TPopupMenu> menu_;
    std::array<forms::TWeakLink<forms::TMenuItem>, 3> items_;
    forms::TWeakLink<forms::TTimer> retryTimer_;
    int hostSuitePage_ = 0;
    // A right click while the menu of an earlier one is open pops no second menu.
    static bool menuOpen_;
};
