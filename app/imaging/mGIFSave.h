#pragma once

// The GIF writer: one global colour table and one LZW-coded image, and SaveGIF, which brings a bitmap
// file or a picture in memory down to 8 bits per pixel and writes it. A file is written whole or not
// at all: the bytes go to a new file in the target's folder, renamed over the target when complete.
// Nothing here is shared between calls, so the functions may be called again from anywhere.

#include <string>

#include "platform/text/AtomicFile.h"

namespace imaging {

class cDIB;
class cPal8bpp;

// The outcome of a write: whether the file was written and, if not, why.
using GifWriteResult = plat::FileWriteResult;

// The text of a bitmap file that cannot be read.
inline constexpr const char* kBitmapLoadError = "Unexpected error loading bitmap.";

// The bytes of a GIF file of an 8-bit image and its palette (2 to 256 entries), in `bytes`. Version
// "87a", or "89a" with a transparent index (0..255, -1 for none) or a comment (split into sub-blocks
// of at most 255 characters). Interlaced only when asked and the image is more than 4 rows high.
// Refused, with the reason, when the image is not of 8 bits per pixel, empty, wider or higher than
// 65535 pixels, the palette has fewer than 2 entries, or a pixel's index lies outside the colour
// table the file holds (2^b entries for the smallest b with 2^b >= the palette's count).
GifWriteResult EncodeGIF(const cDIB& image, const cPal8bpp& palette, int transparentIndex, bool interlace,
                         const std::string& comment, std::string& bytes);

// EncodeGIF written to a file; on any failure an existing file of that name is untouched.
GifWriteResult WriteGIF(const std::string& fileName, const cDIB& image, const cPal8bpp& palette,
                        int transparentIndex = -1, bool interlace = false, const std::string& comment = {});

// A bitmap file as a GIF file (the two may have the same name: the bitmap is read first). The source
// file is not touched otherwise. Fails with "File not found" for a missing source and with
// kBitmapLoadError for one that cannot be read as a bitmap.
GifWriteResult SaveGIF(const std::string& sourceFileName, const std::string& gifFileName);

// A picture in memory (any depth; the windows hand in 32 bits per pixel) as a GIF file.
GifWriteResult SaveGIF(const cDIB& image, const std::string& gifFileName);

} // namespace imaging
