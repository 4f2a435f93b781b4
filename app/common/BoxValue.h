#pragma once

// The number a box holds, as the windows read a typed number: Val of its text, where a number
// beyond a double's range reads as 0 like any other unreadable text, so that no text can make a
// rule fail.

#include <string_view>

namespace common {

// The leading number of the text (Val), 0 when it has none or it is beyond a double.
double BoxValue(std::string_view text);

} // namespace common
