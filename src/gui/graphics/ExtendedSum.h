#pragma once

// The blend's sum of two weighted bytes, trunc(a * x + b * y), with the sum rounded to a 64-bit significand
// (to nearest, ties to even) as the x87 unit forms it in extended precision. It is computed in integers, so
// the result depends neither on the build nor on the floating-point settings of the calling thread.

#include <cstdint>

namespace gs {

// A factor 0 or in [2^-60, 1], held exactly as Mantissa / 2^Shift (Mantissa below 2^53), and cut to
// 56 fraction bits as Fixed / 2^56.
struct BlendFactor {
    std::uint64_t Mantissa = 0;
    int Shift = 0;
    std::uint64_t Fixed = 0;

    static BlendFactor FromDouble(double value);
};

std::uint8_t TruncatedExtendedSum(std::uint8_t a, BlendFactor x, std::uint8_t b, BlendFactor y);

}  // namespace gs
