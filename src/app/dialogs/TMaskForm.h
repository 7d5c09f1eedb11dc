#pragma once

// The overlay that dims the main window under a popup (warnings, confirmations, the rename and key-step
// dialogs). A click on it asks the main window to close the key-step dialog.

#include "TDimmingForm.h"

class TMaskForm : public TDimmingFormOf<TMaskForm> {
public:
    // Screen position and size of the overlay; its window is owned by GetParentWindow().
    TMaskForm(forms::TComponent* owner, int left, int top, int width, int height);
    ~TMaskForm() override;

    // Sends the main window MKM_CLOSE_EDIT.
    void OnImageClick(forms::TObject* sender);
};
