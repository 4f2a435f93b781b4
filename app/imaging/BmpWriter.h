#ifndef IMAGING_BMPWRITER_H
#define IMAGING_BMPWRITER_H

#include <string>

#include "platform/draw/PixelBuffer.h"
#include "platform/text/AtomicFile.h"

namespace imaging {

// A picture as the bytes of a 24-bit BMP file: file header, 40-byte info header (BI_RGB, no colour
// table, 2835 pixels per metre = 72 dots per inch), rows bottom-up padded to 4 bytes. Empty for an
// empty picture.
std::string EncodeBmp24(const plat::PixelBuffer& picture);

// Writes a picture as a 24-bit BMP file, replacing the file whole or not at all; an empty picture
// is refused.
plat::FileWriteResult SavePicture(const plat::PixelBuffer& picture, const std::string& fileName);

} // namespace imaging

#endif
