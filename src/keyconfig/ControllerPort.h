#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The four things the program asks of the keyboard controller. The real link goes through the
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
    // Stores the ON/OFF switch in Setting.ini and sets it in the controller; true when the
    // controller accepted it.
    virtual bool SetSwitch(int on) = 0;
    // Reads the saved switch from Setting.ini into `out`; true when it is on.
    virtual bool GetSwitch(int& out) = 0;
    // The key F1..F10 (1..10) that the controller reported, or nothing.
    virtual std::optional<int> ReadPressedKey() = 0;
};
