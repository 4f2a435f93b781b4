#pragma once

// Whole-number division rounded to the nearest whole number, halves to even: the rounding of every
// table and mean of the palette and reduction code, done exactly rather than through floating point.

#include <cstdint>

namespace imaging {

// numerator / denominator for a positive denominator; the numerator may be negative.
constexpr std::int64_t DivideHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;
    if (r < 0) {
        --q;
        r += denominator;
    }
    if (2 * r > denominator || (2 * r == denominator && (q & 1) != 0))
        ++q;
    return q;
}

} // namespace imaging
