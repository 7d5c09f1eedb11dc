#pragma once

#include "DeviceApi.h"

// Ejects every drive letter A: to Z: whose drive type is removable, in letter order.
void EjectRemovableDrives(DeviceApi& api);

// Asks Plug and Play to eject the parent of the storage device behind one drive letter ('A' to
// 'Z'). Every step that fails ends the handling of that drive without a message.
void EjectDriveByLetter(DeviceApi& api, char letter);

// The device instance of the first disk, floppy or CD-ROM interface (chosen by drive type and DOS
// device name) whose storage device number is deviceNumber, or 0.
DEVINST FindDevInstByDeviceNumber(DeviceApi& api, LONG deviceNumber, UINT driveType,
                                  const char* dosDeviceName);
