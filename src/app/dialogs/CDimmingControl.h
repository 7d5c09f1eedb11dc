#pragma once

// Shows one overlay of a kind at a time, laid exactly over a window (its rectangle and its region), and
// takes it away again. Overlay is a form with a (owner, left, top, width, height) constructor and a
// static SetParentWindow.

#include <windows.h>

#include "forms/Form.h"
#include "forms/Object.h"

template <class Overlay>
class CDimmingControl {
public:
    CDimmingControl() = default;
    CDimmingControl(const CDimmingControl&) = delete;
    CDimmingControl& operator=(const CDimmingControl&) = delete;
    ~CDimmingControl() { Hide(); }

    // Nothing is shown while the form's window is hidden; a shown overlay is replaced.
    void Show(forms::TForm* form)
    {
        const HWND window = form->Handle();
        Overlay::SetParentWindow(window);
        if (!IsWindowVisible(window))
            return;
        Hide();
        RECT r{};
        GetWindowRect(window, &r);
        auto* overlay = new Overlay(form, r.left, r.top, r.right - r.left, r.bottom - r.top);
        overlay_ = overlay;
        ShowWindow(overlay->Handle(), SW_SHOW);
    }

    // Hides the overlay now and frees it once none of its messages is being handled (it may be the one
    // whose click led here).
    void Hide()
    {
        if (Overlay* overlay = overlay_.Get()) {
            overlay_ = {};
            overlay->Release();
        }
    }

    // The overlay on show, or null (also after its owner freed it).
    Overlay* Current() const { return overlay_.Get(); }

private:
    forms::TWeakLink<Overlay> overlay_;
};
