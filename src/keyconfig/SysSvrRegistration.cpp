#include "SysSvrRegistration.h"

#include "SysSvrFunctionTable.h"
#include "SysSvrNotification.h"

SysSvrRegistration::SysSvrRegistration(HWND window, Timer& timer) noexcept
    : window_(window)
    , timer_(timer)
{
}

SysSvrRegistration::~SysSvrRegistration()
{
    if (registered_)
        VnSysSvr_UnregisterNotify(window_, kSysSvrRegistrationId);
}

void SysSvrRegistration::Start() noexcept
{
    Register();
    if (!registered_)
        timer_.SetEnabled(true);
}

void SysSvrRegistration::OnTimerTick() noexcept
{
    // A tick that arrives after the last attempt (or while an earlier tick's message box runs its
    // own message loop) only makes sure the timer is off.
    if (registered_ || retries_ >= kMaxRetries) {
        timer_.SetEnabled(false);
        return;
    }
    // Counted and the timer settled before the attempt: a failing attempt shows a message box,
    // and ticks delivered inside it must find the limit already counted, or they nest endlessly.
    ++retries_;
    if (retries_ >= kMaxRetries)
        timer_.SetEnabled(false);
    Register();
    if (registered_)
        timer_.SetEnabled(false);
}

void SysSvrRegistration::Register() noexcept
{
    // Never falls back to unregistered: a nested tick may have succeeded meanwhile.
    if (VnSysSvr_RegisterNotify(window_, kSysSvrRegistrationId) != 0)
        registered_ = true;
}
