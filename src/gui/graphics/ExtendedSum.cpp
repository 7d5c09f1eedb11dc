#include "gui/graphics/ExtendedSum.h"

#include <algorithm>
#include <bit>

namespace gs {

namespace {

// An unsigned 128-bit value; the 32-bit compiler has no such type.
struct Wide {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
};

// value * 2^shift for shift in [0, 127].
Wide ShiftLeft(std::uint64_t value, int shift)
{
    if (shift == 0)
        return {0, value};
    if (shift < 64)
        return {value >> (64 - shift), value << shift};
    return {value << (shift - 64), 0};
}

Wide Add(Wide a, Wide b)
{
    const std::uint64_t low = a.Low + b.Low;
    return {a.High + b.High + (low < a.Low ? 1 : 0), low};
}

// value / 2^shift truncated, for shift in [0, 127] and a quotient below 2^64.
std::uint64_t ShiftRight(Wide value, int shift)
{
    if (shift == 0)
        return value.Low;
    if (shift < 64)
        return (value.High << (64 - shift)) | (value.Low >> shift);
    return value.High >> (shift - 64);
}

int BitWidth(Wide value)
{
    return value.High ? 64 + static_cast<int>(std::bit_width(value.High)) : static_cast<int>(std::bit_width(value.Low));
}

// Rounds to 64 significant bits, to nearest with ties to even.
Wide RoundToExtended(Wide value)
{
    const int drop = BitWidth(value) - 64;
    if (drop <= 0)
        return value;
    // At most 61 + 60 + 1 bits, so the dropped bits and the lowest kept one lie in the low word.
    const std::uint64_t unit = std::uint64_t{1} << drop;
    const std::uint64_t rest = value.Low & (unit - 1);
    const std::uint64_t half = unit >> 1;
    const bool odd = (value.Low & unit) != 0;
    value.Low -= rest;
    if (rest > half || (rest == half && odd))
        value = Add(value, {0, unit});
    return value;
}

}  // namespace

BlendFactor BlendFactor::FromDouble(double value)
{
    if (!(value > 0.0))
        return {};
    const auto bits = std::bit_cast<std::uint64_t>(value);
    BlendFactor factor;
    factor.Mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    factor.Shift = 1075 - static_cast<int>(bits >> 52);
    factor.Fixed = factor.Shift >= 56 ? factor.Mantissa >> (factor.Shift - 56) : factor.Mantissa << (56 - factor.Shift);
    return factor;
}

std::uint8_t TruncatedExtendedSum(std::uint8_t a, BlendFactor x, std::uint8_t b, BlendFactor y)
{
    // With the factors cut to 56 fraction bits the sum lies at most a + b units below the exact one: unless
    // its fraction is that close below the next whole number, neither the exact sum nor its rounding
    // reaches that number.
    constexpr std::uint64_t unit = std::uint64_t{1} << 56;
    const std::uint64_t cut = a * x.Fixed + b * y.Fixed;
    if ((cut & (unit - 1)) < unit - 511)
        return static_cast<std::uint8_t>(cut >> 56);

    // Each product has at most 61 bits and is exact; only the sum is rounded.
    const int shift = std::max(x.Shift, y.Shift);
    const Wide sum = Add(ShiftLeft(a * x.Mantissa, shift - x.Shift), ShiftLeft(b * y.Mantissa, shift - y.Shift));
    return static_cast<std::uint8_t>(ShiftRight(RoundToExtended(sum), shift));
}

}  // namespace gs
