#pragma once

// The overlay that lies over the main window while a macro is recorded; its picture leaves the Record box
// clear. Clicks on it do nothing.

#include "TDimmingForm.h"

class TMaskMKForm : public TDimmingFormOf<TMaskMKForm> {
public:
    // Screen position and size of the overlay; its window is owned by GetParentWindow().
    TMaskMKForm(forms::TComponent* owner, int left, int top, int width, int height);
    ~TMaskMKForm() override;
};
