#pragma once

// Popup menus. The menu is built from its items at every Popup; the chosen item's OnClick arrives from the
// message queue after Popup has returned.

#include <windows.h>

#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/GdiHandles.h"

namespace forms {

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    // Leaves its parent item and frees its sub-items.
    ~TMenuItem() override;

    // "-" makes a separator.
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption) { caption_ = caption; }
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { checked_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    bool IsSeparator() const { return caption_ == L"-"; }
    // The command number the item carries in a built menu.
    UINT Command() const { return command_; }

    virtual void Click();

    TNotifyEvent OnClick;

private:
    friend class TPopupMenu;

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    UINT command_;
};

enum TMenuAutoFlag { maAutomatic, maManual, maParent };

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The root item; the menu shows its sub-items.
    TMenuItem& Items() { return *items_; }
    // Stored only: captions are shown as given.
    TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag value) { autoHotkeys_ = value; }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value) { ownerDraw_ = value; }

    // Runs OnPopup, shows the menu at the screen point and returns when it closes. The chosen item's OnClick
    // is posted and runs from the message loop.
    virtual void Popup(int x, int y);
    // The menu as Popup would show it now (tests inspect it); the caller owns it.
    HMENU BuildMenu();
    // The window the menu reports to.
    HWND Window() const { return window_; }

    TNotifyEvent OnPopup;

private:
    void WndProc(TMessage& message);

    TMenuItem* items_;
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
    bool ownerDraw_ = false;
    HWND window_ = nullptr;
};

}  // namespace forms
