#pragma once

#include "forms/GdiHandles.h"
#include "forms/Types.h"

#include <windows.h>

#include <vector>

namespace forms {

class TControl;
class TWinControl;

// Holds the drawing of a shown window while many of its child controls are shown, hidden,
// enabled or moved, then has the window draw once what changed: the places of the controls whose
// visibility, enabled state or bounds differ, with the windows of the children there. Drawing
// pending when the hold starts is done first. Other changes to a child's look during the hold
// are not seen; make them after it.
class RedrawHold {
public:
    explicit RedrawHold(TWinControl& parent);
    ~RedrawHold();
    RedrawHold(const RedrawHold&) = delete;
    RedrawHold& operator=(const RedrawHold&) = delete;

private:
    struct ControlState {
        TControl* control;
        bool visible;
        bool enabled;
        TRect bounds;
    };

    std::vector<ControlState> States() const;

    TWinControl& parent_;
    HWND window_ = nullptr;
    std::vector<ControlState> before_;
    RegionHandle pending_;
};

} // namespace forms
