#ifndef KELVD_GTD_INPUTS_H
#define KELVD_GTD_INPUTS_H

// The run inputs of a GTD call over a card profile, one antenna at (0, 0, 14) ft, first-plate factor 1.
#include "run_inputs.h"

#include <utility>
#include <vector>

namespace kelvd_test {

using Points = std::vector<std::pair<double, double>>; // profile (Y, Z), feet

inline kelvd::RunInputs gtdInputs(const Points& profile, double freq = 330) {
    kelvd::RunInputs in;
    in.MODEL = 1;
    in.FREQ = freq;
    in.lambda = 983571200 / (freq * 1000000);
    in.k = 2 * 3.141592653589793 / in.lambda;
    in.F0 = {1, 0};
    in.NA = 1;
    in.ant[0].pos = {0, 0, 14};
    in.cardProfile.NV = static_cast<int>(profile.size());
    for (size_t i = 0; i < profile.size(); ++i)
        in.cardProfile.v[i] = {0, profile[i].first, profile[i].second};
    return in;
}

} // namespace kelvd_test

#endif
