#pragma once

#include <windows.h>

// The ON/OFF switch guard: after a change the switch (and the tray's "On") stays disabled until
// the guard timer ends or a HID device arrives.
class SwitchGuard {
public:
    static constexpr UINT kGuardMs = 9000;

    // The flags as the main scene's construction leaves them: usable, nothing pending.
    void Reset() noexcept
    {
        SwitchEnabled = true;
        SwitchPending = false;
    }

    // A switch change was made; the caller starts the guard timer.
    void BeginChange() noexcept
    {
        SwitchPending = true;
        SwitchEnabled = false;
    }

    // The guard timer ended.
    void TimerEnded() noexcept { Reset(); }

    // WM_DEVICECHANGE: an arrival or a removal while a change is pending decides whether the
    // switch may be used. True when the event applied and the switch must be shown again.
    bool DeviceChanged(WPARAM event) noexcept;

    bool SwitchEnabled = true;
    bool SwitchPending = false;
};

// The guard of the process, shared by the main form, the main scene and the tray.
SwitchGuard& MainSwitchGuard();
