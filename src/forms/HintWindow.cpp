#include "forms/HintWindow.h"

#include <commctrl.h>
#include <windowsx.h>

namespace forms::detail {

namespace {

// The record size every comctl32 version accepts (without the trailing reserved field of version 6).
const UINT kToolInfoSize = TTTOOLINFOW_V2_SIZE;

TOOLINFOW ToolInfo(HWND tool)
{
    TOOLINFOW info{};
    info.cbSize = kToolInfoSize;
    // The tool's mouse messages are relayed rather than caught by subclassing the tool: a subclass
    // reads a window property on every message the tool gets, each a round trip to the window server
    // under Wine, and Wine keeps the subclass after the tool is deleted.
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(tool) ? GetParent(tool) : tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}

}  // namespace

HintWindow& HintWindow::Instance()
{
    // Never destroyed: windows freed during exit still unregister here.
    static auto* instance = new HintWindow();
    return *instance;
}

HWND HintWindow::Window()
{
    if (!tip_ || !IsWindow(tip_)) {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (tip_)
            SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    return tip_;
}

void HintWindow::Set(HWND tool, const std::wstring& text)
{
    if (!tool)
        return;
    if (text.empty() && !tip_)
        return;
    const HWND tip = Window();
    if (!tip)
        return;
    TOOLINFOW info = ToolInfo(tool);
    const bool known = SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    info = ToolInfo(tool);
    if (text.empty()) {
        if (known)
            SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void HintWindow::Relay(HWND tool, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!tip_ || !tool)
        return;
    const DWORD position = GetMessagePos();
    MSG message{tool, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
                POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

std::wstring HintWindow::Text(HWND tool)
{
    if (!tip_ || !tool)
        return {};
    wchar_t buffer[1024] = {};
    TOOLINFOW info = ToolInfo(tool);
    info.lpszText = buffer;
    if (!SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return {};
    SendMessageW(tip_, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&info));
    return buffer;
}

}  // namespace forms::detail
