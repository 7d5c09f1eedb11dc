#pragma once

#include "ControllerPort.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class KeyResetObserver;

// The key pages told which key the assembly is encoding; any of them may be absent.
struct KeyResetObservers {
    KeyResetObserver* macroPage = nullptr;    // keys of type 129
    KeyResetObserver* functionPage = nullptr; // keys of type 4, 5, 6 and 8
    KeyResetObserver* shortcutPage = nullptr; // keys of type 3
};

// Layout of the 4096-byte controller key table.
namespace ecbuffer {
constexpr std::size_t kLengthHigh = 1;
constexpr std::size_t kLengthLow = 2;
constexpr std::size_t kReserved = 3;
constexpr std::size_t kReservedSize = 32;
constexpr std::size_t kRecordCount = 35;
constexpr std::size_t kRecords = 36;
constexpr std::size_t kRecordSize = 6;
constexpr std::size_t kMaxRecords = 26;
constexpr std::size_t kData = 195;
constexpr std::size_t kMaxDataLength = 255;
constexpr int kMaxMacroSteps = 15;
// Fixed codes of the apostrophe key, plain and shifted.
constexpr std::int32_t kApostropheCode = 0x3400;
constexpr std::int32_t kQuotationMarkCode = 0x3402;
} // namespace ecbuffer

// Appends one record and its `length` bytes of `data` to `table` in place. Appends nothing and
// returns false when the table holds 26 records, when `length` is outside 0..255 or larger than
// `data`, or when the data would run past the table's end.
bool AppendEcBufferItem(int kind, int length, std::uint8_t modifier, std::uint8_t usage1, std::uint8_t usage2,
                        std::uint8_t usage3, std::span<const std::uint8_t> data, ControllerPort::Table& table);

// A function id as the Function Keys page stores it: decimal, surrounding blanks allowed.
std::optional<int> ParseFunctionId(std::wstring_view text);

// A cleared table holding the six fixed records.
ControllerPort::Table FixedEcBuffer();

// Appends the records of the assigned keys F1..F10 to `table` in place, telling the pages which
// key is being encoded. Macro code words come from fun.cfg, read once per call.
void AppendFunKeyRecords(ControllerPort::Table& table, const KeyResetObservers& observers = {});

// Appends the key records to a copy of `table` and writes the copy to the controller; true when
// the controller took it.
bool AppendFunKeyItems(const ControllerPort::Table& table, ControllerPort& port,
                       const KeyResetObservers& observers = {});

// The whole table from the current assignments, without writing it.
ControllerPort::Table AssembleEcBuffer(const KeyResetObservers& observers = {});

// Builds the table from the current assignments and writes it to the controller; true when the
// controller took it.
bool BuildEcBuffer(ControllerPort& port, const KeyResetObservers& observers = {});
