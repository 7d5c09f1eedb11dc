#include "EcBuffer.h"

#include "FunData.h"
#include "FunctionTable.h"
#include "IniSnapshot.h"
#include "KeyAssignmentStore.h"
#include "KeyResetObserver.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string_view>

using namespace ecbuffer;

namespace {

// Record kinds the controller understands beyond the key types themselves.
constexpr int kKindFixed = 7;
constexpr int kKindReported = FUN_TYPE_SHORTCUT;
// The HID usage of F1 is 0x3A.
constexpr std::uint8_t kUsageBeforeF1 = 0x39;

// The data of one record, never more than a record can declare.
class RecordData {
public:
    bool Append16(std::int32_t value)
    {
        if (size_ + 2 > bytes_.size())
            return false;
        bytes_[size_++] = static_cast<std::uint8_t>(value);
        bytes_[size_++] = static_cast<std::uint8_t>(value >> 8);
        return true;
    }

    bool Append32(std::int32_t value)
    {
        if (size_ + 4 > bytes_.size())
            return false;
        for (int shift = 0; shift < 32; shift += 8)
            bytes_[size_++] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift);
        return true;
    }

    std::span<const std::uint8_t> Bytes() const { return {bytes_.data(), size_}; }

private:
    std::array<std::uint8_t, kMaxDataLength> bytes_{};
    std::size_t size_ = 0;
};

struct KeyRecord {
    int kind = 0;
    RecordData data;
};

std::optional<std::int32_t> LookupKeyCode(const std::wstring& text)
{
    const auto it = KeyCodeMap().find(text);
    if (it == KeyCodeMap().end())
        return std::nullopt;
    return it->second;
}

std::optional<std::int32_t> CharacterCode(wchar_t c)
{
    // The apostrophe key is not in KeyMap.cfg: INI quoting cannot hold its two characters.
    if (c == L'\'')
        return kApostropheCode;
    if (c == L'"')
        return kQuotationMarkCode;
    return LookupKeyCode(std::wstring(1, c));
}

// Encodes whole codes until the record is full; characters without a code are left out.
// False once the record is full.
bool AppendText(RecordData& data, std::wstring_view text)
{
    for (const wchar_t c : text) {
        const auto code = CharacterCode(c);
        if (code && !data.Append16(*code))
            return false;
    }
    return true;
}

} // namespace

std::optional<int> ParseFunctionId(std::wstring_view text)
{
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > INT_MAX)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

namespace {

std::optional<KeyRecord> EncodeText(const _FunData& data)
{
    KeyRecord record{FUN_TYPE_TEXT, {}};
    if (AppendText(record.data, FieldText(data.Value[0])) && data.Count == 2) {
        const auto tab = LookupKeyCode(L"TAB");
        if (!tab || record.data.Append16(*tab))
            AppendText(record.data, FieldText(data.Value[1]));
    }
    return record;
}

// fun.cfg as one assembly reads it: once, when the first macro needs it.
using FunCfgOnce = std::optional<IniSnapshot>;

std::optional<KeyRecord> EncodeMacro(const _FunData& data, int n, FunCfgOnce& funCfg)
{
    // The code words live only in fun.cfg; the recorder never stores more than 15 steps.
    KeyRecord record{FUN_TYPE_MACRO, {}};
    if (!funCfg)
        funCfg.emplace(FunCfgPath());
    const int steps = std::clamp<int>(data.Count, 0, kMaxMacroSteps);
    for (int l = 1; l <= steps; ++l)
        record.data.Append32(funCfg->ReadInteger(FunSection(n), std::to_wstring(l) + L"_code", 0));
    return record;
}

std::optional<KeyRecord> EncodeFunction(const _FunData& data)
{
    const auto id = ParseFunctionId(FieldText(data.Value[0]));
    if (!id)
        return std::nullopt;
    const auto code = GetFunctionCode(*id);
    if (!code)
        return std::nullopt;
    switch (*code) {
    case -1:
        return KeyRecord{5, {}};
    case -2:
        return KeyRecord{6, {}};
    case -3:
        return KeyRecord{8, {}};
    case -4:
    case -5:
        return KeyRecord{kKindReported, {}};
    default: {
        KeyRecord record{data.Type, {}};
        record.data.Append32(*code);
        return record;
    }
    }
}

bool IsFunctionType(int type)
{
    return type == FUN_TYPE_FUNCTION || type == 5 || type == 6 || type == 8;
}

// Nothing for a type the key pages never write.
std::optional<KeyRecord> EncodeKey(const _FunData& data, int n, FunCfgOnce& funCfg)
{
    if (data.Type == FUN_TYPE_TEXT)
        return EncodeText(data);
    if (data.Type == FUN_TYPE_MACRO)
        return EncodeMacro(data, n, funCfg);
    if (IsFunctionType(data.Type))
        return EncodeFunction(data);
    if (data.Type == FUN_TYPE_SHORTCUT)
        return KeyRecord{kKindReported, {}};
    return std::nullopt;
}

KeyResetObserver* ObserverFor(int type, const KeyResetObservers& observers)
{
    if (type == FUN_TYPE_MACRO)
        return observers.macroPage;
    if (IsFunctionType(type))
        return observers.functionPage;
    if (type == FUN_TYPE_SHORTCUT)
        return observers.shortcutPage;
    return nullptr;
}

} // namespace

bool AppendEcBufferItem(int kind, int length, std::uint8_t modifier, std::uint8_t usage1, std::uint8_t usage2,
                        std::uint8_t usage3, std::span<const std::uint8_t> data, ControllerPort::Table& table)
{
    const std::size_t k = table[kRecordCount];
    if (k >= kMaxRecords || length < 0 || static_cast<std::size_t>(length) > kMaxDataLength ||
        static_cast<std::size_t>(length) > data.size())
        return false;
    std::size_t end = kData;
    for (std::size_t i = 0; i < k; ++i)
        end += table[kRecords + kRecordSize * i + 1];
    if (end + static_cast<std::size_t>(length) > table.size())
        return false;

    table[0] = 0xFF;
    std::fill_n(table.begin() + kReserved, kReservedSize, std::uint8_t{0});
    if (kind == 10)
        for (std::size_t i = 0; i < 3; ++i)
            table[kReserved + i] = i < data.size() ? data[i] : 0;

    table[kRecordCount] = static_cast<std::uint8_t>(k + 1);
    std::uint8_t* record = table.data() + kRecords + kRecordSize * k;
    record[0] = static_cast<std::uint8_t>(kind);
    record[1] = static_cast<std::uint8_t>(length);
    record[2] = modifier;
    record[3] = usage1;
    record[4] = usage2;
    record[5] = usage3;

    std::copy_n(data.begin(), length, table.begin() + end);
    end += static_cast<std::size_t>(length);
    table[kLengthHigh] = static_cast<std::uint8_t>((end - 3) >> 8);
    table[kLengthLow] = static_cast<std::uint8_t>(end - 3);
    return true;
}

ControllerPort::Table FixedEcBuffer()
{
    struct Fixed {
        std::uint8_t usage1, usage2, usage3, data;
    };
    // F11, F12, Delete, Enter, keypad Enter and C+L+R.
    static constexpr Fixed kFixed[] = {
        {0x44, 0, 0, 8}, {0x45, 0, 0, 6}, {0x4C, 0, 0, 2}, {0x28, 0, 0, 1}, {0x58, 0, 0, 1}, {0x06, 0x0F, 0x15, 3},
    };
    ControllerPort::Table table{};
    for (const Fixed& f : kFixed)
        AppendEcBufferItem(kKindFixed, 1, 0, f.usage1, f.usage2, f.usage3, {&f.data, 1}, table);
    return table;
}

void AppendFunKeyRecords(ControllerPort::Table& table, const KeyResetObservers& observers)
{
    FunCfgOnce funCfg;
    for (int n = 1; n <= kFunKeyCount; ++n) {
        const _FunData* data = FindFunData(n);
        if (data == nullptr || data->Type == FUN_TYPE_NONE)
            continue;
        if (KeyResetObserver* observer = ObserverFor(data->Type, observers))
            observer->OnKeyReset(n);
        // Looked up again: a page that reloads may have run code that replaced the record.
        data = FindFunData(n);
        if (data == nullptr)
            continue;
        if (const auto record = EncodeKey(*data, n, funCfg)) {
            const auto bytes = record->data.Bytes();
            AppendEcBufferItem(record->kind, static_cast<int>(bytes.size()), 0,
                               static_cast<std::uint8_t>(kUsageBeforeF1 + n), 0, 0, bytes, table);
        }
    }
}

bool AppendFunKeyItems(const ControllerPort::Table& table, ControllerPort& port, const KeyResetObservers& observers)
{
    ControllerPort::Table copy = table;
    AppendFunKeyRecords(copy, observers);
    return port.WriteEcBuffer(copy);
}

ControllerPort::Table AssembleEcBuffer(const KeyResetObservers& observers)
{
    ControllerPort::Table table = FixedEcBuffer();
    AppendFunKeyRecords(table, observers);
    return table;
}

bool BuildEcBuffer(ControllerPort& port, const KeyResetObservers& observers)
{
    return AppendFunKeyItems(FixedEcBuffer(), port, observers);
}
