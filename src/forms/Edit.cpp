#include "forms/Edit.h"

#include <algorithm>

#include "forms/Messages.h"

namespace forms {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    // The system control tracks the mouse itself.
    SetControlStyle((ControlStyle() & ~csCaptureMouse) | csFixedHeight);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    TControl::SetAutoSize(true);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, L"EDIT");
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    params.Style |= ES_AUTOHSCROLL | alignments[alignment_];
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (numbersOnly_)
        params.Style |= ES_NUMBER;
    if (!hideSelection_)
        params.Style |= ES_NOHIDESEL;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    AdjustSize();
}

void TCustomEdit::SetStyleBit(DWORD bit, bool on)
{
    if (!HandleAllocated())
        return;
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = value < 0 ? 0 : value;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetNumbersOnly(bool value)
{
    numbersOnly_ = value;
    SetStyleBit(ES_NUMBER, value);
}

void TCustomEdit::SetHideSelection(bool value)
{
    hideSelection_ = value;
    SetStyleBit(ES_NOHIDESEL, !value);
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    SetStyleBit(ES_LEFT | ES_RIGHT | ES_CENTER, false);
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    SetStyleBit(alignments[value], true);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    value = value == bsNone ? bsNone : bsSingle;
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    SetClientEdge(value == bsSingle);
    AdjustSize();
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart()
{
    DWORD start = 0;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value)
{
    if (HandleAllocated())
        SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

int TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
    if (HandleAllocated()) {
        const int start = SelStart();
        SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
    }
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::TextChanged()
{
    TWinControl::TextChanged();
    // With a window the control reports the change itself (EN_CHANGE).
    if (!HandleAllocated())
        Change();
}

void TCustomEdit::FontChanged(TObject* sender)
{
    TWinControl::FontChanged(sender);
    AdjustSize();
}

void TCustomEdit::DoEnter()
{
    if (autoSelect_ && !(ControlState() & csLButtonDown) && GetKeyState(VK_LBUTTON) >= 0)
        SelectAll();
    TWinControl::DoEnter();
}

bool TCustomEdit::CanAutoSize(int&, int& newHeight)
{
    // Without a frame the set height stays.
    if (borderStyle_ != bsSingle)
        return false;
    // A DC of the screen's kind; see TCustomLabel::AdjustBounds.
    const MemoryDC screen(nullptr);
    SelectedObject font(screen.Get(), Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    const int border = borderStyle_ == bsSingle ? 2 * GetSystemMetrics(SM_CYEDGE) + 4 : 0;
    newHeight = metrics.tmHeight + border;
    return true;
}

LRESULT TCustomEdit::ControlColor(HDC dc)
{
    SetTextColor(dc, ColorToRGB(Font().Color()));
    const TRect client = ClientRect();
    if (Color() == clNone && Parent()) {
        // See-through: the brush is the parent's own drawing under the box, so the skin shows behind the text
        // and typing leaves nothing stale.
        const HDC screen = GetDC(nullptr);
        MemoryDC memory(screen);
        BitmapHandle picture(CreateCompatibleBitmap(screen, std::max(client.Width(), 1), std::max(client.Height(), 1)));
        ReleaseDC(nullptr, screen);
        {
            SelectedObject selected(memory.Get(), picture.Get());
            POINT origin{0, 0};
            MapWindowPoints(Handle(), Parent()->Handle(), &origin, 1);
            Parent()->PaintTo(memory.Get(), -origin.x, -origin.y);
        }
        background_.Reset(CreatePatternBrush(picture.Get()));
        SetBkMode(dc, TRANSPARENT);
        SetBrushOrgEx(dc, 0, 0, nullptr);
    } else {
        const COLORREF colour = ColorToRGB(Color() == clNone ? clWindow : Color());
        background_.Reset(CreateSolidBrush(colour));
        SetBkColor(dc, colour);
    }
    return reinterpret_cast<LRESULT>(background_.Get());
}

void TCustomEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE && !(ControlState() & csCreating))
            Change();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        message.Result = ControlColor(reinterpret_cast<HDC>(message.WParam));
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetControlState(ControlState() | csLButtonDown);
        TWinControl::WndProc(message);
        SetControlState(ControlState() & ~csLButtonDown);
        return;
    default:
        TWinControl::WndProc(message);
    }
}

}  // namespace forms
