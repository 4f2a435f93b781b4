#include "imaging/mGIFSave.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSaveLZW.h"
#include "imaging/mGIFSaveReduce.h"

namespace imaging {

namespace {

constexpr int kMaxSide = 65535;
constexpr std::size_t kMaxCommentBlock = 255;

GifWriteResult Refused(const char* reason) {
    return {false, reason};
}

void PutWord(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutByte(std::string& out, int value) {
    out.push_back(static_cast<char>(value));
}

// True when every index of the image lies below 2^bits: no index has a bit at or above that one.
bool IndicesFit(const IndexImageView& view, int bits) {
    if (bits >= 8)
        return true;
    std::uint8_t any = 0;
    for (int y = 0; y < view.height; ++y) {
        const std::uint8_t* row = view.bits + y * view.stride;
        for (int x = 0; x < view.width; ++x)
            any |= row[x];
    }
    return (any >> bits) == 0;
}

} // namespace

GifWriteResult EncodeGIF(const cDIB& image, const cPal8bpp& palette, int transparentIndex, bool interlace,
                         const std::string& comment, std::string& bytes) {
    if (image.Width() < 1 || image.Height() < 1)
        return Refused("The image is empty.");
    if (image.BPP() != 8)
        return Refused("The image is not of 8 bits per pixel.");
    if (palette.Entries() < 2)
        return Refused("The palette has fewer than 2 entries.");
    if (image.Width() > kMaxSide || image.Height() > kMaxSide)
        return Refused("The image is wider or higher than 65535 pixels.");
    if (transparentIndex > 255)
        return Refused("The transparent index lies outside 0 to 255.");

    const int entries = palette.Entries();
    int b = 1;
    while ((1 << b) < entries)
        ++b;
    const IndexImageView view{image.lpBits(), image.Width(), image.Height(), image.BytesPerScanline()};
    if (!IndicesFit(view, b))
        return Refused("A pixel's index lies outside the palette.");
    const bool interlaced = interlace && image.Height() > 4;
    const int codeSize = b == 1 ? 2 : b;

    bytes.clear();
    bytes += "GIF";
    bytes += transparentIndex >= 0 || !comment.empty() ? "89a" : "87a";
    PutWord(bytes, image.Width());
    PutWord(bytes, image.Height());
    PutByte(bytes, 0xF0 | (b - 1));
    PutByte(bytes, 0);
    PutByte(bytes, 0);
    for (int i = 0; i < (1 << b); ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        const bool valid = i < entries;
        PutByte(bytes, valid ? palette.rgbR(index) : 0);
        PutByte(bytes, valid ? palette.rgbG(index) : 0);
        PutByte(bytes, valid ? palette.rgbB(index) : 0);
    }
    if (!comment.empty()) {
        bytes += "\x21\xFE";
        for (std::size_t at = 0; at < comment.size(); at += kMaxCommentBlock) {
            const std::string_view part = std::string_view(comment).substr(at, kMaxCommentBlock);
            PutByte(bytes, static_cast<int>(part.size()));
            bytes += part;
        }
        PutByte(bytes, 0);
    }
    if (transparentIndex >= 0) {
        bytes += "\x21\xF9";
        for (int v : {4, 1, 0, 0, transparentIndex, 0})
            PutByte(bytes, v);
    }
    PutByte(bytes, 0x2C);
    PutWord(bytes, 0);
    PutWord(bytes, 0);
    PutWord(bytes, image.Width());
    PutWord(bytes, image.Height());
    PutByte(bytes, (b - 1) | (interlaced ? 0x40 : 0));
    PutByte(bytes, codeSize);
    CompressLZW(codeSize + 1, view, interlaced, bytes);
    PutByte(bytes, 0);
    PutByte(bytes, 0x3B);
    return {true, {}};
}

GifWriteResult WriteGIF(const std::string& fileName, const cDIB& image, const cPal8bpp& palette,
                        int transparentIndex, bool interlace, const std::string& comment) {
    std::string bytes;
    if (GifWriteResult encoded = EncodeGIF(image, palette, transparentIndex, interlace, comment, bytes);
        !encoded)
        return encoded;
    return plat::WriteFileAtomically(fileName, bytes);
}

GifWriteResult SaveGIF(const std::string& sourceFileName, const std::string& gifFileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(sourceFileName, error))
        return Refused("File not found");
    cDIB source;
    cDIB eightBit;
    cPal8bpp palette;
    if (!LoadSourceDIB(sourceFileName, source, eightBit, palette))
        return Refused(kBitmapLoadError);
    return WriteGIF(gifFileName, eightBit, palette);
}

GifWriteResult SaveGIF(const cDIB& image, const std::string& gifFileName) {
    cDIB eightBit;
    cPal8bpp palette;
    if (!ConvertTo8bpp(image, eightBit, palette))
        return Refused("The image is empty.");
    return WriteGIF(gifFileName, eightBit, palette);
}

} // namespace imaging
