#pragma once

#include <windows.h>

#include <dbt.h>

// A window's notifications of the arrival and removal of one class of device interfaces, from
// construction until the owner ends.
class DeviceNotification {
public:
    DeviceNotification(HWND window, const GUID& interfaceClass) noexcept
    {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = interfaceClass;
        handle_ = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    DeviceNotification(const DeviceNotification&) = delete;
    DeviceNotification& operator=(const DeviceNotification&) = delete;
    ~DeviceNotification()
    {
        if (handle_)
            UnregisterDeviceNotification(handle_);
    }

    explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    HDEVNOTIFY handle_ = nullptr;
};
