#include "forms/Menus.h"

#include <algorithm>
#include <map>
#include <utility>

#include "forms/AllocateHWnd.h"
#include "forms/Exceptions.h"
#include "forms/Messages.h"

namespace forms {

namespace {

// Live items by command number: a command that arrives after its item was freed finds nothing.
std::map<UINT, TMenuItem*>& ItemsByCommand()
{
    static auto* items = new std::map<UINT, TMenuItem*>();
    return *items;
}

UINT NextCommand()
{
    static UINT next = 0x100;
    if (++next >= 0xF000)  // below the system menu commands
        next = 0x100;
    return next;
}

class MenuHandle {
public:
    MenuHandle() : menu_(CreatePopupMenu()) {}
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    ~MenuHandle()
    {
        if (menu_)
            DestroyMenu(menu_);
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    HMENU Get() const { return menu_; }
    HMENU Release() { return std::exchange(menu_, nullptr); }

private:
    HMENU menu_;
};

void Fill(HMENU menu, const TMenuItem& parent)
{
    for (int i = 0; i < parent.Count(); ++i) {
        const TMenuItem* item = parent.Items(i);
        if (!item->Visible())
            continue;
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item->Checked())
            flags |= MF_CHECKED;
        if (!item->Enabled())
            flags |= MF_GRAYED;
        if (item->Count() > 0) {
            MenuHandle sub;
            Fill(sub.Get(), *item);
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Release()), item->Caption().c_str());
        } else {
            AppendMenuW(menu, flags, item->Command(), item->Caption().c_str());
        }
    }
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand())
{
    ItemsByCommand()[command_] = this;
}

TMenuItem::~TMenuItem()
{
    ItemsByCommand().erase(command_);
    while (!items_.empty()) {
        TMenuItem* item = items_.back();
        items_.pop_back();
        item->parent_ = nullptr;
        delete item;
    }
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item && item->parent_ == this)
        item->parent_ = nullptr;
}

void TMenuItem::Click()
{
    // A copy runs: the handler may free the item.
    if (const TNotifyEvent handler = OnClick)
        handler(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr))
{
    window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
}

TPopupMenu::~TPopupMenu()
{
    DeallocateHWnd(window_);
    delete items_;
}

HMENU TPopupMenu::BuildMenu()
{
    MenuHandle menu;
    if (!menu.Get())
        throw EOutOfResources();
    Fill(menu.Get(), *items_);
    return menu.Release();
}

void TPopupMenu::Popup(int x, int y)
{
    // OnPopup and the messages handled by the menu loop may free this menu.
    const TLiveness alive = Liveness();
    // A copy runs: freeing the menu frees the stored handler.
    if (const TNotifyEvent handler = OnPopup)
        handler(this);
    if (!alive)
        return;
    MenuHandle menu(BuildMenu());
    const UINT command = static_cast<UINT>(
        TrackPopupMenuEx(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, window_, nullptr));
    if (!alive)
        return;
    // The click runs from the queue, after Popup has returned to its caller.
    if (command)
        PostMessageW(window_, CM_MENUCOMMAND, command, 0);
    PostMessageW(window_, WM_NULL, 0, 0);
}

void TPopupMenu::WndProc(TMessage& message)
{
    if (message.Msg == CM_MENUCOMMAND) {
        const auto found = ItemsByCommand().find(static_cast<UINT>(message.WParam));
        if (found != ItemsByCommand().end())
            found->second->Click();
        return;
    }
    message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
}

}  // namespace forms
