#pragma once

// State the layer's window machinery shares between its files. Not for use outside src/forms.

#include <windows.h>

namespace forms {

class TControl;
class TWinControl;

namespace detail {

// Depth of nested window messages being handled on the GUI thread.
int DispatchDepth();
void EnterDispatch();
// Leaves one level and gives back the device contexts taken at that level.
void LeaveDispatch();

// The control that holds the mouse capture (windowless controls capture through their parent's window).
TControl*& CaptureControl();

// The object bound to one of the layer's windows, or null for any other window.
TWinControl* ControlFromHandle(HWND window);

// Whether the control or anything shown on it is handling a message right now.
bool DispatchActive(TControl* control);

}  // namespace detail
}  // namespace forms
