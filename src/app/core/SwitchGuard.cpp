#include "SwitchGuard.h"

#include <dbt.h>

bool SwitchGuard::DeviceChanged(WPARAM event) noexcept
{
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || !SwitchPending)
        return false;
    // The pending flag stays until the timer ends: a later removal disables the switch again.
    SwitchEnabled = event == DBT_DEVICEARRIVAL;
    return true;
}

SwitchGuard& MainSwitchGuard()
{
    static SwitchGuard guard;
    return guard;
}
