#pragma once

// List boxes (the system's LISTBOX control), plain or owner-drawn with rows of a fixed height.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/GdiHandles.h"
#include "forms/WinControl.h"

namespace forms {

class TListBox;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };

using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;

// The rows of a list box; kept in step with its window.
class TListBoxItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::wstring& operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
    const std::wstring& Strings(int index) const { return (*this)[index]; }
    int Add(const std::wstring& text);
    void Insert(int index, const std::wstring& text);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::wstring& text) const;

private:
    friend class TListBox;
    explicit TListBoxItems(TListBox& owner) : owner_(owner) {}
    TListBox& owner_;
    std::vector<std::wstring> items_;
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle style) { style_ = style; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    TListBoxItems& Items() { return items_; }
    // The selected row, -1 when none.
    int ItemIndex();
    void SetItemIndex(int index);

    // The canvas rows are drawn on (valid inside OnDrawItem).
    TControlCanvas& Canvas() { return canvas_; }

    // Runs for every row of an owner-drawn list, with Canvas() on the row's DC, the list's font and a brush
    // of the list's colour (highlight colours for a selected row) already set.
    TDrawItemEvent OnDrawItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

private:
    friend class TListBoxItems;

    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 16;
    TBorderStyle borderStyle_ = bsSingle;
    TListBoxItems items_{*this};
    int pendingIndex_ = -1;
    TControlCanvas canvas_;
    BrushHandle background_;
};

}  // namespace forms
