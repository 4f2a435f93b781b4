#pragma once

// The viewer's rule for a number typed into one of its boxes: the box's number (common::BoxValue)
// held within a Single's range. No box text can make the viewer fail.

#include <string_view>

namespace viewer {

// The value held within a Single's range (an infinity at its end); NaN gives 0.
float HeldSingle(double value);

// HeldSingle(common::BoxValue(text)).
float BoxSingle(std::string_view text);

} // namespace viewer
