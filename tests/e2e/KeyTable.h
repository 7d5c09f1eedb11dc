#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr std::size_t kTableSize = 4096;
constexpr std::size_t kRecordCountAt = 35;
constexpr std::size_t kRecordsAt = 36;
constexpr std::size_t kDataAt = 195;
constexpr std::uint8_t kUsageBeforeF1 = 0x39;

// "FF 00 C6": bytes [from, from + count) as upper-case hex pairs.
std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count);
std::string Hex(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> LittleEndian16(std::int32_t value);
std::vector<std::uint8_t> LittleEndian32(std::int32_t value);

// One record of a controller key table with the data it owns, read the way the controller
// reads the table: data areas follow each other in record order from byte 195.
struct TableRecord {
    std::string header;  // the six record bytes as hex
    std::vector<std::uint8_t> data;
};
std::vector<TableRecord> Records(const std::vector<std::uint8_t>& table);

// The header bytes of the record of key n (1..10).
std::string KeyRecordHeader(int n, std::uint8_t kind, std::size_t length);

// The whole table is consistent: 4096 bytes, the marker, at most 26 records, the six fixed
// records first, the declared length matching the records' data, and zeros everywhere else.
testing::AssertionResult IsConsistentTable(const std::vector<std::uint8_t>& table);

// Codes from the shipped tables, read directly from the files.
std::optional<std::int32_t> ShippedKeyCode(const std::wstring& keyMapPath, const std::wstring& text);

struct ShippedFunction {
    int id = 0;
    std::int32_t code = 0;
};
// The first entry of FunKeyMap.cfg whose code satisfies `accept`.
template <class Accept>
std::optional<ShippedFunction> FindShippedFunction(const std::wstring& funKeyMapPath, Accept accept);
std::optional<ShippedFunction> ShippedFunctionById(const std::wstring& funKeyMapPath, int id);

int ShippedFunctionCount(const std::wstring& funKeyMapPath);

template <class Accept>
std::optional<ShippedFunction> FindShippedFunction(const std::wstring& funKeyMapPath, Accept accept)
{
    const int count = ShippedFunctionCount(funKeyMapPath);
    for (int id = 400; id < 400 + count; ++id) {
        const auto function = ShippedFunctionById(funKeyMapPath, id);
        if (function && accept(function->code)) {
            return function;
        }
    }
    return std::nullopt;
}

}  // namespace e2e
