#pragma once

// The GIF image data coder: hashed LZW with variable-width codes of at most 12 bits, packed least
// significant bit first into sub-blocks of a count byte and at most 254 data bytes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace imaging {

// An 8-bit image read in place: row y (0 = top) starts at bits + y x stride, and byte x of it is the
// palette index of pixel (x, y).
struct IndexImageView {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Appends the coded data of a non-empty image to `out` as sub-blocks (without the terminator):
// a clear code first, codes starting initialCodeWidth bits wide (the minimum code size + 1), the
// clear code again whenever 4096 codes are in use, the end code last. Every index must lie below
// the clear code, 2^(initialCodeWidth - 1). Interlaced, the rows go in the four passes of the
// format (0, 8, 16, ...; 4, 12, ...; 2, 6, ...; 1, 3, 5, ...).
void CompressLZW(int initialCodeWidth, const IndexImageView& image, bool interlaced, std::string& out);

} // namespace imaging
