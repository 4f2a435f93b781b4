#ifndef PLATFORM_UI_CONTROLROUTINES_H
#define PLATFORM_UI_CONTROLROUTINES_H

// The shared helper routines that take a control and need nothing of the program.

#include "platform/ui/Colors.h"

namespace plat {
class PictureBox;
} // namespace plat

// Flood-fills the area around (x, y), given in the picture's user scale, up to the border
// colour, with the fill colour.
void FloodFillPicture(plat::PictureBox& picture, float x, float y, plat::Colour fillColour,
                      plat::Colour borderColour);

#endif
