#include "editors/logic/PanelTexts.h"

#include "common/BoxValue.h"
#include "platform/text/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace editors {

double TextNumber(std::string_view text) {
    return plat::IsNumeric(text) ? plat::CDbl(text) : common::BoxValue(text);
}

float ToSingle(double value) {
    constexpr double most = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(value, -most, most));
}

} // namespace editors
