// The bitmap class: sizes and layouts, palettes, blits, fitting and resizing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/cDIB.h"
#include "platform/draw/SystemColourTable.h"

namespace {

using imaging::cDIB;
using plat::RGB;

TEST(cDIB, CreateLaysOutRowsByTheFormula) {
    struct Case {
        int width, height, depth;
        int bytesPerScanline, size, tableBytes;
    };
    const Case cases[] = {
        {5, 3, 8, 8, 24, 1024}, {5, 3, 24, 16, 48, 0}, {5, 3, 1, 4, 12, 8},  {5, 3, 4, 4, 12, 64},
        {5, 3, 16, 12, 36, 0},  {5, 3, 32, 20, 60, 0}, {33, 2, 1, 8, 16, 8}, {1, 1, 24, 4, 4, 0},
    };
    for (const Case& c : cases) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(c.width, c.height, c.depth)) << c.depth;
        EXPECT_EQ(dib.Width(), c.width);
        EXPECT_EQ(dib.Height(), c.height);
        EXPECT_EQ(dib.BPP(), c.depth);
        EXPECT_EQ(dib.BytesPerScanline(), c.bytesPerScanline) << c.width << " x " << c.depth;
        EXPECT_EQ(dib.Size(), c.size);
        ASSERT_NE(dib.lpBits(), nullptr);
        EXPECT_EQ(std::vector<std::uint8_t>(dib.lpBits(), dib.lpBits() + dib.Size()),
                  std::vector<std::uint8_t>(static_cast<std::size_t>(c.size), 0));
        std::vector<std::uint8_t> table{9};
        dib.GetPalette(table);
        if (c.tableBytes == 0) {
            EXPECT_EQ(table, std::vector<std::uint8_t>{9}) << "no table above 8 bits";
        } else {
            EXPECT_EQ(table, std::vector<std::uint8_t>(static_cast<std::size_t>(c.tableBytes), 0));
        }
    }
}

TEST(cDIB, CreateRefusesAZeroSizeOrAnUnknownDepthAndLeavesTheImageEmpty) {
    struct Case {
        int width, height, depth;
    };
    const Case cases[] = {{0, 3, 8}, {5, 0, 8},  {-1, 3, 32}, {5, 3, 0},
                          {5, 3, 2}, {5, 3, 15}, {5, 3, 64},  {70000, 70000, 32}};
    for (const Case& c : cases) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(4, 4, 8));
        EXPECT_FALSE(dib.Create(c.width, c.height, c.depth))
            << c.width << " x " << c.height << " x " << c.depth;
        EXPECT_EQ(dib.hDIBDC(), nullptr);
        EXPECT_EQ(dib.hDIB(), nullptr);
        EXPECT_EQ(dib.lpBits(), nullptr);
        EXPECT_EQ(dib.Width(), 0);
        EXPECT_EQ(dib.Height(), 0);
        EXPECT_EQ(dib.BPP(), 0);
        EXPECT_EQ(dib.BytesPerScanline(), 0);
        EXPECT_EQ(dib.Size(), 0);
        // Members that need an image do nothing.
        plat::PixelBuffer target(2, 2, plat::PixelFormat::Bgrx32);
        EXPECT_EQ(dib.LoadBlt(target), 0);
        EXPECT_EQ(dib.Stretch(target, 0, 0, 2, 2), 0);
        EXPECT_TRUE(dib.Image().Empty());
        int left = -7, top = -7, width = -7, height = -7;
        dib.GetBestFitInfo(10, 10, left, top, width, height, true);
        EXPECT_EQ(left + top + width + height, -28);
    }
}

TEST(cDIB, GetBestFitInfoFitsAndCentres) {
    struct Case {
        int width, height, box, boxHeight;
        bool alwaysScale;
        int left, top, outWidth, outHeight;
    };
    const Case cases[] = {
        {300, 200, 150, 150, false, 0, 25, 150, 100},  // wider than the box
        {100, 100, 150, 150, false, 25, 25, 100, 100}, // fits: its own size
        {100, 100, 150, 150, true, 0, 0, 150, 150},    // fits, scaled anyway (ties take the height)
        {300, 100, 150, 150, false, 0, 50, 150, 50},   // the thumbnail of a 300 x 100 image
        {100, 300, 150, 150, false, 50, 0, 50, 150},   // taller than the box
        {150, 150, 150, 150, false, 0, 0, 150, 150},   // exactly the box
        {151, 150, 150, 150, false, 0, 0, 150, 149},   // 150/151 x 150 = 149.006...
        {4, 1, 2, 2, false, 0, 1, 2, 0},               // 0.5 x 1 rounds to 0 (half to even)
        {4, 3, 2, 2, false, 0, 0, 2, 2},               // 0.5 x 3 = 1.5 rounds to 2 (half to even)
        {4, 5, 2, 4, false, 0, 1, 2, 2},               // 0.5 x 5 = 2.5 rounds to 2
        {5, 4, 3, 3, false, 0, 0, 3, 2},               // 0.6 x 4 = 2.4 (sx < sy)
    };
    for (const Case& c : cases) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(c.width, c.height, 32));
        int left = 0, top = 0, width = 0, height = 0;
        dib.GetBestFitInfo(c.box, c.boxHeight, left, top, width, height, c.alwaysScale);
        EXPECT_EQ(width, c.outWidth) << c.width << " x " << c.height << " in " << c.box << " x "
                                     << c.boxHeight;
        EXPECT_EQ(height, c.outHeight)
            << c.width << " x " << c.height << " in " << c.box << " x " << c.boxHeight;
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(top, c.top);
    }
}

// A table of n entries: entry i is (blue i, green 2i, red 3i).
std::vector<std::uint8_t> Table(int n) {
    std::vector<std::uint8_t> table;
    for (int i = 0; i < n; ++i) {
        table.push_back(static_cast<std::uint8_t>(i));
        table.push_back(static_cast<std::uint8_t>(2 * i));
        table.push_back(static_cast<std::uint8_t>(3 * i));
        table.push_back(0x77);
    }
    return table;
}

TEST(cDIB, SetPaletteWritesAtMostTheEntriesOfTheDepth) {
    struct Case {
        int depth;
        std::size_t tableBytes;
        int written; // entries set from the table
    };
    const Case cases[] = {
        {1, 4 * 256, 2},   {4, 4 * 256, 16}, {8, 4 * 300, 256}, {8, 4 * 3, 3},
        {8, 4 * 3 + 2, 3}, {4, 4 * 5, 5},    {1, 0, 0},
    };
    for (const Case& c : cases) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(3, 2, c.depth));
        std::vector<std::uint8_t> table = Table(300);
        table.resize(c.tableBytes, 0x55);
        dib.SetPalette(table);
        std::vector<std::uint8_t> read;
        dib.GetPalette(read);
        ASSERT_EQ(read.size(), 4u << c.depth) << c.depth;
        for (std::size_t i = 0; i < read.size() / 4; ++i) {
            const int entry = static_cast<int>(i);
            const bool set = entry < c.written;
            EXPECT_EQ(read[4 * i], set ? std::uint8_t(entry) : 0) << c.depth << " entry " << i;
            EXPECT_EQ(read[4 * i + 1], set ? std::uint8_t(2 * entry) : 0);
            EXPECT_EQ(read[4 * i + 2], set ? std::uint8_t(3 * entry) : 0);
            EXPECT_EQ(read[4 * i + 3], 0) << "the reserved byte reads 0";
        }
    }
    // Above 8 bits there is no table to set.
    cDIB deep;
    ASSERT_TRUE(deep.Create(3, 2, 24));
    deep.SetPalette(Table(4));
    EXPECT_EQ(std::vector<std::uint8_t>(deep.lpBits(), deep.lpBits() + deep.Size()),
              std::vector<std::uint8_t>(static_cast<std::size_t>(deep.Size()), 0));
}

TEST(cDIB, LoadBltWithoutSizeCopiesTheWholeImageAndStretchKeepsTheNearestPixel) {
    plat::PixelBuffer source(4, 2, plat::PixelFormat::Bgrx32);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.SetPixel(x, y, RGB(10 * x, 100 + y, 7));
        }
    }
    cDIB dib;
    ASSERT_TRUE(dib.Create(4, 2, 24));
    EXPECT_EQ(dib.LoadBlt(source, 0, 0, 0, 0), 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(dib.hDIBDC()->Pixel(x, y), RGB(10 * x, 100 + y, 7));
        }
    }
    // Halved and doubled: each target pixel takes the source pixel under its centre.
    plat::PixelBuffer half(2, 1, plat::PixelFormat::Bgrx32);
    EXPECT_EQ(dib.Stretch(half, 0, 0, 2, 1), 1);
    EXPECT_EQ(half.Pixel(0, 0), RGB(10, 101, 7));
    EXPECT_EQ(half.Pixel(1, 0), RGB(30, 101, 7));
    plat::PixelBuffer twice(8, 4, plat::PixelFormat::Bgrx32);
    EXPECT_EQ(dib.Stretch(twice, 0, 0, 8, 4), 1);
    EXPECT_EQ(twice.Pixel(7, 3), RGB(30, 101, 7));
    EXPECT_EQ(twice.Pixel(2, 1), RGB(10, 100, 7));
    EXPECT_EQ(dib.Stretch(twice, 0, 0, 8, 4, 0, 0, 0, 0, 0x00EE0086), 0) << "SRCCOPY only";
}

TEST(cDIB, ClsFillsWithAnRgbOrASystemColour) {
    struct Case {
        int depth;
        plat::Colour colour, expected;
    };
    const Case cases[] = {
        {32, RGB(1, 2, 3), RGB(1, 2, 3)},
        {24, 0x8000000F, plat::StandardSysColor(plat::COLOR_BTNFACE)},
        {24, 0x80000005, RGB(255, 255, 255)},
        {16, RGB(255, 255, 255), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        cDIB dib;
        ASSERT_TRUE(dib.Create(3, 3, c.depth));
        dib.Cls(c.colour);
        EXPECT_EQ(dib.hDIBDC()->Pixel(2, 2), c.expected) << c.depth;
        EXPECT_EQ(dib.Image().Pixel(0, 0), c.expected);
    }
    // An indexed image takes the nearest entry of its table.
    cDIB indexed;
    ASSERT_TRUE(indexed.Create(9, 2, 4));
    indexed.SetPalette(std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 250, 0});
    indexed.Cls(RGB(255, 0, 0));
    EXPECT_EQ(indexed.hDIBDC()->Index(8, 1), 1);
}

TEST(cDIB, ResizeStretchesOrCutsAndKeepsDepthAndTable) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(4, 4, 8));
    dib.SetPalette(Table(4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            dib.lpBits()[y * dib.BytesPerScanline() + x] = static_cast<std::uint8_t>((x / 2) + 2 * (y / 2));
        }
    }
    cDIB stretched;
    dib.CloneTo(stretched);
    stretched.Resize(2, 2, true);
    ASSERT_EQ(stretched.BPP(), 8);
    ASSERT_EQ(stretched.Width(), 2);
    EXPECT_EQ(stretched.lpBits()[0], 0);
    EXPECT_EQ(stretched.lpBits()[1], 1);
    EXPECT_EQ(stretched.lpBits()[stretched.BytesPerScanline()], 2);
    EXPECT_EQ(stretched.lpBits()[stretched.BytesPerScanline() + 1], 3)
        << "indices carried over, not rematched";
    std::vector<std::uint8_t> table;
    stretched.GetPalette(table);
    EXPECT_EQ(std::vector<std::uint8_t>(table.begin(), table.begin() + 4),
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(table[4 * 3 + 2], 9);

    dib.Resize(6, 3, false);
    ASSERT_EQ(dib.Width(), 6);
    ASSERT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.lpBits()[3], 1);
    EXPECT_EQ(dib.lpBits()[4], 0) << "padded with zero pixels";
    EXPECT_EQ(dib.lpBits()[2 * dib.BytesPerScanline() + 3], 3);
}

TEST(cDIB, CloneToAndImageCopyEveryPixel) {
    cDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, 1));
    dib.SetPalette(std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 0});
    dib.lpBits()[0] = 0b10100000;
    dib.lpBits()[4] = 0b01000000;
    cDIB clone;
    ASSERT_TRUE(clone.Create(9, 9, 32));
    dib.CloneTo(clone);
    ASSERT_EQ(clone.BPP(), 1);
    ASSERT_EQ(clone.Size(), dib.Size());
    EXPECT_EQ(std::vector<std::uint8_t>(clone.lpBits(), clone.lpBits() + clone.Size()),
              std::vector<std::uint8_t>(dib.lpBits(), dib.lpBits() + dib.Size()));
    const plat::PixelBuffer image = clone.Image();
    ASSERT_EQ(image.Format(), plat::PixelFormat::Bgrx32);
    const plat::Colour white = RGB(255, 255, 255);
    EXPECT_EQ(image.Pixel(0, 0), white);
    EXPECT_EQ(image.Pixel(1, 0), 0u);
    EXPECT_EQ(image.Pixel(2, 0), white);
    EXPECT_EQ(image.Pixel(1, 1), white);
    EXPECT_EQ(image.Pixel(0, 1), 0u);

    // A picture comes back at its own depth with its table, or at 32 bits when forced.
    cDIB fromPicture;
    ASSERT_NE(fromPicture.CreateFromStdPicture(*dib.hDIBDC(), false), nullptr);
    EXPECT_EQ(fromPicture.BPP(), 1);
    EXPECT_EQ(fromPicture.hDIBDC()->Pixel(2, 0), white);
    ASSERT_EQ(fromPicture.CreateFromStdPicture(image, true), fromPicture.hDIBDC());
    EXPECT_EQ(fromPicture.BPP(), 32);
    EXPECT_EQ(fromPicture.hDIBDC()->Pixel(1, 1), white);
    EXPECT_EQ(fromPicture.CreateFromStdPicture(plat::PixelBuffer(), true), nullptr);
    EXPECT_EQ(fromPicture.BPP(), 32) << "no picture: nothing happens";
}

} // namespace
