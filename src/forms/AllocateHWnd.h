#pragma once

// Hidden windows whose messages go to a method: for objects that are not controls but need a window
// (timers, menus, the tray icon).

#include <windows.h>

#include "forms/Types.h"

namespace forms {

// A hidden top-level window (not message-only, so it hears broadcasts such as WM_QUERYENDSESSION). After
// creation every message goes to `method`, which answers through TMessage::Result (0 unless it sets one);
// exceptions leaving `method` are reported by the application. A window that other programs look for
// gets a class name of its own.
HWND AllocateHWnd(TWndMethod method, const wchar_t* className = nullptr);
void DeallocateHWnd(HWND window);

}  // namespace forms
