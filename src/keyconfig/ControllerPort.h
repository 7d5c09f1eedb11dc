#pragma once

#include <array>
#include <cstdint>
#include <optional>

// What became of a change of the ON/OFF switch.
enum class SwitchResult {
    Set,         // stored in Setting.ini and accepted by the controller
    NotStored,   // Setting.ini could not be changed; the controller was not asked
    NotAccepted, // stored, but the controller is unbound or refused it
};

// The things the program asks of the keyboard controller. The real link goes through the
// ACPI access library; tests and the windowless driver can put a fake in its place.
class ControllerPort {
public:
    static constexpr std::size_t kTableSize = 4096;
    using Table = std::array<std::uint8_t, kTableSize>;

    virtual ~ControllerPort() = default;

    // Binds the library when needed and returns what its initialisation returned (0 when unbound).
    virtual int AcpiInitialize() = 0;
    // Hands a finished key table to the controller; true when it took the table.
    virtual bool WriteEcBuffer(const Table& table) = 0;
    // Stores the ON/OFF switch in Setting.ini and, only once it is stored, sets it in the
    // controller, so that the two never disagree.
    virtual SwitchResult SetSwitch(int on) = 0;
    // Stores the switch that Setting.ini holds back as "1" or "0" (1 on, anything else off) and
    // sends that value whether or not the store succeeded: it is the value Setting.ini stands for,
    // so a read-only installation still gets its keys switched. True when the controller accepted it.
    virtual bool RestoreSavedSwitch() = 0;
    // Reads the saved switch from Setting.ini into `out`; true when it is on.
    virtual bool GetSwitch(int& out) = 0;
    // The key F1..F10 (1..10) that the controller reported, or nothing.
    virtual std::optional<int> ReadPressedKey() = 0;
};
