#include "CpuId.h"

#include <cpuid.h>

bool GetCpuId(std::uint32_t leaf, std::uint32_t subleaf, CpuIdRegisters* out)
{
    if (out == nullptr)
        return false;
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(leaf, subleaf, a, b, c, d);
    *out = {a, b, c, d};
    return true;
}

bool IsIntelVendor(const CpuIdRegisters& leaf0) noexcept
{
    return leaf0[1] == 0x756E6547u && leaf0[3] == 0x49656E69u;
}

bool IsGenuineIntel()
{
    static const bool intel = [] {
        CpuIdRegisters registers{};
        return GetCpuId(0, 0, &registers) && IsIntelVendor(registers);
    }();
    return intel;
}
