#pragma once

// The viewer's rule for a number typed into one of its boxes: Val of the text, where a number beyond
// a double's range reads as 0 like any other unreadable text, held within a Single's range. No box
// text can make the viewer fail.

#include <string_view>

namespace viewer {

// Val of the text, 0 for a number beyond a double's range.
double BoxValue(std::string_view text);

// The value held within a Single's range (an infinity at its end); NaN gives 0.
float HeldSingle(double value);

// HeldSingle(BoxValue(text)).
float BoxSingle(std::string_view text);

} // namespace viewer
