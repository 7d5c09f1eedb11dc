#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

constexpr std::size_t kKeyDisplayTextCapacity = 260;

// One key a macro may record, from KeyboardValue.cfg.
struct _KeyInStruct {
    // The key's name in a step and in the default macro name (at most 259 characters).
    std::wstring DisplayText;
    // Extended key: scan code in bits 8-15; other keys: scan code in bits 16-23.
    std::int32_t DeviceCode = 0;
};

// Virtual-key code -> key. A key is "known" when the map holds its code.
using KeyboardValueMapType = std::map<std::uint32_t, _KeyInStruct>;

std::wstring KeyboardValuePath();

// Reads the entries 1..[Info] count (default 98) that the file holds; of two entries with the same
// virtual-key code the first stays. The [Key] section is read once, so a large stated count costs
// nothing. A missing file gives an empty map.
KeyboardValueMapType LoadKeyboardValueMap(const std::wstring& path);
