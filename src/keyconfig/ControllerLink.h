#pragma once

#include "AcpiFunctionTable.h"
#include "ControllerPort.h"
#include "ModuleLoader.h"
#include "UserNotifier.h"

#include <optional>
#include <string>

// The controller reached through the ACPI access library in the program folder, with the ON/OFF
// switch remembered in Setting.ini. The only code that calls the library.
class ControllerLink final : public ControllerPort {
public:
    // The process's table, the system's loader and message boxes.
    ControllerLink();
    ControllerLink(AcpiFunctionTable& functions, ModuleLoader& loader, UserNotifier& notifier);

    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // Loads "Biosgateex.dll" and binds it; tells the user when that fails.
    bool LoadAcpiLibrary();

    int AcpiInitialize() override;
    bool WriteEcBuffer(const Table& table) override;
    SwitchResult SetSwitch(int on) override;
    bool RestoreSavedSwitch() override;
    bool GetSwitch(int& out) override;
    std::optional<int> ReadPressedKey() override;

    // The key F1..F10 (1..10) of a HID keyboard usage, or nothing.
    static std::optional<int> KeyFromUsage(unsigned usage) noexcept;

private:
    static std::wstring SettingsPath();
    static bool StoreSwitch(DWORD value);
    bool SendSwitch(DWORD value);

    AcpiFunctionTable& functions_;
    ModuleLoader& loader_;
    UserNotifier& notifier_;
};
