#pragma once

// Lays the recording overlay over the main window while a macro is recorded.

#include "CDimmingControl.h"
#include "TMaskMKForm.h"

class CMaskControlMK {
public:
    // Made on first use, never freed.
    static CMaskControlMK* GetInstance();

    // Lays a new overlay exactly over the component's window when it is a form (the main form); nothing
    // while that window is hidden.
    void Show(forms::TComponent* component);
    // Takes the overlay away, if there is one.
    void Hide() { control_.Hide(); }
    TMaskMKForm* Mask() const { return control_.Current(); }

private:
    CDimmingControl<TMaskMKForm> control_;
};
