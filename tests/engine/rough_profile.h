#ifndef KELVD_ROUGH_PROFILE_H
#define KELVD_ROUGH_PROFILE_H

// Random rough terrain for the tests of the GTD model's plate and shadow tests.

#include "gtd_plates.h"

#include <gtest/gtest.h>

#include <random>

namespace kelvd_test {

// A profile of n points (feet), steps of 50 to 3000 along Y, rises of up to 300 either way.
inline kelvd::Profile roughProfile(std::mt19937_64& rng, int n) {
    std::uniform_real_distribution<double> step(50, 3000), rise(-300, 300);
    kelvd::Profile p;
    p.NV = n;
    double y = 0, z = 0;
    for (int i = 0; i < n; ++i) {
        p.v[static_cast<size_t>(i)] = {0, y, z};
        y += step(rng);
        z += rise(rng);
    }
    return p;
}

// The plates of the profile, scaled to wavelengths as the GTD model scales them.
inline void buildScaledPlates(kelvd::GtdCall& g, const kelvd::Profile& p, double scale) {
    EXPECT_EQ(kelvd::BuildPlates(g, p), -1);
    for (int i = 0; i < 2 * p.NV; ++i)
        g.T.DRV[static_cast<size_t>(i)] = scale * g.T.DRV[static_cast<size_t>(i)];
}

} // namespace kelvd_test

#endif
