#ifndef IMAGING_BMPREADER_H
#define IMAGING_BMPREADER_H

#include <cstdint>
#include <span>
#include <string>

#include "platform/draw/PixelBuffer.h"

namespace imaging {

// The largest bitmap the reader takes: 32768 pixels a side and 256 MiB of decoded pixel memory,
// checked before anything is allocated.
inline constexpr int kBmpMaxSide = 32768;
inline constexpr long long kBmpMaxPixelBytes = 256LL * 1024 * 1024;

// Decodes a BMP file held in memory into a top-down image. Taken: the info header (40 bytes), its
// longer forms up to V4 (108) and V5 (124), and the old core header (12); 1, 2, 4 and 8 bits with a
// colour table of at most 2^depth entries, kept as an indexed image of 1, 4 or 8 bits (2 bits
// become 4); 16, 24 and 32 bits, as 32-bit images; BI_RGB, BI_BITFIELDS (16 and 32 bits) and the
// run-length forms BI_RLE8 and BI_RLE4 (bottom-up only, as the format defines them; pixels a
// run skips stay index 0); rows in either order. Alpha is not kept.
// Anything else fails, with `image` left empty: a cut file, offsets or sizes that point outside it,
// a width or height of 0, planes other than 1, other depths or compressions, more colours than the
// depth can index, a run or a jump past the edge of the image, or a size above the limits.
bool DecodeBmp(std::span<const std::uint8_t> file, plat::PixelBuffer& image);

// Reads a whole file and decodes it; false when it is missing, unreadable, empty, larger than any
// bitmap the limits allow, or not a bitmap DecodeBmp takes.
bool ReadBmpFile(const std::string& fileName, plat::PixelBuffer& image);

} // namespace imaging

#endif
