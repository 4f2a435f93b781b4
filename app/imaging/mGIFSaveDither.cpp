#include "imaging/mGIFSaveDither.h"

#include <algorithm>

#include "imaging/RoundHalfEven.h"

namespace imaging {

namespace {

constexpr std::int32_t kBayerPlusOne[16] = {1, 9, 3, 11, 13, 5, 15, 7, 4, 12, 2, 10, 16, 8, 14, 6};

constexpr DitherTables MakeDitherTables() {
    DitherTables t{};
    for (int v = -8; v <= 262; ++v)
        t.level16[static_cast<std::size_t>(v + 8)] =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(DivideHalfEven(v, 17), 0, 15));
    for (int v = -51; v <= 280; ++v)
        t.level6[static_cast<std::size_t>(v + 51)] =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(DivideHalfEven(v, 51), 0, 5));
    for (int i = 0; i < 216; ++i)
        t.cube[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    for (int i = 0; i < 16; ++i) {
        t.t16[static_cast<std::size_t>(i)] = kBayerPlusOne[i];
        t.t51[static_cast<std::size_t>(i)] =
            static_cast<std::int32_t>(DivideHalfEven(kBayerPlusOne[i] * 51, 16));
    }
    for (int e = -255; e <= 255; ++e) {
        const auto i = static_cast<std::size_t>(e + 255);
        t.e1[i] = static_cast<std::int32_t>(DivideHalfEven(e, 16));
        t.e3[i] = static_cast<std::int32_t>(DivideHalfEven(3 * e, 16));
        t.e5[i] = static_cast<std::int32_t>(DivideHalfEven(5 * e, 16));
        t.e7[i] = static_cast<std::int32_t>(DivideHalfEven(7 * e, 16));
    }
    return t;
}

} // namespace

const DitherTables& BuildDitherTables() {
    static constexpr DitherTables kTables = MakeDitherTables();
    return kTables;
}

} // namespace imaging
