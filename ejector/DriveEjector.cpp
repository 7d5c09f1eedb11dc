#include "DriveEjector.h"

#include <winioctl.h>

#include <cstring>

namespace {

// The standard device-interface classes of disks, CD-ROM drives and floppy drives.
constexpr GUID DiskInterface = {
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
constexpr GUID CdRomInterface = {
    0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
constexpr GUID FloppyInterface = {
    0x53F56311, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};

constexpr LONG UnknownDeviceNumber = -1;
constexpr DWORD MaxDetailSize = 1024;
constexpr int EjectAttempts = 3;
constexpr DWORD EjectRetryPauseMs = 500;

static_assert(sizeof(STORAGE_DEVICE_NUMBER) == 12);
#if !defined(_WIN64)
static_assert(sizeof(SP_DEVICE_INTERFACE_DATA) == 28);
static_assert(sizeof(SP_DEVINFO_DATA) == 28);
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5);
#endif

// Closes a file or device handle through the device layer when the scope ends.
class DeviceHandle {
public:
    DeviceHandle(DeviceApi& api, HANDLE handle) : api_(api), handle_(handle) {}
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;
    ~DeviceHandle() { api_.CloseHandle(handle_); }

private:
    DeviceApi& api_;
    HANDLE handle_;
};

// Destroys a device information list through the device layer when the scope ends.
class DeviceInfoList {
public:
    DeviceInfoList(DeviceApi& api, HDEVINFO list) : api_(api), list_(list) {}
    DeviceInfoList(const DeviceInfoList&) = delete;
    DeviceInfoList& operator=(const DeviceInfoList&) = delete;
    ~DeviceInfoList() { api_.SetupDiDestroyDeviceInfoList(list_); }

private:
    DeviceApi& api_;
    HDEVINFO list_;
};

HANDLE OpenForQuery(DeviceApi& api, const char* path)
{
    // Access 0: asking for the device number needs no read or write rights, and the open must
    // not fail because the drive is in use.
    return api.CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
}

bool QueryDeviceNumber(DeviceApi& api, HANDLE device, LONG& deviceNumber)
{
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!api.DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number,
                             sizeof number, &returned, nullptr)) {
        return false;
    }
    deviceNumber = static_cast<LONG>(number.DeviceNumber);
    return true;
}

const GUID* InterfaceClassFor(UINT driveType, const char* dosDeviceName)
{
    switch (driveType) {
    case DRIVE_REMOVABLE:
        return std::strstr(dosDeviceName, "\\Floppy") ? &FloppyInterface : &DiskInterface;
    case DRIVE_FIXED:
        return &DiskInterface;
    case DRIVE_CDROM:
        return &CdRomInterface;
    default:
        return nullptr;
    }
}

} // namespace

void EjectRemovableDrives(DeviceApi& api)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char driveRoot[] = {letter, ':', '\0'};
        if (api.GetDriveTypeA(driveRoot) == DRIVE_REMOVABLE) {
            EjectDriveByLetter(api, letter);
        }
    }
}

void EjectDriveByLetter(DeviceApi& api, char letter)
{
    const char volumeAccessPath[] = {'\\', '\\', '.', '\\', letter, ':', '\0'};
    const char rootPath[] = {letter, ':', '\\', '\0'};
    const char devicePath[] = {letter, ':', '\0'};

    LONG deviceNumber = UnknownDeviceNumber;
    const HANDLE volume = OpenForQuery(api, volumeAccessPath);
    if (volume == INVALID_HANDLE_VALUE) {
        return;
    }
    {
        const DeviceHandle volumeOwner(api, volume);
        QueryDeviceNumber(api, volume, deviceNumber);
    }
    if (deviceNumber == UnknownDeviceNumber) {
        return;
    }

    const UINT driveType = api.GetDriveTypeA(rootPath);
    char dosDeviceName[MAX_PATH] = {};
    if (api.QueryDosDeviceA(devicePath, dosDeviceName, MAX_PATH) == 0) {
        return;
    }

    const DEVINST device = FindDevInstByDeviceNumber(api, deviceNumber, driveType, dosDeviceName);
    if (device == 0) {
        return;
    }
    // The drive's own device cannot be ejected; its parent (the USB device, the card reader) can.
    DEVINST parent = 0;
    if (api.CM_Get_Parent(&parent, device, 0) != CR_SUCCESS) {
        return;
    }

    for (int attempt = 0; attempt < EjectAttempts; ++attempt) {
        // Reset before every request: a successful request need not write the veto type, and a
        // veto left from the previous try would make a success look like a refusal.
        PNP_VETO_TYPE vetoType = PNP_VetoTypeUnknown;
        if (api.CM_Request_Device_EjectW(parent, &vetoType, nullptr, 0, 0) == CR_SUCCESS &&
            vetoType == PNP_VetoTypeUnknown) {
            return;
        }
        api.Sleep(EjectRetryPauseMs);
    }
}

DEVINST FindDevInstByDeviceNumber(DeviceApi& api, LONG deviceNumber, UINT driveType,
                                  const char* dosDeviceName)
{
    const GUID* interfaceClass = InterfaceClassFor(driveType, dosDeviceName);
    if (!interfaceClass) {
        return 0;
    }
    const HDEVINFO list = api.SetupDiGetClassDevsA(interfaceClass, nullptr, nullptr,
                                                   DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) {
        return 0;
    }
    const DeviceInfoList listOwner(api, list);

    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!api.SetupDiEnumDeviceInterfaces(list, nullptr, interfaceClass, index,
                                             &interfaceData)) {
            return 0;
        }

        DWORD size = 0;
        api.SetupDiGetDeviceInterfaceDetailA(list, &interfaceData, nullptr, 0, &size, nullptr);
        if (size == 0 || size > MaxDetailSize) {
            continue;
        }

        // One byte more than the detail may fill, so the device path always ends inside it.
        alignas(8) char buffer[MaxDetailSize + 1] = {};
        auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVINFO_DATA deviceData{};
        deviceData.cbSize = sizeof deviceData;
        if (!api.SetupDiGetDeviceInterfaceDetailA(list, &interfaceData, detail, size, &size,
                                                  &deviceData)) {
            continue;
        }

        const HANDLE device = OpenForQuery(api, detail->DevicePath);
        if (device == INVALID_HANDLE_VALUE) {
            continue;
        }
        const DeviceHandle deviceOwner(api, device);
        LONG number = UnknownDeviceNumber;
        if (QueryDeviceNumber(api, device, number) && number == deviceNumber) {
            return deviceData.DevInst;
        }
    }
}
