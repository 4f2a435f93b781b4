#ifndef KELVD_CEGS_ARRAY_H
#define KELVD_CEGS_ARRAY_H

// The capture-effect array ("CEGS") for a 3-degree path at 332 MHz, on the centre line at the origin.
#include "engine_test_support.h"

#include <cmath>
#include <vector>

namespace kelvd_test {

inline std::vector<Antenna> cegsArray() {
    const double H = 492 / (332 * std::sin(3 * 3.141592653589793 / 180));
    Antenna lower, middle, upper;
    lower.z = H / 2, lower.sboMag = 0.5, lower.sboPha = 180, lower.csbMag = 1;
    middle.z = H, middle.sboMag = 1, middle.csbMag = 0.5, middle.csbPha = 180;
    upper.z = 1.5 * H, upper.sboMag = 0.5, upper.sboPha = 180, upper.csbMag = 0;
    return {lower, middle, upper};
}

} // namespace kelvd_test

#endif
