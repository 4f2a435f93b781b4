#pragma once

// The reduction of a picture to 8 bits per pixel with a palette of at most 256 colours, the step
// before the GIF writer.

#include <string>

namespace imaging {

class cDIB;
class cPal8bpp;

// 0: the 216-colour halftone cube; 1: an optimal palette of the picture's own colours.
enum class PaletteMode { Halftone = 0, Optimal = 1 };
// 0: the nearest level; 1: ordered 4 x 4; 2: error diffusion (Floyd-Steinberg weights, errors whose
// three components sum to 3 or less in absolute value are dropped).
enum class DitherMode { None = 0, Ordered = 1, ErrorDiffusion = 2 };

// Makes the palette and an 8-bit destination of the 32-bit source's size (the source is never
// changed). With the optimal palette, a source of at most 256 distinct colours is written losslessly:
// its colours, in the order they first appear, are the palette and each pixel gets its own colour's
// index. More colours take the octree palette of a thumbnail of at most 150 x 150 pixels, looked up
// through a 16-level cube. A palette of one colour is padded to two (the second black), the fewest a
// GIF holds. False, with nothing changed, when the source is not of 32 bits per pixel.
bool ReduceTo8bpp(const cDIB& source, cDIB& destination, cPal8bpp& palette, PaletteMode paletteMode,
                  DitherMode ditherMode);

// The 8-bit image and palette of a picture of any depth: one of 8 bits per pixel or fewer keeps its
// indices and its colour table (2, 16 or 256 entries), a deeper one is reduced with the optimal
// palette and error diffusion. False for an empty picture.
bool ConvertTo8bpp(const cDIB& source, cDIB& eightBit, cPal8bpp& palette);

// Loads a bitmap file into `source`, then ConvertTo8bpp. False when the file cannot be read as a
// bitmap; the 8-bit image and the palette are then untouched.
bool LoadSourceDIB(const std::string& fileName, cDIB& source, cDIB& eightBit, cPal8bpp& palette);

} // namespace imaging
