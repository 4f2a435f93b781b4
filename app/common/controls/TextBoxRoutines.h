#pragma once
// The shared helper routines that take a control, and the numeric text-box behaviour built on them.

#include <cstdint>
#include <functional>

#include "platform/ui/TextBox.h"

namespace common {

// A text box's text, trimmed, converted from its unit suffix into `unit` (feet 0, metres 1,
// nautical miles 2) and stored trimmed. Any other control is left alone.
void ConvertTextBoxUnits(plat::Control& control, std::uint8_t unit);

// A text box whose trimmed text is empty or not a number gets "0"; a number is left exactly as
// it was, blanks included. Any other control is left alone.
void EnsureNumericText(plat::Control& control);

// The numeric box behaviour whose steps are these routines: the conversion into the unit that
// `unit` gives when the step runs, and the guard. std::invalid_argument when a step converts and
// `unit` is empty.
plat::NumericBehaviour NumericBoxBehaviour(plat::NumericSteps enter, plat::NumericSteps leave,
                                           std::function<std::uint8_t()> unit);

} // namespace common
