#pragma once

#include <array>
#include <cstdint>

// The four result registers of the processor identification: EAX, EBX, ECX, EDX.
using CpuIdRegisters = std::array<std::uint32_t, 4>;

// Fills `out` with the identification of `leaf` and `subleaf`; false only when `out` is missing.
bool GetCpuId(std::uint32_t leaf, std::uint32_t subleaf, CpuIdRegisters* out);

// True when leaf 0 names the vendor "GenuineIntel" ("Genu" in EBX, "ineI" in EDX).
bool IsIntelVendor(const CpuIdRegisters& leaf0) noexcept;

// IsIntelVendor of this processor, asked once and kept.
bool IsGenuineIntel();
