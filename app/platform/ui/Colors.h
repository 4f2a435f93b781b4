#ifndef PLATFORM_UI_COLORS_H
#define PLATFORM_UI_COLORS_H

#include <cstdint>

#include <QColor>

namespace plat {

// Colours are numbers 0x00BBGGRR. A number with the high bit set (0x800000nn) names a system
// colour: nn is its index (0x0F button face, 0x17 info text, ...), resolved from the palette.
using Colour = std::uint32_t;

inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
// The back colour of a disabled input box.
inline constexpr Colour kDisabledGrey = 0xC0C0C0;
inline constexpr Colour kSystemButtonFace = 0x8000000F;
inline constexpr Colour kSystemButtonText = 0x80000012;
inline constexpr Colour kSystemInfoText = 0x80000017;
inline constexpr Colour kSystemWindow = 0x80000005;
inline constexpr Colour kSystemWindowText = 0x80000008;

QColor ToQColor(Colour colour);
// The 0x00BBGGRR number of a Qt colour (alpha dropped).
Colour FromQColor(const QColor& colour);

} // namespace plat

#endif
