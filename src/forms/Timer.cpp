#include "forms/Timer.h"

#include "forms/AllocateHWnd.h"
#include "forms/Application.h"
#include "forms/Exceptions.h"

namespace forms {

namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    window_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    Update();
}

TTimer::~TTimer()
{
    KillTimer(window_, kTimerId);
    DeallocateHWnd(window_);
}

void TTimer::SetInterval(unsigned interval)
{
    if (interval == interval_)
        return;
    interval_ = interval;
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::Update()
{
    KillTimer(window_, kTimerId);
    if (enabled_ && interval_ > 0 && !SetTimer(window_, kTimerId, interval_, nullptr))
        throw EOutOfResources();
}

void TTimer::WndProc(TMessage& message)
{
    if (message.Msg == WM_TIMER && message.WParam == kTimerId) {
        try {
            if (OnTimer)
                OnTimer(this);
        } catch (...) {
            Application().HandleException(this);
        }
        return;
    }
    message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
}

}  // namespace forms
