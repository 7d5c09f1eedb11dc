#pragma once

// The notification-area icon as a component: a hidden window receives the shell's notifications and
// turns them into events.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "forms/Component.h"
#include "forms/Icon.h"
#include "forms/Types.h"
#include "gui/controls/CsTrayIconW.h"

namespace forms {
class TPopupMenu;
}

class TsTrayIconW : public forms::TComponent {
public:
    // Mouse notifications that can restore the application or pop the menu up.
    enum TriggerKind {
        tkLeftDown = 0,
        tkDoubleClick = 1,
        tkAnyDown = 2,
        tkAnyUp = 3,
        tkLeftUp = 4,
        tkLeftDoubleClick = 5,
        tkRightUp = 6,
        tkRightDoubleClick = 7,
        tkNone = 8,
    };
    // Balloon icon kinds.
    enum BalloonIconKind { biNone = 0, biError = 1, biInfo = 2, biWarning = 3, biUser = 4 };

    // The class of the hidden window, by which other programs find the one the shell notifies.
    static constexpr wchar_t kWindowClass[] = L"TsTrayIconW";

    using TClickEvent = std::function<void()>;
    using TTrayMouseEvent = std::function<void(forms::TMouseButton button, forms::TShiftState shift, int x, int y)>;
    using TTrayMouseMoveEvent = std::function<void(forms::TShiftState shift, int x, int y)>;
    using TBalloonEvent = std::function<void(UINT code)>;

    TsTrayIconW(forms::TComponent* owner, UINT iconId, UINT callbackMessage, TrayShell& shell = SystemTrayShell());
    ~TsTrayIconW() override;

    bool GetVisible() const { return icon_->GetVisible(); }
    void SetVisible(bool visible) { icon_->SetVisible(visible); }
    void SetTip(const std::wstring& text);
    void SetBalloonTitle(const std::wstring& text);
    void SetBalloonText(const std::wstring& text);
    void SetBalloonIcon(int kind);

    virtual void Minimize();
    virtual void Restore();
    virtual void Reserved();
    virtual void PopupAt(int x, int y);
    virtual void ShowBalloon();
    virtual void HideBalloon();
    virtual void SetRestoreTrigger(int kind);

    int GetRestoreTrigger() const { return restoreTrigger_; }
    void SetPopupTrigger(int kind) { popupTrigger_ = kind; }
    int GetPopupTrigger() const { return popupTrigger_; }
    // Not owned; reads null once the menu is freed.
    void SetPopupMenu(forms::TPopupMenu* menu);
    forms::TPopupMenu* GetPopupMenu() const { return popupMenu_.Get(); }

    // The picture shown; a change is sent to the shell at once.
    forms::TIcon& Icon() { return *picture_; }
    // The hidden window the shell notifies.
    HWND WindowHandle() const { return window_; }
    const CsTrayIconW& IconData() const { return *icon_; }

    // Whether a trigger kind answers the mouse notification `code`.
    static bool MatchesTrigger(int kind, UINT code);
    // The dwInfoFlags value of a balloon icon kind.
    static DWORD BalloonIconFlags(int kind);

    forms::TNotifyEvent OnMinimize;
    forms::TNotifyEvent OnRestore;
    TClickEvent OnClick;
    TClickEvent OnDblClick;
    TTrayMouseMoveEvent OnMouseMove;
    TTrayMouseEvent OnMouseUp;
    TTrayMouseEvent OnMouseDown;
    TBalloonEvent OnBalloon;

protected:
    void WndProc(forms::TMessage& message);
    void OnIconChange(forms::TObject* sender);

private:
    void HandleNotification(UINT code);

    HWND window_ = nullptr;
    UINT callbackMessage_;
    std::unique_ptr<CsTrayIconW> icon_;
    std::unique_ptr<forms::TIcon> picture_;
    forms::TWeakLink<forms::TPopupMenu> popupMenu_;
    int restoreTrigger_ = tkNone;
    int popupTrigger_ = tkNone;
};
