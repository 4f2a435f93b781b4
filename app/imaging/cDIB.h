#ifndef IMAGING_CDIB_H
#define IMAGING_CDIB_H

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/draw/Colour.h"
#include "platform/draw/PixelBlit.h"
#include "platform/draw/PixelBuffer.h"

namespace imaging {

// One device-independent bitmap: a top-down pixel buffer of 1, 4, 8, 16, 24 or 32 bits per pixel,
// rows padded to 4 bytes, with a colour table of 2^depth entries (black after Create) up to 8 bits.
// The buffer is at once the bitmap and the surface blits read from and write to (the "memory DC"),
// so hDIBDC, hDIB and GetDIBLocation all give it, or null while the image is empty. Every blit
// (LoadBlt, Stretch, Resize, Image) goes through the platform's one stretching rule, StretchPixels.
//
// A picture handed in or out (CreateFromStdPicture, Image) is a pixel buffer; Image gives 32 bits
// per pixel, the only depth of this display.
class cDIB {
public:
    cDIB() = default;
    cDIB(const cDIB&) = delete;
    cDIB& operator=(const cDIB&) = delete;
    cDIB(cDIB&&) = default;
    cDIB& operator=(cDIB&&) = default;

    // A new black image; false (and empty) for a width or height below 1, a depth other than 1, 4,
    // 8, 16, 24 or 32, or a size that does not fit the 32-bit size field.
    bool Create(int width, int height, int bitsPerPixel);
    // A copy of the picture, at its own depth (with its colour table up to 8 bits) or forced to 32
    // bits; the memory DC, or null when the picture is empty or the image cannot be made.
    plat::PixelBuffer* CreateFromStdPicture(const plat::PixelBuffer& picture, bool force32Bits);
    // Reads a BMP file (BmpReader.h): 1, 4 and 8 bits keep their depth and colour table (2 bits
    // become 4), deeper files become 32 bits; always top-down. The result is the bits per pixel of
    // the image, 0 when the file is missing, empty or not a bitmap this reader takes (then the
    // image is empty).
    std::uint8_t CreateFromBitmapFile(const std::string& fileName);
    // The target becomes an exact copy: size, depth, colour table and every byte.
    void CloneTo(cDIB& target) const;
    void Destroy();

    // Copies the rectangle at (x, y) of the source to the same place here; a width or height below
    // 1 means this image's own. The blit's result, 0 when the image is empty.
    int LoadBlt(const plat::PixelBuffer& source, int x = 0, int y = 0, int width = 0, int height = 0);
    // Stretches the source rectangle of this image onto the destination rectangle (COLORONCOLOR,
    // the nearest pixel); a source width or height below 1 means this image's own. SRCCOPY only.
    // The blit's result, 0 when the image is empty.
    int Stretch(plat::PixelBuffer& destination, int x, int y, int width, int height, int xSource = 0,
                int ySource = 0, int widthSource = 0, int heightSource = 0,
                unsigned rop = plat::SRCCOPY) const;
    // Fills the whole image with an RGB colour or a system colour (its standard value).
    void Cls(plat::Colour colour);
    // Colour-table entries from entry 0, 4 bytes each (blue, green, red, reserved), as many as the
    // table holds whole but never more than 2^depth; nothing above 8 bits.
    void SetPalette(std::span<const std::uint8_t> table);
    // The whole colour table, 4 x 2^depth bytes; the table is left alone above 8 bits or when empty.
    void GetPalette(std::vector<std::uint8_t>& table) const;
    // A new size at the same depth and colour table: stretched, or cut off and padded with black.
    void Resize(int width, int height, bool stretch);
    // The image fitted into a box, keeping its proportions, centred: its own size when it fits and
    // alwaysScale is false. Outputs untouched while the image is empty.
    void GetBestFitInfo(int boxWidth, int boxHeight, int& left, int& top, int& width, int& height,
                        bool alwaysScale) const;

    plat::PixelBuffer* hDIBDC() { return Empty() ? nullptr : &buffer_; }
    const plat::PixelBuffer* hDIBDC() const { return Empty() ? nullptr : &buffer_; }
    plat::PixelBuffer* hDIB() { return hDIBDC(); }
    const plat::PixelBuffer* hDIB() const { return hDIBDC(); }
    plat::PixelBuffer* GetDIBLocation() { return hDIBDC(); }
    std::uint8_t* lpBits() { return buffer_.Bits(); }
    const std::uint8_t* lpBits() const { return buffer_.Bits(); }
    int Width() const { return buffer_.Width(); }
    int Height() const { return buffer_.Height(); }
    int BPP() const { return Empty() ? 0 : buffer_.BitsPerPixel(); }
    int BytesPerScanline() const { return buffer_.Stride(); }
    int Size() const { return static_cast<int>(buffer_.Size()); }
    // A 32-bit copy of the whole image (empty while the image is).
    plat::PixelBuffer Image() const;

private:
    bool Empty() const { return buffer_.Empty(); }

    plat::PixelBuffer buffer_;
};

} // namespace imaging

#endif
