// The layouts below 32 bits, as a device-independent bitmap stores them, and the stretching rule.
#include <gtest/gtest.h>

#include <random>

#include <cstdint>
#include <vector>

#include "platform/draw/PixelBlit.h"
#include "platform/draw/PixelBuffer.h"
#include "platform/draw/SystemColourTable.h"

namespace {

using plat::PixelBuffer;
using plat::PixelFormat;
using plat::RGB;

TEST(PixelLayouts, EachFormatStoresItsPixelsAsABitmapDoes) {
    // 1 bit: the leftmost pixel is the highest bit.
    PixelBuffer mono(10, 1, PixelFormat::Indexed1);
    ASSERT_EQ(mono.Stride(), 4);
    mono.SetIndex(0, 0, 1);
    mono.SetIndex(9, 0, 1);
    EXPECT_EQ(mono.Row(0)[0], 0x80);
    EXPECT_EQ(mono.Row(0)[1], 0x40);
    // 4 bits: the leftmost pixel is the high nibble.
    PixelBuffer nibbles(3, 1, PixelFormat::Indexed4);
    nibbles.SetIndex(0, 0, 0xA);
    nibbles.SetIndex(1, 0, 0x3);
    nibbles.SetIndex(2, 0, 0xF);
    EXPECT_EQ(nibbles.Row(0)[0], 0xA3);
    EXPECT_EQ(nibbles.Row(0)[1], 0xF0);
    EXPECT_EQ(nibbles.Index(1, 0), 3);
    // 16 bits: 5 bits each, red highest, little-endian; read back widened (31 gives 255).
    PixelBuffer words(2, 1, PixelFormat::Bgr555);
    words.SetPixel(1, 0, RGB(255, 8, 16));
    EXPECT_EQ(words.Row(0)[2], 0x22); // green 1, blue 2
    EXPECT_EQ(words.Row(0)[3], 0x7C); // red 31
    EXPECT_EQ(words.Pixel(1, 0), RGB(255, 8, 16));
    // 24 bits: blue, green, red.
    PixelBuffer triples(2, 2, PixelFormat::Bgr24);
    ASSERT_EQ(triples.Stride(), 8);
    triples.SetPixel(1, 1, RGB(1, 2, 3));
    EXPECT_EQ(std::vector<std::uint8_t>(triples.Row(1) + 3, triples.Row(1) + 6),
              (std::vector<std::uint8_t>{3, 2, 1}));
}

TEST(PixelLayouts, IndexedBuffersMatchAmongTheirOwnEntriesAndFillAndResizeByIndex) {
    PixelBuffer b(11, 2, PixelFormat::Indexed4);
    b.Colours()[3] = 0x00FF0000;  // red
    b.Colours()[20] = 0x0000FF00; // green, beyond the 16 entries of 4 bits
    EXPECT_EQ(b.NearestIndex(RGB(250, 0, 0)), 3);
    EXPECT_EQ(b.NearestIndex(RGB(0, 255, 0)), 0) << "entry 20 is not one of this depth's";
    b.Fill(RGB(255, 0, 0));
    EXPECT_EQ(b.Row(1)[4], 0x33);
    EXPECT_EQ(b.Row(1)[5], 0x30) << "pixel 10, then the padding";
    EXPECT_EQ(b.Pixel(10, 1), RGB(255, 0, 0));
    b.SetIndex(10, 1, 7);
    b.Resize(12, 3, RGB(0, 0, 0));
    EXPECT_EQ(b.Index(10, 1), 7);
    EXPECT_EQ(b.Index(11, 1), 0);
    EXPECT_EQ(b.Index(4, 2), 0);
}

TEST(StretchPixels, CarriesIndicesWhereTheTargetTableBeginsWithTheSourcesAndElseMatchesColours) {
    PixelBuffer source(4, 1, PixelFormat::Indexed4);
    source.Colours()[1] = 0x00000010; // blue 16
    source.Colours()[2] = 0x00000010; // the same colour again
    source.SetIndex(0, 0, 2);
    source.SetIndex(3, 0, 1);
    PixelBuffer same(4, 1, PixelFormat::Indexed8);
    std::copy_n(source.Colours().begin(), 16, same.Colours().begin());
    ASSERT_TRUE(plat::StretchPixels(same, 0, 0, 4, 1, source, 0, 0, 4, 1));
    EXPECT_EQ(same.Index(0, 0), 2) << "the index itself, not the first entry of that colour";
    EXPECT_EQ(same.Index(3, 0), 1);
    PixelBuffer other(4, 1, PixelFormat::Indexed8);
    other.Colours()[9] = 0x00000010;
    ASSERT_TRUE(plat::StretchPixels(other, 0, 0, 4, 1, source, 0, 0, 4, 1));
    EXPECT_EQ(other.Index(0, 0), 9);
    EXPECT_EQ(other.Index(1, 0), 0);
}

TEST(StretchPixels, MirrorsOverlapsAndRefusesZeroExtents) {
    PixelBuffer b(4, 1, PixelFormat::Bgr24);
    for (int x = 0; x < 4; ++x) {
        b.SetPixel(x, 0, RGB(x, 0, 0));
    }
    // Onto itself, shifted right by one: the copy reads the old pixels.
    ASSERT_TRUE(plat::StretchPixels(b, 1, 0, 3, 1, b, 0, 0, 3, 1));
    EXPECT_EQ(b.Pixel(3, 0), RGB(2, 0, 0));
    EXPECT_EQ(b.Pixel(1, 0), RGB(0, 0, 0));
    PixelBuffer mirrored(4, 1, PixelFormat::Bgrx32);
    ASSERT_TRUE(plat::StretchPixels(mirrored, 4, 0, -4, 1, b, 0, 0, 4, 1));
    EXPECT_EQ(mirrored.Pixel(0, 0), RGB(2, 0, 0));
    EXPECT_EQ(mirrored.Pixel(3, 0), RGB(0, 0, 0));
    EXPECT_FALSE(plat::StretchPixels(mirrored, 0, 0, 0, 1, b, 0, 0, 4, 1));
    EXPECT_FALSE(plat::StretchPixels(mirrored, 0, 0, 4, 1, b, 0, 0, 4, 0));
}

// 32-bit pictures stretch row by row; the colours must be those the pixel-by-pixel rule gives into a
// 24-bit picture, and the fourth byte opaque unless both pictures carry alpha.
TEST(StretchPixels, ThirtyTwoBitRowsMatchThePixelRule) {
    std::mt19937 random(7);
    const struct {
        int x, y, width, height, xs, ys, ws, hs;
    } cases[] = {{0, 0, 13, 9, 0, 0, 40, 30},
                 {2, 1, 37, 23, 3, 2, 11, 7},
                 {12, 8, -13, -9, 0, 0, 40, 30},
                 {-5, -3, 20, 20, 5, 5, 30, 20},
                 {0, 0, 13, 9, 35, 25, 20, 20}};
    for (auto [from, to] : {std::pair{PixelFormat::Bgrx32, PixelFormat::Bgrx32},
                            {PixelFormat::Bgra32, PixelFormat::Bgrx32},
                            {PixelFormat::Bgrx32, PixelFormat::Bgra32},
                            {PixelFormat::Bgra32, PixelFormat::Bgra32}}) {
        PixelBuffer source(40, 30, from);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 160; ++x)
                source.Row(y)[x] = static_cast<std::uint8_t>(random());
        for (const auto& c : cases) {
            // Unwritten pixels keep 0x11 in every byte.
            PixelBuffer fast(16, 12, to);
            PixelBuffer reference(16, 12, PixelFormat::Bgr24);
            for (int y = 0; y < 12; ++y) {
                std::fill_n(fast.Row(y), 64, std::uint8_t{0x11});
                std::fill_n(reference.Row(y), 48, std::uint8_t{0x11});
            }
            ASSERT_TRUE(
                plat::StretchPixels(fast, c.x, c.y, c.width, c.height, source, c.xs, c.ys, c.ws, c.hs));
            ASSERT_TRUE(
                plat::StretchPixels(reference, c.x, c.y, c.width, c.height, source, c.xs, c.ys, c.ws, c.hs));
            const bool keepsAlpha = from == PixelFormat::Bgra32 && to == PixelFormat::Bgra32;
            for (int y = 0; y < 12; ++y) {
                for (int x = 0; x < 16; ++x) {
                    ASSERT_EQ(fast.Pixel(x, y), reference.Pixel(x, y)) << x << "," << y;
                    const std::uint8_t alpha = fast.Row(y)[x * 4 + 3];
                    if (!keepsAlpha && alpha != 0x11) {
                        ASSERT_EQ(alpha, 0xFF) << x << "," << y;
                    }
                }
            }
        }
    }
}

TEST(SystemColourTable, StandardValuesStandInForSystemColours) {
    EXPECT_EQ(plat::ResolveStandardColour(0x80000005), RGB(255, 255, 255));
    EXPECT_EQ(plat::ResolveStandardColour(0x80000008), RGB(0, 0, 0));
    EXPECT_EQ(plat::ResolveStandardColour(0x800000FF), plat::StandardSysColor(plat::COLOR_BTNFACE));
    EXPECT_EQ(plat::ResolveStandardColour(0x00123456), 0x00123456u);
}

} // namespace
