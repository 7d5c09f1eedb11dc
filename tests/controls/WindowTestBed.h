#pragma once

// A shown, borderless form on the test display (one for the whole run: showing and destroying top-level
// windows is slow under the test display), a fresh host panel on it for each test, a message pump, and
// helpers that drive controls the way the system does: the real pointer for hover tracking, window
// messages for buttons and keys.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "forms/CustomControl.h"
#include "forms/Form.h"

namespace controls_test {

class WindowTestBed : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles queued messages for about `milliseconds`.
    static void Pump(int milliseconds = 30);
    // Puts the real pointer on a client point of the control (outside it for negative or large values).
    static void PointAt(forms::TWinControl& control, int x, int y);
    // Puts the pointer far away from every test window.
    static void PointAway();
    static LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
    static void Send(forms::TWinControl& control, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The colour (0x00BBGGRR) the screen shows at a client point of a window.
    static COLORREF ScreenPixel(forms::TWinControl& control, int x, int y);

    // The shared form, and the test's own panel that covers it; the panel owns what a test puts on it.
    forms::TForm* form = nullptr;
    forms::TCustomControl* host = nullptr;
    std::vector<std::wstring> errors;
};

}  // namespace controls_test
