#pragma once

// Pictures for the palette, reduction and GIF tests, made pixel by pixel.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"

namespace gifimages {

using Rgb = std::array<std::uint8_t, 3>;

// An 8-bit image of the indices index(x, y) (cDIB is neither copied nor moved, hence the pointer).
inline std::unique_ptr<imaging::cDIB> IndexImage(int width, int height,
                                                 const std::function<int(int, int)>& index) {
    auto image = std::make_unique<imaging::cDIB>();
    EXPECT_TRUE(image->Create(width, height, 8));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image->lpBits()[y * image->BytesPerScanline() + x] = static_cast<std::uint8_t>(index(x, y));
    return image;
}

// A 32-bit image of the colours colour(x, y).
inline std::unique_ptr<imaging::cDIB> RgbImage(int width, int height,
                                               const std::function<Rgb(int, int)>& colour) {
    auto image = std::make_unique<imaging::cDIB>();
    EXPECT_TRUE(image->Create(width, height, 32));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image->lpBits() + y * image->BytesPerScanline() + x * 4;
            const Rgb c = colour(x, y);
            p[0] = c[2];
            p[1] = c[1];
            p[2] = c[0];
        }
    return image;
}

inline Rgb PixelOf(const imaging::cDIB& image, int x, int y) {
    const std::uint8_t* p = image.lpBits() + y * image.BytesPerScanline() + x * 4;
    return {p[2], p[1], p[0]};
}

inline int IndexAt(const imaging::cDIB& image, int x, int y) {
    return image.lpBits()[y * image.BytesPerScanline() + x];
}

inline imaging::cPal8bpp Palette(const std::vector<Rgb>& colours) {
    imaging::cPal8bpp pal;
    pal.Initialize(static_cast<int>(colours.size()));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        pal.rgbR(index, colours[i][0]);
        pal.rgbG(index, colours[i][1]);
        pal.rgbB(index, colours[i][2]);
    }
    pal.BuildLogicalPalette();
    return pal;
}

inline Rgb EntryOf(const imaging::cPal8bpp& pal, int i) {
    const auto index = static_cast<std::uint8_t>(i);
    return {pal.rgbR(index), pal.rgbG(index), pal.rgbB(index)};
}

inline std::vector<Rgb> EntriesOf(const imaging::cPal8bpp& pal) {
    std::vector<Rgb> out;
    for (int i = 0; i < pal.Entries(); ++i)
        out.push_back(EntryOf(pal, i));
    return out;
}

// A picture of more than 256 colours: a smooth field of red and green with blue in steps.
inline Rgb ManyColours(int x, int y) {
    return {static_cast<std::uint8_t>(x * 255 / 299), static_cast<std::uint8_t>(y * 255 / 99),
            static_cast<std::uint8_t>(((x / 10) * 40 + (y / 10) * 25) & 255)};
}

} // namespace gifimages
