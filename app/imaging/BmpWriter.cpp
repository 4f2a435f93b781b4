#include "imaging/BmpWriter.h"

#include <cstdint>

namespace imaging {

namespace {

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::string EncodeBmp24(const plat::PixelBuffer& picture) {
    if (picture.Empty()) {
        return {};
    }
    constexpr std::uint32_t kHeaders = 14 + 40;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(picture.Width()) * 24 + 31) / 32) * 4;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(picture.Height());
    std::string out;
    out.reserve(kHeaders + pixels);
    out += "BM";
    Put32(out, kHeaders + pixels);
    Put32(out, 0);
    Put32(out, kHeaders);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(picture.Width()));
    Put32(out, static_cast<std::uint32_t>(picture.Height()));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // BI_RGB
    Put32(out, pixels);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < picture.Width(); ++x) {
            const plat::Colour c = picture.Pixel(x, y);
            out += static_cast<char>(plat::GetBValue(c));
            out += static_cast<char>(plat::GetGValue(c));
            out += static_cast<char>(plat::GetRValue(c));
        }
        out.append(start + stride - out.size(), '\0');
    }
    return out;
}

plat::FileWriteResult SavePicture(const plat::PixelBuffer& picture, const std::string& fileName) {
    if (picture.Empty()) {
        return {false, "The picture is empty."};
    }
    return plat::WriteFileAtomically(fileName, EncodeBmp24(picture));
}

} // namespace imaging
