#pragma once

#include <windows.h>

// Keeps the main window registered with the system service for key notifications: registers at
// start, retries on a timer while the service refuses, and unregisters when destroyed. The window
// owns the real timer and forwards its ticks.
class SysSvrRegistration {
public:
    // The window's retry timer.
    class Timer {
    public:
        virtual ~Timer() = default;
        virtual void SetEnabled(bool enabled) = 0;
    };

    static constexpr UINT kRetryIntervalMs = 5000;
    // Timer attempts after a failed start; then the program runs without key notifications.
    static constexpr int kMaxRetries = 13;

    SysSvrRegistration(HWND window, Timer& timer) noexcept;
    // Unregisters when registered.
    ~SysSvrRegistration();

    SysSvrRegistration(const SysSvrRegistration&) = delete;
    SysSvrRegistration& operator=(const SysSvrRegistration&) = delete;

    // The first attempt; enables the timer when it fails.
    void Start() noexcept;
    // One retry.
    void OnTimerTick() noexcept;

    bool IsRegistered() const noexcept { return registered_; }
    int RetryCount() const noexcept { return retries_; }

private:
    void Register() noexcept;

    HWND window_;
    Timer& timer_;
    bool registered_ = false;
    int retries_ = 0;
};
