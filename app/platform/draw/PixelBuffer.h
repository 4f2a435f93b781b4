#ifndef PLATFORM_DRAW_PIXELBUFFER_H
#define PLATFORM_DRAW_PIXELBUFFER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/draw/Colour.h"

namespace plat {

// The layouts of a pixel buffer, as a device-independent bitmap stores them. 32-bit pixels are 4
// bytes blue, green, red, fourth byte (on this little-endian machine the word 0xAARRGGBB): Bgrx32
// ignores the fourth byte and writes 0xFF there; Bgra32 keeps alpha, premultiplied (pictures with
// transparent parts, such as toolbar icons). Bgr24 is 3 bytes blue, green, red; Bgr555 a 16-bit
// little-endian word of 5 bits each, red highest, top bit unused. Indexed1, Indexed4 and Indexed8
// hold an index into the colour table of 2, 16 or 256 entries; the leftmost pixel of a byte is its
// highest bit (or nibble).
enum class PixelFormat { Bgrx32, Bgra32, Indexed8, Indexed1, Indexed4, Bgr555, Bgr24 };

// The order of rows in memory of a foreign source (an OpenGL picture is bottom-up).
enum class RowOrder { TopDown, BottomUp };

// One picture's pixel memory, owned by this object: always top-down (row 0 at the lowest address
// is the top row), rows padded to 4 bytes (Stride() = ((width x bits + 31) / 32) x 4). Made black
// (all bytes 0, colour table all black). A device context draws into it through a QImage view
// that shares this memory; the bitmap and GIF code read and write Bits() directly.
//
// Resize and assignment replace the memory: pointers from Bits() and Row() and any QImage view
// are then stale, while a device context holding this object stays valid.
class PixelBuffer {
public:
    // A colour-table entry: 0x00RRGGBB, i.e. the bytes blue, green, red, 0. Always 256 slots; an
    // indexed buffer uses the first TableSize().
    using ColourTable = std::array<std::uint32_t, 256>;

    PixelBuffer() = default;
    // Width and height below 1 give an empty buffer.
    PixelBuffer(int width, int height, PixelFormat format);

    bool Empty() const { return bytes_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    int BitsPerPixel() const { return BitsPerPixel(format_); }
    static int BitsPerPixel(PixelFormat format);
    bool Indexed() const { return TableSize() > 0; }
    // The entries of the colour table an index can name: 2^bits for an indexed buffer, else 0.
    int TableSize() const;
    int Stride() const { return stride_; }
    std::size_t Size() const { return bytes_.size(); }
    std::uint8_t* Bits() { return bytes_.data(); }
    const std::uint8_t* Bits() const { return bytes_.data(); }
    // Row y counted from the top.
    std::uint8_t* Row(int y) { return bytes_.data() + static_cast<std::size_t>(y) * stride_; }
    const std::uint8_t* Row(int y) const { return bytes_.data() + static_cast<std::size_t>(y) * stride_; }

    ColourTable& Colours() { return colours_; }
    const ColourTable& Colours() const { return colours_; }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // The colour (0x00BBGGRR) of pixel (x, y), which must lie inside; an index is looked up.
    Colour Pixel(int x, int y) const;
    // Sets pixel (x, y), which must lie inside, to an RGB colour (high bit clear); an indexed
    // buffer takes the nearest colour of its table.
    void SetPixel(int x, int y, Colour colour);
    // The bytes of a 32-bit pixel (either layout) at p: blue, green, red, 0xFF. A line drawn into a
    // 32-bit buffer writes its pixels so, without SetPixel's look at the format for each.
    static void Put32(std::uint8_t* p, Colour colour) {
        p[0] = static_cast<std::uint8_t>(GetBValue(colour));
        p[1] = static_cast<std::uint8_t>(GetGValue(colour));
        p[2] = static_cast<std::uint8_t>(GetRValue(colour));
        p[3] = 0xFF;
    }
    // The table index of pixel (x, y) of an indexed buffer, and setting it (below TableSize()).
    std::uint8_t Index(int x, int y) const;
    void SetIndex(int x, int y, std::uint8_t index);
    // The table index nearest to an RGB colour (the first of equals), among TableSize() entries.
    std::uint8_t NearestIndex(Colour colour) const;
    void Fill(Colour colour);

    // Copies height rows of this buffer's format and width from `source`, `sourceStride` bytes
    // apart, in the given row order: the one place where a bottom-up picture (the off-screen
    // OpenGL picture) is turned upright. The source is another buffer's memory, never this one's.
    void CopyRows(const std::uint8_t* source, std::ptrdiff_t sourceStride, RowOrder order);

    // A new size keeping the top-left part of the picture; new pixels get `fill`.
    void Resize(int width, int height, Colour fill);

private:
    std::size_t RowBytes() const;

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    PixelFormat format_ = PixelFormat::Bgrx32;
    std::vector<std::uint8_t> bytes_;
    ColourTable colours_{};
};

} // namespace plat

#endif
