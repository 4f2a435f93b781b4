#ifndef PLATFORM_DRAW_SYSTEMCOLOURS_H
#define PLATFORM_DRAW_SYSTEMCOLOURS_H

#include "platform/draw/Colour.h"
#include "platform/draw/SystemColourTable.h"

namespace plat {

// The RGB colour of a system colour index (SystemColourTable.h), from the application's palette
// (indices not listed there answer the button face).
Colour GetSysColor(int index);
// An RGB colour as it is; a system colour (high bit set) as the RGB colour it names.
Colour ResolveColour(Colour colour);

} // namespace plat

#endif
