#ifndef PLATFORM_UI_COLORS_H
#define PLATFORM_UI_COLORS_H

#include <QColor>

#include "platform/draw/Colour.h"
#include "platform/draw/SystemColours.h"

namespace plat {

// Colours are numbers 0x00BBGGRR (platform/draw/Colour.h); a number with the high bit set names a
// system colour, resolved from the palette (platform/draw/SystemColours.h).

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
// The back colour of a disabled input box.
inline constexpr Colour kDisabledGrey = 0xC0C0C0;
inline constexpr Colour kSystemButtonFace = 0x8000000F;
inline constexpr Colour kSystemButtonText = 0x80000012;
inline constexpr Colour kSystemInfoText = 0x80000017;
inline constexpr Colour kSystemWindow = 0x80000005;
inline constexpr Colour kSystemWindowText = 0x80000008;

// The Qt colour of a colour number, a system colour resolved.
QColor ToQColor(Colour colour);
// The 0x00BBGGRR number of a Qt colour (alpha dropped).
Colour FromQColor(const QColor& colour);

} // namespace plat

#endif
