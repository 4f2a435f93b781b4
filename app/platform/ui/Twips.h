#ifndef PLATFORM_UI_TWIPS_H
#define PLATFORM_UI_TWIPS_H

#include <cmath>

namespace plat {

// The windows give geometry in twips; the screen has 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace plat

#endif
