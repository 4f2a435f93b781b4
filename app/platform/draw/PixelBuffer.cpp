#include "platform/draw/PixelBuffer.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

int StrideOf(int width, int bits) {
    return static_cast<int>(((static_cast<long long>(width) * bits + 31) / 32) * 4);
}

// The table entry 0x00RRGGBB as a colour 0x00BBGGRR, and back.
Colour FromEntry(std::uint32_t entry) {
    return RGB(static_cast<int>((entry >> 16) & 0xFF), static_cast<int>((entry >> 8) & 0xFF),
               static_cast<int>(entry & 0xFF));
}

// A 5-bit component widened to 8 bits by repeating its top bits (31 gives 255), as Qt reads the
// same memory through a view.
int Widen5(unsigned v) {
    return static_cast<int>((v << 3) | (v >> 2));
}

} // namespace

int PixelBuffer::BitsPerPixel(PixelFormat format) {
    switch (format) {
    case PixelFormat::Indexed1:
        return 1;
    case PixelFormat::Indexed4:
        return 4;
    case PixelFormat::Indexed8:
        return 8;
    case PixelFormat::Bgr555:
        return 16;
    case PixelFormat::Bgr24:
        return 24;
    case PixelFormat::Bgrx32:
    case PixelFormat::Bgra32:
        break;
    }
    return 32;
}

int PixelBuffer::TableSize() const {
    const int bits = BitsPerPixel();
    return bits <= 8 ? 1 << bits : 0;
}

PixelBuffer::PixelBuffer(int width, int height, PixelFormat format) : format_(format) {
    if (width < 1 || height < 1) {
        return;
    }
    width_ = width;
    height_ = height;
    stride_ = StrideOf(width, BitsPerPixel());
    bytes_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height), 0);
}

std::size_t PixelBuffer::RowBytes() const {
    return (static_cast<std::size_t>(width_) * static_cast<std::size_t>(BitsPerPixel()) + 7) / 8;
}

std::uint8_t PixelBuffer::Index(int x, int y) const {
    const std::uint8_t* row = Row(y);
    switch (format_) {
    case PixelFormat::Indexed1:
        return static_cast<std::uint8_t>((row[x / 8] >> (7 - x % 8)) & 1);
    case PixelFormat::Indexed4:
        return static_cast<std::uint8_t>((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
    default:
        return row[x];
    }
}

void PixelBuffer::SetIndex(int x, int y, std::uint8_t index) {
    std::uint8_t* row = Row(y);
    switch (format_) {
    case PixelFormat::Indexed1: {
        const int shift = 7 - x % 8;
        row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~(1 << shift)) | ((index & 1) << shift));
        return;
    }
    case PixelFormat::Indexed4: {
        const int shift = x % 2 == 0 ? 4 : 0;
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
        return;
    }
    default:
        row[x] = index;
    }
}

Colour PixelBuffer::Pixel(int x, int y) const {
    if (Indexed()) {
        return FromEntry(colours_[Index(x, y)]);
    }
    const std::uint8_t* row = Row(y);
    if (format_ == PixelFormat::Bgr555) {
        const unsigned v = row[x * 2] | (row[x * 2 + 1] << 8);
        return RGB(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
    }
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(BitsPerPixel() / 8);
    return RGB(p[2], p[1], p[0]);
}

void PixelBuffer::SetPixel(int x, int y, Colour colour) {
    if (Indexed()) {
        SetIndex(x, y, NearestIndex(colour));
        return;
    }
    std::uint8_t* row = Row(y);
    if (format_ == PixelFormat::Bgr555) {
        const unsigned v =
            ((GetRValue(colour) >> 3) << 10) | ((GetGValue(colour) >> 3) << 5) | (GetBValue(colour) >> 3);
        row[x * 2] = static_cast<std::uint8_t>(v & 0xFF);
        row[x * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
        return;
    }
    std::uint8_t* p = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(BitsPerPixel() / 8);
    if (BitsPerPixel() == 32) {
        Put32(p, colour);
        return;
    }
    p[0] = static_cast<std::uint8_t>(GetBValue(colour));
    p[1] = static_cast<std::uint8_t>(GetGValue(colour));
    p[2] = static_cast<std::uint8_t>(GetRValue(colour));
}

std::uint8_t PixelBuffer::NearestIndex(Colour colour) const {
    int best = 0;
    int bestDistance = 1 << 30;
    const int entries = std::max(TableSize(), 1);
    for (int i = 0; i < entries; ++i) {
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
    std::uint8_t* first = Row(0);
    const int bits = BitsPerPixel();
    if (bits < 8) {
        const std::uint8_t index = NearestIndex(colour);
        for (int x = 0; x < width_; ++x) {
            SetIndex(x, 0, index);
        }
    } else {
        SetPixel(0, 0, colour);
        const std::size_t pixelBytes = static_cast<std::size_t>(bits / 8);
        for (int x = 1; x < width_; ++x) {
            std::memcpy(first + x * pixelBytes, first, pixelBytes);
        }
    }
    for (int y = 1; y < height_; ++y) {
        std::memcpy(Row(y), first, static_cast<std::size_t>(stride_));
    }
}

void PixelBuffer::CopyRows(const std::uint8_t* source, std::ptrdiff_t sourceStride, RowOrder order) {
    const std::size_t rowBytes = RowBytes();
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
    const bool wholeBytes = BitsPerPixel() % 8 == 0;
    const std::size_t rowBytes =
        static_cast<std::size_t>(std::max(w, 0)) * static_cast<std::size_t>(BitsPerPixel() / 8);
    for (int y = 0; y < h; ++y) {
        if (wholeBytes) {
            std::memcpy(resized.Row(y), Row(y), rowBytes);
        } else {
            for (int x = 0; x < w; ++x) {
                resized.SetIndex(x, y, Index(x, y));
            }
        }
    }
    *this = std::move(resized);
}

} // namespace plat
