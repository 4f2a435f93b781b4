#include "platform/draw/PixelBuffer.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

int StrideOf(int width, int bits) {
    return ((width * bits + 31) / 32) * 4;
}

// The table entry 0x00RRGGBB as a colour 0x00BBGGRR, and back.
Colour FromEntry(std::uint32_t entry) {
    return RGB(static_cast<int>((entry >> 16) & 0xFF), static_cast<int>((entry >> 8) & 0xFF),
               static_cast<int>(entry & 0xFF));
}

} // namespace

PixelBuffer::PixelBuffer(int width, int height, PixelFormat format) : format_(format) {
    if (width < 1 || height < 1) {
        return;
    }
    width_ = width;
    height_ = height;
    stride_ = StrideOf(width, BitsPerPixel());
    bytes_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
}

Colour PixelBuffer::Pixel(int x, int y) const {
    const std::uint8_t* row = Row(y);
    if (format_ == PixelFormat::Indexed8) {
        return FromEntry(colours_[row[x]]);
    }
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
    return RGB(p[2], p[1], p[0]);
}

void PixelBuffer::SetPixel(int x, int y, Colour colour) {
    std::uint8_t* row = Row(y);
    if (format_ == PixelFormat::Indexed8) {
        row[x] = NearestIndex(colour);
        return;
    }
    std::uint8_t* p = row + static_cast<std::size_t>(x) * 4;
    p[0] = static_cast<std::uint8_t>(GetBValue(colour));
    p[1] = static_cast<std::uint8_t>(GetGValue(colour));
    p[2] = static_cast<std::uint8_t>(GetRValue(colour));
    p[3] = 0xFF;
}

std::uint8_t PixelBuffer::NearestIndex(Colour colour) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const Colour c = FromEntry(colours_[static_cast<std::size_t>(i)]);
        const int dr = GetRValue(c) - GetRValue(colour);
        const int dg = GetGValue(c) - GetGValue(colour);
        const int db = GetBValue(c) - GetBValue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void PixelBuffer::Fill(Colour colour) {
    if (Empty()) {
        return;
    }
    SetPixel(0, 0, colour);
    const std::size_t pixelBytes = static_cast<std::size_t>(BitsPerPixel() / 8);
    std::uint8_t* first = Row(0);
    for (int x = 1; x < width_; ++x) {
        std::memcpy(first + x * pixelBytes, first, pixelBytes);
    }
    for (int y = 1; y < height_; ++y) {
        std::memcpy(Row(y), first, static_cast<std::size_t>(stride_));
    }
}

void PixelBuffer::CopyRows(const std::uint8_t* source, std::ptrdiff_t sourceStride, RowOrder order) {
    const std::size_t rowBytes =
        static_cast<std::size_t>(width_) * static_cast<std::size_t>(BitsPerPixel() / 8);
    for (int y = 0; y < height_; ++y) {
        const int from = order == RowOrder::TopDown ? y : height_ - 1 - y;
        std::memcpy(Row(y), source + from * sourceStride, rowBytes);
    }
}

void PixelBuffer::Resize(int width, int height, Colour fill) {
    PixelBuffer resized(width, height, format_);
    resized.colours_ = colours_;
    resized.Fill(fill);
    const int w = std::min(width_, resized.width_);
    const int h = std::min(height_, resized.height_);
    const std::size_t rowBytes =
        static_cast<std::size_t>(std::max(w, 0)) * static_cast<std::size_t>(BitsPerPixel() / 8);
    for (int y = 0; y < h; ++y) {
        std::memcpy(resized.Row(y), Row(y), rowBytes);
    }
    *this = std::move(resized);
}

} // namespace plat
