#pragma once

// Dims the main window under the popups that the main scene and the key pages open over it.

#include "CDimmingControl.h"
#include "TMaskForm.h"

class CMaskControl {
public:
    // Made on first use, never freed.
    static CMaskControl* Instance();

    // Lays a new overlay exactly over the form's window (the form is the main form); nothing while that
    // window is hidden.
    void ShowMask(forms::TForm* form) { control_.Show(form); }
    // Takes the overlay away, if there is one.
    void HideMask() { control_.Hide(); }
    TMaskForm* Mask() const { return control_.Current(); }

    // Counted: the outermost dim lays the overlay, and only its end takes it away.
    void BeginDim(forms::TForm* form)
    {
        if (dims_++ == 0)
            ShowMask(form);
    }
    void EndDim()
    {
        if (dims_ > 0 && --dims_ == 0)
            HideMask();
    }

private:
    CDimmingControl<TMaskForm> control_;
    int dims_ = 0;
};

// Dims the main window for as long as it lives; a dim inside another leaves the outer one's overlay.
class MainWindowDim {
public:
    explicit MainWindowDim(forms::TForm* form) { CMaskControl::Instance()->BeginDim(form); }
    ~MainWindowDim() { CMaskControl::Instance()->EndDim(); }
    MainWindowDim(const MainWindowDim&) = delete;
    MainWindowDim& operator=(const MainWindowDim&) = delete;
};
