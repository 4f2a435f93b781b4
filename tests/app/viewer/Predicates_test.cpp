#include "viewer/logic/Predicates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

using namespace viewer;

namespace {

__extension__ typedef __int128 Wide;

// Points of a small lattice far from the origin (2^30 + k / 2^20): the double evaluation cannot
// decide most of their signs, exact integers can.
TEST(Predicates, AgreeWithIntegerArithmeticNearDegeneracy) {
    std::mt19937 random(3);
    const double base = std::ldexp(1.0, 30);
    const double unit = std::ldexp(1.0, -20);
    const auto coordinate = [&](std::int64_t& k) {
        k = static_cast<std::int64_t>(random() % 9) - 4;
        return base + static_cast<double>(k) * unit;
    };
    int orientChecked = 0;
    int circleChecked = 0;
    for (int round = 0; round < 20000; ++round) {
        std::int64_t kx[4], ky[4];
        Point2 p[4];
        for (int i = 0; i < 4; ++i) {
            p[i].x = coordinate(kx[i]);
            p[i].y = coordinate(ky[i]);
        }
        const Wide orient = Wide(kx[0] - kx[2]) * (ky[1] - ky[2]) - Wide(ky[0] - ky[2]) * (kx[1] - kx[2]);
        ASSERT_EQ(Orient2D(p[0], p[1], p[2]), (orient > 0) - (orient < 0));
        ++orientChecked;
        const Wide adx = kx[0] - kx[3], ady = ky[0] - ky[3], bdx = kx[1] - kx[3], bdy = ky[1] - ky[3],
                   cdx = kx[2] - kx[3], cdy = ky[2] - ky[3];
        const Wide det = (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) +
                         (bdx * bdx + bdy * bdy) * (cdx * ady - adx * cdy) +
                         (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
        ASSERT_EQ(InCircle(p[0], p[1], p[2], p[3]), (det > 0) - (det < 0));
        ++circleChecked;
    }
    EXPECT_EQ(orientChecked + circleChecked, 40000);
}

TEST(Predicates, TinyAndHugeCoordinates) {
    // Single-precision extremes stay exact: no overflow or underflow on the way.
    const double huge = 3e38;
    EXPECT_EQ(Orient2D({-huge, -huge}, {huge, -huge}, {0, huge}), 1);
    EXPECT_EQ(Orient2D({-huge, -huge}, {huge, huge}, {0, 0}), 0);
    const double tiny = 1e-44;
    EXPECT_EQ(Orient2D({0, 0}, {tiny, 0}, {0, tiny}), 1);
    EXPECT_EQ(InCircle({0, 0}, {tiny, 0}, {0, tiny}, {tiny, tiny}), 0);
    EXPECT_EQ(InCircle({-huge, 0}, {huge, 0}, {0, huge}, {0, -huge}), 0);
    EXPECT_EQ(InCircle({-huge, 0}, {huge, 0}, {0, huge}, {0, 0}), 1);
}

} // namespace
