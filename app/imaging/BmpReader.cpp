#include "imaging/BmpReader.h"

#include "platform/text/RegularFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <vector>

namespace imaging {

namespace {

using plat::PixelBuffer;
using plat::PixelFormat;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kCoreHeader = 12;
constexpr std::uint32_t kInfoHeader = 40;

// Little-endian reads, checked against the end of the file.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint32_t U16(std::size_t at) const { return bytes_[at] | (bytes_[at + 1] << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    std::uint8_t operator[](std::size_t at) const { return bytes_[at]; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
};

// What the headers say.
struct Header {
    std::uint32_t headerSize = 0;
    long long width = 0;
    long long height = 0; // negative: rows stored top-down
    std::uint32_t planes = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t coloursUsed = 0;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue
    std::size_t tableOffset = 0;          // where the colour table starts
    std::size_t entryBytes = 4;           // 3 in the core header's table
};

std::optional<Header> ReadHeader(const Bytes& file) {
    if (!file.Has(0, kFileHeader + 4) || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    Header h;
    h.headerSize = file.U32(kFileHeader);
    constexpr std::array<std::uint32_t, 6> kSizes{kCoreHeader, kInfoHeader, 52, 56, 108, 124};
    if (std::find(kSizes.begin(), kSizes.end(), h.headerSize) == kSizes.end() ||
        !file.Has(kFileHeader, h.headerSize)) {
        return std::nullopt;
    }
    const std::size_t at = kFileHeader;
    if (h.headerSize == kCoreHeader) {
        h.width = file.U16(at + 4);
        h.height = file.U16(at + 6);
        h.planes = file.U16(at + 8);
        h.bits = file.U16(at + 10);
        h.entryBytes = 3;
    } else {
        h.width = file.I32(at + 4);
        h.height = file.I32(at + 8);
        h.planes = file.U16(at + 12);
        h.bits = file.U16(at + 14);
        h.compression = file.U32(at + 16);
        h.coloursUsed = file.U32(at + 32);
    }
    h.tableOffset = kFileHeader + h.headerSize;
    if (h.compression == BI_BITFIELDS) {
        // The masks follow the info header, or stand inside the longer ones.
        if (h.headerSize == kInfoHeader) {
            if (!file.Has(h.tableOffset, 12)) {
                return std::nullopt;
            }
            h.tableOffset += 12;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            h.masks[i] = file.U32(at + kInfoHeader + 4 * i);
        }
    } else if (h.bits == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F};
    } else {
        h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    return h;
}

// The depth and compression pairs the reader takes.
bool Supported(const Header& h) {
    switch (h.compression) {
    case BI_RGB:
        return h.bits == 1 || h.bits == 2 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 ||
               h.bits == 32;
    case BI_RLE8:
        return h.bits == 8 && h.height > 0;
    case BI_RLE4:
        return h.bits == 4 && h.height > 0;
    case BI_BITFIELDS:
        return h.bits == 16 || h.bits == 32;
    default:
        return false;
    }
}

PixelFormat FormatOf(std::uint32_t bits) {
    switch (bits) {
    case 1:
        return PixelFormat::Indexed1;
    case 2:
    case 4:
        return PixelFormat::Indexed4;
    case 8:
        return PixelFormat::Indexed8;
    default:
        return PixelFormat::Bgrx32;
    }
}

// One colour component of a packed pixel, widened to 8 bits as v x 255 / max, rounded down (as
// Pillow does; full scale gives 255).
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)),
          max_(mask == 0 ? 0 : (std::uint64_t{1} << std::bit_width(mask >> shift_)) - 1) {}
    int operator()(std::uint32_t pixel) const {
        if (max_ == 0) {
            return 0;
        }
        const std::uint64_t v = (pixel & mask_) >> shift_;
        return static_cast<int>(v * 255 / max_);
    }

private:
    std::uint32_t mask_;
    int shift_;
    std::uint64_t max_;
};

// Rows of BI_RGB or BI_BITFIELDS pixels, which the caller has found whole in the file.
bool DecodeRows(const Bytes& file, std::size_t offset, const Header& h, PixelBuffer& image) {
    const int width = image.Width();
    const int height = image.Height();
    const std::size_t stride = static_cast<std::size_t>(((h.width * h.bits + 31) / 32) * 4);
    const Channel red(h.masks[0]);
    const Channel green(h.masks[1]);
    const Channel blue(h.masks[2]);
    for (int row = 0; row < height; ++row) {
        const int y = h.height > 0 ? height - 1 - row : row;
        const std::size_t start = offset + static_cast<std::size_t>(row) * stride;
        if (static_cast<int>(h.bits) == image.BitsPerPixel()) {
            if (image.Indexed()) {
                for (int i = 0; i < image.Stride(); ++i) {
                    image.Row(y)[i] = file[start + static_cast<std::size_t>(i)];
                }
                continue;
            }
        }
        for (int x = 0; x < width; ++x) {
            switch (h.bits) {
            case 2:
                image.SetIndex(x, y,
                               static_cast<std::uint8_t>((file[start + x / 4] >> (6 - 2 * (x % 4))) & 3));
                break;
            case 16:
            case 32: {
                const std::size_t at = start + static_cast<std::size_t>(x) * (h.bits / 8);
                const std::uint32_t pixel = h.bits == 16 ? file.U16(at) : file.U32(at);
                image.SetPixel(x, y, plat::RGB(red(pixel), green(pixel), blue(pixel)));
                break;
            }
            default: { // 24
                const std::size_t at = start + static_cast<std::size_t>(x) * 3;
                image.SetPixel(x, y, plat::RGB(file[at + 2], file[at + 1], file[at]));
            }
            }
        }
    }
    return true;
}

// BI_RLE8 and BI_RLE4: pairs (count, value) and escapes (0, 0) end of line, (0, 1) end of bitmap,
// (0, 2, dx, dy) a jump, (0, n, ...) n pixels as they are, padded to a 16-bit boundary. Rows run
// from the bottom. Every run must stay inside its row and every jump inside the image.
bool DecodeRle(const Bytes& file, std::size_t offset, const Header& h, PixelBuffer& image) {
    const bool four = h.compression == BI_RLE4;
    const int width = image.Width();
    const int height = image.Height();
    int x = 0;
    int row = 0; // from the bottom
    std::size_t at = offset;
    const auto put = [&](std::uint8_t index) { image.SetIndex(x++, height - 1 - row, index); };
    while (true) {
        if (!file.Has(at, 2)) {
            return false;
        }
        const int count = file[at];
        const std::uint8_t value = file[at + 1];
        at += 2;
        if (count > 0) {
            if (row >= height || x + count > width) {
                return false;
            }
            for (int i = 0; i < count; ++i) {
                put(four ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            }
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++row;
            break;
        case 1:
            return true;
        case 2: {
            if (!file.Has(at, 2)) {
                return false;
            }
            x += file[at];
            row += file[at + 1];
            at += 2;
            if (x > width || row > height || (row == height && x > 0)) {
                return false;
            }
            break;
        }
        default: {
            const int n = value;
            const std::size_t bytes =
                four ? (static_cast<std::size_t>(n) + 1) / 2 : static_cast<std::size_t>(n);
            if (!file.Has(at, bytes) || row >= height || x + n > width) {
                return false;
            }
            for (int i = 0; i < n; ++i) {
                const std::uint8_t b = file[at + static_cast<std::size_t>(four ? i / 2 : i)];
                put(four ? static_cast<std::uint8_t>(i % 2 == 0 ? b >> 4 : b & 0x0F) : b);
            }
            at += bytes + bytes % 2;
        }
        }
    }
}

bool Decode(const Bytes& file, PixelBuffer& image) {
    const std::optional<Header> header = ReadHeader(file);
    if (!header) {
        return false;
    }
    const Header& h = *header;
    const long long rows = h.height < 0 ? -h.height : h.height;
    if (h.planes != 1 || !Supported(h) || h.width < 1 || rows < 1 || h.width > kBmpMaxSide ||
        rows > kBmpMaxSide) {
        return false;
    }
    const PixelFormat format = FormatOf(h.bits);
    const long long stride = ((h.width * PixelBuffer::BitsPerPixel(format) + 31) / 32) * 4;
    if (stride * rows > kBmpMaxPixelBytes) {
        return false;
    }
    // The colour table: 2^depth entries unless the header names fewer; never more.
    std::size_t entries = 0;
    if (h.bits <= 8) {
        const std::size_t most = std::size_t{1} << h.bits;
        entries = h.coloursUsed == 0 ? most : h.coloursUsed;
        if (entries > most || !file.Has(h.tableOffset, entries * h.entryBytes)) {
            return false;
        }
    }
    const std::size_t pixels = file.U32(10);
    if (pixels < h.tableOffset + entries * h.entryBytes || pixels >= file.size()) {
        return false;
    }
    const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    const std::size_t fileStride = static_cast<std::size_t>(((h.width * h.bits + 31) / 32) * 4);
    if (!rle && !file.Has(pixels, fileStride * static_cast<std::size_t>(rows))) {
        return false; // cut short: known before allocating
    }
    image = PixelBuffer(static_cast<int>(h.width), static_cast<int>(rows), format);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = h.tableOffset + i * h.entryBytes;
        image.Colours()[i] = file[at] | (file[at + 1] << 8) | (file[at + 2] << 16);
    }
    return rle ? DecodeRle(file, pixels, h, image) : DecodeRows(file, pixels, h, image);
}

} // namespace

bool DecodeBmp(std::span<const std::uint8_t> file, PixelBuffer& image) {
    if (!Decode(Bytes(file), image)) {
        image = PixelBuffer();
        return false;
    }
    return true;
}

bool ReadBmpFile(const std::string& fileName, PixelBuffer& image) {
    image = PixelBuffer();
    // No file larger than the largest bitmap with its headers and a full colour table.
    const plat::FileReadResult file = plat::ReadRegularFile(fileName, kBmpMaxPixelBytes + 65536);
    if (!file || file.bytes.empty()) {
        return false;
    }
    const std::vector<std::uint8_t> bytes(file.bytes.begin(), file.bytes.end());
    return DecodeBmp(bytes, image);
}

} // namespace imaging
