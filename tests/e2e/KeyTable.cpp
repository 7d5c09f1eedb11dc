#include "KeyTable.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <numeric>

namespace e2e {
namespace {

constexpr std::size_t kRecordSize = 6;
constexpr std::size_t kMaxRecords = 26;

// The six records every table starts with: kind 7, one data byte each.
constexpr const char* kFixedHeaders[] = {
    "07 01 00 44 00 00", "07 01 00 45 00 00", "07 01 00 4C 00 00",
    "07 01 00 28 00 00", "07 01 00 58 00 00", "07 01 00 06 0F 15",
};
constexpr std::uint8_t kFixedData[] = {8, 6, 2, 1, 1, 3};

std::wstring IniText(const std::wstring& path, const wchar_t* section, const std::wstring& key)
{
    wchar_t value[1024] = {};
    const DWORD length = GetPrivateProfileStringW(section, key.c_str(), L"", value, 1024, path.c_str());
    return std::wstring(value, length);
}

// Parsed here: the private-profile integer reader is documented to turn negative values into 0.
int IniInteger(const std::wstring& path, const wchar_t* section, const std::wstring& key, int fallback)
{
    const std::wstring text = IniText(path, section, key);
    return text.empty() ? fallback : static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

bool AllZero(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to && i < bytes.size(); ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Hex(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t count)
{
    std::string text;
    for (std::size_t i = from; i < from + count && i < bytes.size(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        if (!text.empty()) {
            text += ' ';
        }
        text += pair;
    }
    return text;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    return Hex(bytes, 0, bytes.size());
}

std::vector<std::uint8_t> LittleEndian16(std::int32_t value)
{
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}

std::vector<std::uint8_t> LittleEndian32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

std::vector<TableRecord> Records(const std::vector<std::uint8_t>& table)
{
    std::vector<TableRecord> records;
    if (table.size() != kTableSize) {
        return records;
    }
    std::size_t data = kDataAt;
    const std::size_t count = std::min<std::size_t>(table[kRecordCountAt], kMaxRecords);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = kRecordsAt + kRecordSize * k;
        const std::size_t length = table[at + 1];
        const std::size_t end = std::min(data + length, kTableSize);
        records.push_back(
            {Hex(table, at, kRecordSize), std::vector<std::uint8_t>(table.begin() + data, table.begin() + end)});
        data = end;
    }
    return records;
}

std::string KeyRecordHeader(int n, std::uint8_t kind, std::size_t length)
{
    return Hex({kind, static_cast<std::uint8_t>(length), 0, static_cast<std::uint8_t>(kUsageBeforeF1 + n), 0, 0});
}

testing::AssertionResult IsConsistentTable(const std::vector<std::uint8_t>& table)
{
    if (table.size() != kTableSize) {
        return testing::AssertionFailure() << "the table has " << table.size() << " bytes";
    }
    if (table[0] != 0xFF) {
        return testing::AssertionFailure() << "byte 0 is " << Hex(table, 0, 1);
    }
    const std::size_t count = table[kRecordCountAt];
    if (count < 6 || count > kMaxRecords) {
        return testing::AssertionFailure() << count << " records";
    }
    const auto records = Records(table);
    for (std::size_t k = 0; k < 6; ++k) {
        if (records[k].header != kFixedHeaders[k] || records[k].data != std::vector<std::uint8_t>{kFixedData[k]}) {
            return testing::AssertionFailure() << "fixed record " << k << " is " << records[k].header;
        }
    }
    const std::size_t dataLength =
        std::accumulate(records.begin(), records.end(), std::size_t{0},
                        [](std::size_t sum, const TableRecord& r) { return sum + r.data.size(); });
    const std::size_t end = kDataAt + dataLength;
    const std::size_t declared = (static_cast<std::size_t>(table[1]) << 8 | table[2]) + 3;
    if (declared != end) {
        return testing::AssertionFailure() << "bytes 1-2 declare the data to end at " << declared
                                           << ", the records' data ends at " << end;
    }
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t length = table[kRecordsAt + kRecordSize * k + 1];
        if (records[k].data.size() != length) {
            return testing::AssertionFailure() << "record " << k << " declares " << length << " bytes past the end";
        }
    }
    const bool lastIsKind10 = table[kRecordsAt + kRecordSize * (count - 1)] == 10;
    if (!AllZero(table, lastIsKind10 ? 6 : 3, kRecordCountAt)) {
        return testing::AssertionFailure() << "reserved bytes 3-34 are " << Hex(table, 3, 32);
    }
    if (!AllZero(table, kRecordsAt + kRecordSize * count, kDataAt)) {
        return testing::AssertionFailure() << "bytes after the records are not zero";
    }
    if (!AllZero(table, end, kTableSize)) {
        return testing::AssertionFailure() << "bytes after the data area are not zero";
    }
    return testing::AssertionSuccess();
}

std::optional<std::int32_t> ShippedKeyCode(const std::wstring& keyMapPath, const std::wstring& text)
{
    const int count = IniInteger(keyMapPath, L"Info", L"count", 98);
    for (int k = 1; k <= count; ++k) {
        if (IniText(keyMapPath, L"KeyCode", std::to_wstring(k) + L"_dis") == text) {
            return IniInteger(keyMapPath, L"KeyCode", std::to_wstring(k) + L"_key", 0);
        }
    }
    return std::nullopt;
}

int ShippedFunctionCount(const std::wstring& funKeyMapPath)
{
    return IniInteger(funKeyMapPath, L"Info", L"count", 0);
}

std::optional<ShippedFunction> ShippedFunctionById(const std::wstring& funKeyMapPath, int id)
{
    const int entry = id - 399;
    if (entry < 1 || entry > ShippedFunctionCount(funKeyMapPath)) {
        return std::nullopt;
    }
    return ShippedFunction{id, IniInteger(funKeyMapPath, L"FunKey", std::to_wstring(entry) + L"_code", 0)};
}

}  // namespace e2e
