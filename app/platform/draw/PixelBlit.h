#ifndef PLATFORM_DRAW_PIXELBLIT_H
#define PLATFORM_DRAW_PIXELBLIT_H

#include "platform/draw/PixelBuffer.h"

namespace plat {

// The raster operation of a plain copy, the only one the blits carry out.
inline constexpr unsigned SRCCOPY = 0x00CC0020;

// The one stretching rule of every blit (a device context's BitBlt and StretchBlt, the image
// toolkit's bitmaps): copies the source rectangle (xSource, ySource, widthSource, heightSource) onto
// the target rectangle (x, y, width, height), all in pixels. Each target pixel takes the source
// pixel under its centre (the nearest pixel, no blending: COLORONCOLOR); a negative extent mirrors
// that axis; parts outside either picture are skipped. Between layouts the colour is converted,
// except that an indexed target whose table begins with the indexed source's table receives the
// indices themselves. Source and target may be the same picture (overlapping parts read the old
// pixels). False, with nothing copied, when an extent is 0.
bool StretchPixels(PixelBuffer& target, int x, int y, int width, int height, const PixelBuffer& source,
                   int xSource, int ySource, int widthSource, int heightSource);

} // namespace plat

#endif
