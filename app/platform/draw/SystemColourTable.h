#ifndef PLATFORM_DRAW_SYSTEMCOLOURTABLE_H
#define PLATFORM_DRAW_SYSTEMCOLOURTABLE_H

#include "platform/draw/Colour.h"

namespace plat {

// Indices of the system colours the windows name (a colour 0x800000nn names index nn).
inline constexpr int COLOR_DESKTOP = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;

// True for a colour number that names a system colour (high bit set).
constexpr bool IsSystemColour(Colour colour) {
    return (colour & 0x80000000u) != 0;
}

// The platform's standard light scheme: the colour a system colour index stands for where no window
// answers from the application's palette (SystemColours.h does), as in the image toolkit's
// bitmaps. Indices not listed above answer the button face.
Colour StandardSysColor(int index);
// An RGB colour as it is; a system colour as its standard value.
Colour ResolveStandardColour(Colour colour);

} // namespace plat

#endif
