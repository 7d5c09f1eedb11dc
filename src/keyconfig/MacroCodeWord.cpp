#include "MacroCodeWord.h"

#include <algorithm>

namespace {

std::uint32_t TimeUnits(std::int32_t ms)
{
    return static_cast<std::uint32_t>(std::clamp(ms / kMacroTimeUnitMs, 1, kMacroMaxTimeUnits));
}

} // namespace

std::uint32_t PackMacroCodeWord(std::int32_t deviceCode, std::int32_t downMs, std::int32_t upMs)
{
    const auto code = static_cast<std::uint32_t>(deviceCode);
    const bool extended = (code & 0xFF00) != 0;
    const std::uint32_t scan = extended ? (code >> 8) & 0xFF : (code >> 16) & 0xFF;
    return (extended ? 1u : 0u) | scan << 1 | TimeUnits(downMs) << 9 | TimeUnits(upMs) << 20;
}

MacroKeyTimes UnpackMacroCodeWord(std::uint32_t word)
{
    return {static_cast<std::int32_t>((word & 0xFFE00) >> 9) * kMacroTimeUnitMs,
            static_cast<std::int32_t>((word & 0x7FF00000) >> 20) * kMacroTimeUnitMs};
}
