#pragma once

// Whether a real is a finite number, told by its bits alone. Reals read from
// a file's bytes may be any bit pattern, signalling NaNs included; the
// program runs with the invalid-operation trap on, and any arithmetic or
// comparison on a signalling NaN (std::isfinite too, as GCC compiles it)
// raises it. So every real taken from a file's bytes goes through
// finite_bits before anything else touches it.

#include <bit>
#include <cstdint>

inline bool finite_bits(float value) {
    constexpr std::uint32_t kExponent = 0x7F800000u;
    return (std::bit_cast<std::uint32_t>(value) & kExponent) != kExponent;
}

inline bool finite_bits(double value) {
    constexpr std::uint64_t kExponent = 0x7FF0000000000000u;
    return (std::bit_cast<std::uint64_t>(value) & kExponent) != kExponent;
}
