#include "viewer/logic/BoxValue.h"

#include "platform/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace viewer {

double BoxValue(std::string_view text) {
    try {
        return plat::Val(text);
    } catch (const plat::OverflowError&) {
        return 0;
    }
}

float HeldSingle(double value) {
    if (std::isnan(value))
        return 0;
    const double max = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -max, max));
}

float BoxSingle(std::string_view text) {
    return HeldSingle(BoxValue(text));
}

} // namespace viewer
