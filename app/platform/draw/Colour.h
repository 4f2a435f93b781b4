#ifndef PLATFORM_DRAW_COLOUR_H
#define PLATFORM_DRAW_COLOUR_H

#include <cstdint>

namespace plat {

// Colours are numbers 0x00BBGGRR. A number with the high bit set (0x800000nn) names a system
// colour: nn is its index (0x0F button face, 0x17 info text, ...); see SystemColours.h.
using Colour = std::uint32_t;

constexpr Colour RGB(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int GetRValue(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// What GetPixel answers for a point outside the picture.
inline constexpr Colour CLR_INVALID = 0xFFFFFFFF;

} // namespace plat

#endif
