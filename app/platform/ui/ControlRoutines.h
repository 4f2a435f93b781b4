#ifndef PLATFORM_UI_CONTROLROUTINES_H
#define PLATFORM_UI_CONTROLROUTINES_H

// The shared helper routines that take a control.

#include <cstdint>

#include "platform/ui/Colors.h"

namespace plat {
class Control;
class PictureBox;
} // namespace plat

// A text box's text, trimmed, converted from its unit suffix into `unit` (feet 0, metres 1,
// nautical miles 2) and stored trimmed. Any other control is left alone.
void ConvertTextBoxUnits(plat::Control& control, std::uint8_t unit);

// A text box whose trimmed text is empty or not a number gets "0"; a number is left exactly as
// it was, blanks included. Any other control is left alone.
void EnsureNumericText(plat::Control& control);

// Flood-fills the area around (x, y), given in the picture's user scale, up to the border
// colour, with the fill colour.
void FloodFillPicture(plat::PictureBox& picture, float x, float y, plat::Colour fillColour,
                      plat::Colour borderColour);

#endif
