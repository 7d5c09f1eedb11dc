#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

// Key type codes stored as "Type" in fun.cfg.
enum FunKeyType : std::int32_t {
    FUN_TYPE_NONE = 0,
    FUN_TYPE_TEXT = 2,
    FUN_TYPE_SHORTCUT = 3,
    FUN_TYPE_FUNCTION = 4,
    FUN_TYPE_MACRO = 129,
};

constexpr int kFunKeyCount = 10;
constexpr int kFunValueCount = 15;
constexpr std::size_t kDisplayNameCapacity = 64;
constexpr std::size_t kFieldCapacity = 260;

// The assignment of one key F1..F10: the in-memory form of its fun.cfg section.
struct _FunData {
    wchar_t DisplayName[kDisplayNameCapacity] = {};
    wchar_t IconFile[kFieldCapacity] = {};
    // Values "1".."15": Value[0] is value "1".
    wchar_t Value[kFunValueCount][kFieldCapacity] = {};
    std::int32_t Type = FUN_TYPE_NONE;
    std::int32_t Count = 1;
    // Owned by the key-button drawing; the store never reads or writes it.
    std::shared_ptr<void> ImageCache;
};

// Copies `text` into a fixed field, cut to the field's capacity less one character.
template <std::size_t N>
void CopyField(wchar_t (&field)[N], std::wstring_view text)
{
    const std::size_t n = std::min(text.size(), N - 1);
    std::copy_n(text.data(), n, field);
    field[n] = L'\0';
}

// The text of a fixed field, up to its NUL (or its end when a writer left none).
template <std::size_t N>
std::wstring_view FieldText(const wchar_t (&field)[N])
{
    return std::wstring_view(field, std::find(field, field + N, L'\0') - field);
}

using FunDataMapType = std::map<std::wstring, _FunData>;
using KeyCodeMapType = std::map<std::wstring, std::int32_t>;

// Process-wide: section name ("F1".."F10") -> record. Filled by LoadConfig.
FunDataMapType& FunDataMap();
// Process-wide: display text (one character, or a key name such as "TAB") -> key code, whose low
// byte holds HID modifier bits and whose next byte the HID keyboard usage. Filled by LoadConfig.
KeyCodeMapType& KeyCodeMap();

// "F1".."F10", and the macro's second section "F1_UI".."F10_UI".
std::wstring FunSection(int n);
std::wstring FunUiSection(int n);

// The record of key n, or null when the map holds none. Applying a profile erases and re-creates
// the records: look a record up again after anything that may run a message loop.
_FunData* FindFunData(int n);
