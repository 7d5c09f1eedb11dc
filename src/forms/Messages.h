#pragma once

// Private messages the layer sends to its own controls. They never leave the process.

#include <windows.h>

namespace forms {

// Notifications a parent window reflects back to the child window they concern: CN_BASE + the original
// message (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;

constexpr UINT CM_BASE = 0xB000;
// The pointer entered / left a windowless control (sent to the control through Perform).
constexpr UINT CM_MOUSEENTER = CM_BASE + 1;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 2;
// Posted to a menu's window: run the click of the chosen item from the queue.
constexpr UINT CM_MENUCOMMAND = CM_BASE + 4;

}  // namespace forms
