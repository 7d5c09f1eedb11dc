#pragma once

// A message-based timer: OnTimer arrives as WM_TIMER through the message loop (modal loops included).

#include <windows.h>

#include "forms/Component.h"

namespace forms {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Milliseconds; changing it while enabled starts a full new interval. 0 stops the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    // Enabled by default. Switching from false to true starts a full new interval; true to true changes nothing.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

private:
    void Update();
    void WndProc(TMessage& message);

    unsigned interval_ = 1000;
    bool enabled_ = true;
    HWND window_ = nullptr;
};

}  // namespace forms
