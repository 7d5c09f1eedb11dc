#include "forms/ListBox.h"

#include <algorithm>

#include "forms/Messages.h"

namespace forms {

int TListBoxItems::Add(const std::wstring& text)
{
    Insert(Count(), text);
    return Count() - 1;
}

void TListBoxItems::Insert(int index, const std::wstring& text)
{
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, text);
    if (owner_.HandleAllocated())
        SendMessageW(owner_.Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TListBoxItems::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    if (owner_.HandleAllocated())
        SendMessageW(owner_.Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    else if (owner_.pendingIndex_ >= Count())
        owner_.pendingIndex_ = -1;
}

void TListBoxItems::Clear()
{
    items_.clear();
    owner_.pendingIndex_ = -1;
    if (owner_.HandleAllocated())
        SendMessageW(owner_.Handle(), LB_RESETCONTENT, 0, 0);
}

int TListBoxItems::IndexOf(const std::wstring& text) const
{
    const auto it = std::find(items_.begin(), items_.end(), text);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), canvas_(*this)
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, L"LISTBOX");
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (style_ == lbOwnerDrawFixed)
        params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (style_ == lbOwnerDrawFixed)
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
    for (const std::wstring& item : items_.items_)
        SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (pendingIndex_ >= 0)
        SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(pendingIndex_), 0);
}

void TListBox::SetItemHeight(int height)
{
    if (height <= 0 || height == itemHeight_)
        return;
    itemHeight_ = height;
    if (HandleAllocated() && style_ == lbOwnerDrawFixed) {
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
        Invalidate();
    }
}

void TListBox::SetBorderStyle(TBorderStyle value)
{
    value = value == bsNone ? bsNone : bsSingle;
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    SetClientEdge(value == bsSingle);
}

int TListBox::ItemIndex()
{
    if (!HandleAllocated())
        return pendingIndex_;
    return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= items_.Count())
        index = -1;
    if (!HandleAllocated()) {
        pendingIndex_ = index;
        return;
    }
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_.FillRect(rect);
    canvas_.TextOut(rect.Left + 2, rect.Top, items_[index]);
}

void TListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == LBN_SELCHANGE)
            Click();
        else if (HIWORD(message.WParam) == LBN_DBLCLK)
            DblClick();
        return;
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
        message.Result = TRUE;
        return;
    case CN_DRAWITEM: {
        const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        TOwnerDrawState state = item->itemState & (ODS_SELECTED | ODS_GRAYED | ODS_DISABLED | ODS_CHECKED |
                                                   ODS_FOCUS | ODS_DEFAULT);  // the same bits as odSelected...odDefault
        if (item->itemState & ODS_COMBOBOXEDIT)
            state |= odComboBoxEdit;
        const TRect rect = item->rcItem;
        canvas_.BindPaintDC(item->hDC);
        try {
            canvas_.Font().Assign(&Font());
            canvas_.Brush().SetColor(Color());
            const int index = static_cast<int>(item->itemID);
            if (index >= 0 && (state & odSelected)) {
                canvas_.Brush().SetColor(clHighlight);
                canvas_.Font().SetColor(clHighlightText);
            }
            if (index >= 0 && index < items_.Count())
                DrawItem(index, rect, state);
            else
                canvas_.FillRect(rect);
            if (state & odFocused) {
                const RECT r = rect;
                DrawFocusRect(item->hDC, &r);
            }
        } catch (...) {
            canvas_.BindPaintDC(nullptr);
            throw;
        }
        canvas_.BindPaintDC(nullptr);
        message.Result = TRUE;
        return;
    }
    case CN_CTLCOLORLISTBOX: {
        const HDC dc = reinterpret_cast<HDC>(message.WParam);
        const COLORREF colour = ColorToRGB(Color());
        SetTextColor(dc, ColorToRGB(Font().Color()));
        SetBkColor(dc, colour);
        background_.Reset(CreateSolidBrush(colour));
        message.Result = reinterpret_cast<LRESULT>(background_.Get());
        return;
    }
    default:
        TWinControl::WndProc(message);
    }
}

}  // namespace forms
