#include "viewer/logic/BoxValue.h"

#include "common/BoxValue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace viewer {

float HeldSingle(double value) {
    if (std::isnan(value))
        return 0;
    const double max = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -max, max));
}

float BoxSingle(std::string_view text) {
    return HeldSingle(common::BoxValue(text));
}

} // namespace viewer
