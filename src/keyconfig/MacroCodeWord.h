#pragma once

#include <cstdint>

// The 32-bit word the controller plays one recorded key from: bit 0 extended key, bits 1-8 scan
// code, bits 9-19 key-down time and bits 20-30 key-up time, both in units of 10 ms.
constexpr std::int32_t kMacroTimeUnitMs = 10;
// The largest count an 11-bit time field holds (20470 ms).
constexpr std::int32_t kMacroMaxTimeUnits = 2047;

struct MacroKeyTimes {
    std::int32_t DownMs = 0;
    std::int32_t UpMs = 0;
};

// The word for a key with `deviceCode` (0 for a key without one: not extended, scan code 0).
// Each time becomes whole 10 ms units, at least 1 and at most 2047, so that it never spills into
// the next field.
std::uint32_t PackMacroCodeWord(std::int32_t deviceCode, std::int32_t downMs, std::int32_t upMs);

MacroKeyTimes UnpackMacroCodeWord(std::uint32_t word);
