#include "imaging/cDIB.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "imaging/BmpReader.h"
#include "platform/draw/SystemColourTable.h"

namespace imaging {

namespace {

using plat::PixelBuffer;
using plat::PixelFormat;

// The layout of each depth an image can have.
constexpr std::array<std::pair<int, PixelFormat>, 6> kFormats{{
    {1, PixelFormat::Indexed1},
    {4, PixelFormat::Indexed4},
    {8, PixelFormat::Indexed8},
    {16, PixelFormat::Bgr555},
    {24, PixelFormat::Bgr24},
    {32, PixelFormat::Bgrx32},
}};

// A colour-table entry from 4 bytes blue, green, red, reserved, and back.
std::uint32_t Entry(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16);
}

} // namespace

bool cDIB::Create(int width, int height, int bitsPerPixel) {
    Destroy();
    const auto format = std::find_if(kFormats.begin(), kFormats.end(),
                                     [&](const auto& f) { return f.first == bitsPerPixel; });
    if (format == kFormats.end() || width < 1 || height < 1) {
        return false;
    }
    const long long stride = ((static_cast<long long>(width) * bitsPerPixel + 31) / 32) * 4;
    if (stride * height > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    buffer_ = PixelBuffer(width, height, format->second);
    return true;
}

plat::PixelBuffer* cDIB::CreateFromStdPicture(const PixelBuffer& picture, bool force32Bits) {
    if (picture.Empty() || &picture == &buffer_) {
        return nullptr;
    }
    if (!Create(picture.Width(), picture.Height(), force32Bits ? 32 : picture.BitsPerPixel())) {
        return nullptr;
    }
    if (picture.Indexed() && !force32Bits) {
        buffer_.Colours() = picture.Colours();
    }
    plat::StretchPixels(buffer_, 0, 0, Width(), Height(), picture, 0, 0, Width(), Height());
    return &buffer_;
}

std::uint8_t cDIB::CreateFromBitmapFile(const std::string& fileName) {
    Destroy();
    if (!ReadBmpFile(fileName, buffer_)) {
        Destroy();
        return 0;
    }
    return static_cast<std::uint8_t>(BPP());
}

void cDIB::CloneTo(cDIB& target) const {
    if (&target == this) {
        return;
    }
    if (Empty()) {
        target.Destroy();
        return;
    }
    target.buffer_ = buffer_;
}

void cDIB::Destroy() {
    buffer_ = PixelBuffer();
}

int cDIB::LoadBlt(const PixelBuffer& source, int x, int y, int width, int height) {
    if (Empty()) {
        return 0;
    }
    if (width < 1) {
        width = Width();
    }
    if (height < 1) {
        height = Height();
    }
    return plat::StretchPixels(buffer_, x, y, width, height, source, x, y, width, height) ? 1 : 0;
}

int cDIB::Stretch(PixelBuffer& destination, int x, int y, int width, int height, int xSource, int ySource,
                  int widthSource, int heightSource, unsigned rop) const {
    if (Empty() || rop != plat::SRCCOPY) {
        return 0;
    }
    if (widthSource < 1) {
        widthSource = Width();
    }
    if (heightSource < 1) {
        heightSource = Height();
    }
    return plat::StretchPixels(destination, x, y, width, height, buffer_, xSource, ySource, widthSource,
                               heightSource)
               ? 1
               : 0;
}

void cDIB::Cls(plat::Colour colour) {
    buffer_.Fill(plat::ResolveStandardColour(colour));
}

void cDIB::SetPalette(std::span<const std::uint8_t> table) {
    if (!buffer_.Indexed()) {
        return;
    }
    const std::size_t entries = std::min(table.size() / 4, static_cast<std::size_t>(buffer_.TableSize()));
    for (std::size_t i = 0; i < entries; ++i) {
        buffer_.Colours()[i] = Entry(table.data() + 4 * i);
    }
}

void cDIB::GetPalette(std::vector<std::uint8_t>& table) const {
    if (!buffer_.Indexed()) {
        return;
    }
    table.assign(4 * static_cast<std::size_t>(buffer_.TableSize()), 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(buffer_.TableSize()); ++i) {
        const std::uint32_t entry = buffer_.Colours()[i];
        table[4 * i] = static_cast<std::uint8_t>(entry & 0xFF);
        table[4 * i + 1] = static_cast<std::uint8_t>((entry >> 8) & 0xFF);
        table[4 * i + 2] = static_cast<std::uint8_t>((entry >> 16) & 0xFF);
    }
}

void cDIB::Resize(int width, int height, bool stretch) {
    if (Empty()) {
        return;
    }
    cDIB resized;
    if (!resized.Create(width, height, BPP())) {
        Destroy();
        return;
    }
    resized.buffer_.Colours() = buffer_.Colours();
    if (stretch) {
        Stretch(resized.buffer_, 0, 0, width, height);
    } else {
        plat::StretchPixels(resized.buffer_, 0, 0, Width(), Height(), buffer_, 0, 0, Width(), Height());
    }
    buffer_ = std::move(resized.buffer_);
}

void cDIB::GetBestFitInfo(int boxWidth, int boxHeight, int& left, int& top, int& width, int& height,
                          bool alwaysScale) const {
    if (Empty()) {
        return;
    }
    if (Width() <= boxWidth && Height() <= boxHeight && !alwaysScale) {
        width = Width();
        height = Height();
    } else {
        // The ratios in single precision; products rounded to the nearest, halves to even (the
        // default rounding mode).
        const float sx = static_cast<float>(boxWidth) / static_cast<float>(Width());
        const float sy = static_cast<float>(boxHeight) / static_cast<float>(Height());
        if (sx < sy) {
            width = boxWidth;
            height = static_cast<int>(std::nearbyint(static_cast<double>(sx) * Height()));
        } else {
            height = boxHeight;
            width = static_cast<int>(std::nearbyint(static_cast<double>(sy) * Width()));
        }
    }
    left = (boxWidth - width) / 2;
    top = (boxHeight - height) / 2;
}

PixelBuffer cDIB::Image() const {
    PixelBuffer image(Width(), Height(), PixelFormat::Bgrx32);
    Stretch(image, 0, 0, Width(), Height());
    return image;
}

} // namespace imaging
