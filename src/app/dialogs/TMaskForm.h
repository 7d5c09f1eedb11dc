#pragma once

// The overlay that dims the main window under a popup (warnings, confirmations, the rename and key-step
// dialogs). A click on it asks the main window to close the key-step dialog.

#include "TDimmingForm.h"

class TMaskForm : public TDimmingForm {
public:
    // Screen position and size of the overlay; its window is owned by GetParentWindow().
    TMaskForm(forms::TComponent* owner, int left, int top, int width, int height);
    ~TMaskForm() override;

    // The window the next overlay is laid over, set before the overlay is made.
    static void SetParentWindow(HWND window);
    static HWND GetParentWindow();

    // Sends the main window "ZavadOva Main Window Message" with the close-the-key-step-dialog sub-code.
    void OnImageClick(forms::TObject* sender);

    static constexpr WPARAM kCloseEditSubCode = 1257;
};
