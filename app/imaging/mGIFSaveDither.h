#pragma once

// The look-up tables of the reduction to 8 bits: every per-pixel decision of its loops is one of
// these (levels of a component, the halftone cube's index, the ordered-dither thresholds, and the
// shares of an error that diffusion spreads). Rounding is to the nearest whole number, halves to even.

#include <array>
#include <cstdint>

namespace imaging {

struct DitherTables {
    // round(v / 17) held to 0..15, for v from -8 to 262: the ordered dither of a component c reads
    // c + 8 - t16, from 0 + 8 - 16 to 255 + 8 - 1.
    std::array<std::int32_t, 271> level16;
    // round(v / 51) held to 0..5, for v from -51 to 280.
    std::array<std::int32_t, 332> level6;
    // r + 6g + 36b for levels 0..5: the halftone palette's index of that colour.
    std::array<std::uint8_t, 216> cube;
    // Ordered-dither thresholds at dx + 4dy: the 4 x 4 Bayer matrix plus 1, and that scaled to 51.
    std::array<std::int32_t, 16> t16;
    std::array<std::int32_t, 16> t51;
    // The shares 1/16, 3/16, 5/16 and 7/16 of an error e from -255 to 255, at e + 255.
    std::array<std::int32_t, 511> e1, e3, e5, e7;

    int L16(int v) const { return level16[static_cast<std::size_t>(v + 8)]; }
    int L6(int v) const { return level6[static_cast<std::size_t>(v + 51)]; }
};

// The tables, computed once: they depend on nothing.
const DitherTables& BuildDitherTables();

} // namespace imaging
