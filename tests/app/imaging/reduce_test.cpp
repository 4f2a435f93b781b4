// The reduction to 8 bits: the look-up tables, both palettes with each dither, the error diffusion at
// its threshold and the image edges, the thumbnail of the optimal palette, the lossless path for
// pictures of at most 256 colours, and sources of 8 bits or fewer.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GifDecoders.h"
#include "GifTestImages.h"
#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSave.h"
#include "imaging/mGIFSaveDither.h"
#include "imaging/mGIFSaveReduce.h"

using gifimages::EntriesOf;
using gifimages::EntryOf;
using gifimages::IndexAt;
using gifimages::Rgb;
using gifimages::RgbImage;
using imaging::cDIB;
using imaging::cPal8bpp;
using imaging::DitherMode;
using imaging::PaletteMode;
using imaging::ReduceTo8bpp;

namespace {

// The ordered-dither thresholds as the tables of the method give them, rows dy = 0..3.
constexpr int kT16[16] = {1, 9, 3, 11, 13, 5, 15, 7, 4, 12, 2, 10, 16, 8, 14, 6};
constexpr int kT51[16] = {3, 29, 10, 35, 41, 16, 48, 22, 13, 38, 6, 32, 51, 26, 45, 19};

std::vector<int> Indices(const cDIB& image) {
    std::vector<int> out;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            out.push_back(IndexAt(image, x, y));
    return out;
}

} // namespace

TEST(DitherTables, LevelsThresholdsAndErrorShares) {
    const imaging::DitherTables& t = imaging::BuildDitherTables();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(t.t16[static_cast<std::size_t>(i)], kT16[i]) << i;
        EXPECT_EQ(t.t51[static_cast<std::size_t>(i)], kT51[i]) << i;
    }
    const struct {
        int v, l16;
    } levels16[] = {{-8, 0}, {-7, 0}, {0, 0},    {8, 0},    {9, 1},
                    {25, 1}, {26, 2}, {247, 15}, {255, 15}, {262, 15}};
    for (const auto& c : levels16)
        EXPECT_EQ(t.L16(c.v), c.l16) << c.v;
    const struct {
        int v, l6;
    } levels6[] = {{-51, 0}, {-25, 0}, {0, 0},   {25, 0},  {26, 1},
                   {76, 1},  {77, 2},  {128, 3}, {255, 5}, {280, 5}};
    for (const auto& c : levels6)
        EXPECT_EQ(t.L6(c.v), c.l6) << c.v;
    // Shares of e/16 rounded, halves to even: 8/16 = 0.5 -> 0, 24/16 = 1.5 -> 2.
    const struct {
        int e, e1, e3, e5, e7;
    } shares[] = {{25, 2, 5, 8, 11},           {-25, -2, -5, -8, -11}, {8, 0, 2, 2, 4},
                  {24, 2, 4, 8, 10},           {-8, 0, -2, -2, -4},    {255, 16, 48, 80, 112},
                  {-255, -16, -48, -80, -112}, {0, 0, 0, 0, 0}};
    for (const auto& c : shares) {
        const auto i = static_cast<std::size_t>(c.e + 255);
        EXPECT_EQ((std::array{t.e1[i], t.e3[i], t.e5[i], t.e7[i]}), (std::array{c.e1, c.e3, c.e5, c.e7}))
            << c.e;
    }
}

TEST(ReduceHalftone, NearestLevelWithoutDither) {
    const struct {
        Rgb colour;
        int index;
    } cases[] = {{{255, 0, 0}, 5},   {{255, 255, 255}, 215}, {{0, 0, 0}, 0},     {{25, 25, 25}, 0},
                 {{26, 26, 26}, 43}, {{0, 255, 0}, 30},      {{0, 0, 255}, 180}, {{128, 128, 128}, 129}};
    const auto source = RgbImage(8, 1, [&](int x, int) { return cases[x].colour; });
    cDIB out;
    cPal8bpp palette;
    ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Halftone, DitherMode::None));
    ASSERT_EQ(out.BPP(), 8);
    EXPECT_EQ(palette.Entries(), 216);
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(IndexAt(out, x, 0), cases[x].index) << x;
    // The 8-bit image carries the palette as its colour table.
    std::vector<std::uint8_t> table;
    out.GetPalette(table);
    EXPECT_EQ(table[5 * 4 + 2], 255);
}

TEST(ReduceHalftone, OrderedDitherOnGrey128) {
    // Level round((154 - t51) / 51): 3 where t51 is at most 26, 2 where it is 29 or more.
    const auto source = RgbImage(8, 8, [](int, int) { return Rgb{128, 128, 128}; });
    cDIB out;
    cPal8bpp palette;
    ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Halftone, DitherMode::Ordered));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int level = kT51[(x % 4) + 4 * (y % 4)] <= 26 ? 3 : 2;
            EXPECT_EQ(IndexAt(out, x, y), 43 * level) << x << "," << y;
        }
}

TEST(ReduceHalftone, ErrorDiffusionThresholdAndEdges) {
    // Halftone indices: level r + 6g + 36b; red levels at 0, 51, ... (26 and up is level 1). Shares
    // of an error of 25: 7/16 -> 11, 5/16 -> 8, 3/16 -> 5, 1/16 -> 2.
    const struct {
        const char* what;
        int width, height;
        std::vector<Rgb> pixels;
        std::vector<int> indices;
    } cases[] = {
        // Errors 2 + 1 + 0 = 3: dropped, the neighbour stays at 25.
        {"sum 3 is dropped", 2, 1, {{2, 1, 0}, {25, 0, 0}}, {0, 0}},
        // Errors 2 + 1 + 1 = 4: spread, 7/16 of 2 rounds to 1 and the neighbour's 26 is level 1.
        {"sum 4 spreads", 2, 1, {{2, 1, 1}, {25, 0, 0}}, {0, 1}},
        // 25 -> 0, +11: 36 -> 1 (error -15), -7: 18 -> 0 (error 18), +8: 33 -> 1.
        {"errors carry along a row", 4, 1, {{25, 0, 0}, {25, 0, 0}, {25, 0, 0}, {25, 0, 0}}, {0, 1, 0, 1}},
        // (1,0) in the last column gives nothing to its right (which in memory is (0,1)): (0,1) gets
        // 3/16 only, 20 + 5 = 25 -> 0, and spreads 11 to (1,1): 17 + 8 + 11 = 36 -> 1.
        {"last column", 2, 2, {{0, 0, 0}, {25, 0, 0}, {20, 0, 0}, {17, 0, 0}}, {0, 0, 0, 1}},
        // (0,0) in the first column gives nothing below-left (in memory (1,0)): (1,0) = 10 + 11 = 21 -> 0.
        {"first column", 2, 2, {{25, 0, 0}, {10, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 0, 0, 0}},
        // One row: nothing goes below; 25 -> 0, 0 + 11 -> 0, 0 + 5 -> 0.
        {"last row", 3, 1, {{25, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto source = RgbImage(c.width, c.height, [&](int x, int y) {
            return c.pixels[static_cast<std::size_t>(y * c.width + x)];
        });
        const auto before =
            RgbImage(c.width, c.height, [&](int x, int y) { return gifimages::PixelOf(*source, x, y); });
        cDIB out;
        cPal8bpp palette;
        ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Halftone, DitherMode::ErrorDiffusion));
        EXPECT_EQ(Indices(out), c.indices) << c.what;
        // The source is never changed: the errors go into a copy.
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(gifimages::PixelOf(*source, x, y), gifimages::PixelOf(*before, x, y)) << c.what;
    }
}

TEST(ReduceOptimal, PaletteFromAThumbnailOfAtMost150By150) {
    const struct {
        int width, height, thumbWidth, thumbHeight;
    } cases[] = {{300, 100, 150, 50}, {100, 90, 100, 90}, {200, 300, 100, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const auto source = RgbImage(c.width, c.height, [&](int x, int y) {
            return gifimages::ManyColours(x * 299 / (c.width - 1), y * 99 / (c.height - 1));
        });
        cDIB out;
        cPal8bpp palette;
        ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Optimal, DitherMode::None));
        cDIB thumb;
        source->CloneTo(thumb);
        if (c.thumbWidth != c.width || c.thumbHeight != c.height)
            thumb.Resize(c.thumbWidth, c.thumbHeight, true);
        cPal8bpp expected;
        expected.CreateOptimal(thumb, 256, 8, 1, 1, 1);
        EXPECT_EQ(EntriesOf(palette), EntriesOf(expected));
        EXPECT_GT(palette.Entries(), 100);
        // Without dither each pixel takes the entry nearest to its colour's 16-level cube point.
        const imaging::DitherTables& t = imaging::BuildDitherTables();
        for (int y = 0; y < c.height; y += 7)
            for (int x = 0; x < c.width; x += 13) {
                const Rgb p = gifimages::PixelOf(*source, x, y);
                const auto level = [&](int v) { return static_cast<std::uint8_t>(17 * t.L16(v)); };
                ASSERT_EQ(IndexAt(out, x, y), expected.ClosestIndex(level(p[0]), level(p[1]), level(p[2])));
            }
    }
}

TEST(ReduceOptimal, OrderedDitherReadsTheLowestLevelAtBlack) {
    // Black at t16 = 16 reads level 0 + 8 - 16 = -8; white at t16 = 1 reads 262.
    const auto source = RgbImage(300, 100, [](int x, int y) {
        if (x < 4 && y < 4)
            return Rgb{0, 0, 0};
        if (x >= 4 && x < 8 && y < 4)
            return Rgb{255, 255, 255};
        return gifimages::ManyColours(x, y);
    });
    cDIB out;
    cPal8bpp palette;
    ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Optimal, DitherMode::Ordered));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(IndexAt(out, x, y), palette.ClosestIndex(0, 0, 0)) << x << "," << y;
            EXPECT_EQ(IndexAt(out, x + 4, y), palette.ClosestIndex(255, 255, 255)) << x << "," << y;
        }
}

TEST(ReduceOptimal, AtMost256ColoursAreWrittenLosslessly) {
    const struct {
        const char* what;
        int width, height;
        std::function<Rgb(int, int)> colour;
        std::vector<Rgb> palette; // the first entries, in order of first appearance
        int entries;
    } cases[] = {
        // A 1-pixel magenta line over white with a grey grid: a thumbnail would lose the line.
        {"a 1-pixel line",
         300,
         200,
         [](int x, int y) {
             if (y == 137)
                 return Rgb{255, 0, 255};
             return x % 50 == 0 ? Rgb{192, 192, 192} : Rgb{255, 255, 255};
         },
         {{192, 192, 192}, {255, 255, 255}, {255, 0, 255}},
         3},
        // Colours one level apart, which share a box of the octree.
        {"one level apart",
         4,
         1,
         [](int x, int) {
             return Rgb{static_cast<std::uint8_t>(x & 1), 0, 0};
         },
         {{0, 0, 0}, {1, 0, 0}},
         2},
        {"exactly 256",
         32,
         8,
         [](int x, int y) {
             return Rgb{static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 32), 7};
         },
         {{0, 0, 7}, {8, 0, 7}},
         256},
        // One colour: padded to two, the second black.
        {"one colour",
         5,
         5,
         [](int, int) {
             return Rgb{10, 200, 30};
         },
         {{10, 200, 30}, {0, 0, 0}},
         2},
        {"black alone",
         3,
         2,
         [](int, int) {
             return Rgb{0, 0, 0};
         },
         {{0, 0, 0}, {0, 0, 0}},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto source = RgbImage(c.width, c.height, c.colour);
        for (DitherMode dither : {DitherMode::None, DitherMode::Ordered, DitherMode::ErrorDiffusion}) {
            cDIB out;
            cPal8bpp palette;
            ASSERT_TRUE(ReduceTo8bpp(*source, out, palette, PaletteMode::Optimal, dither));
            ASSERT_EQ(palette.Entries(), c.entries);
            for (std::size_t i = 0; i < c.palette.size(); ++i)
                EXPECT_EQ(EntryOf(palette, static_cast<int>(i)), c.palette[i]) << i;
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    ASSERT_EQ(EntryOf(palette, IndexAt(out, x, y)), c.colour(x, y)) << x << "," << y;
        }
    }
    // Well apart, the colours come in the order the octree gives its leaves.
    const auto plot = RgbImage(300, 200, cases[0].colour);
    cPal8bpp octree;
    octree.CreateOptimal(*plot, 256, 8, 1, 1, 1);
    cDIB out;
    cPal8bpp palette;
    ASSERT_TRUE(ReduceTo8bpp(*plot, out, palette, PaletteMode::Optimal, DitherMode::ErrorDiffusion));
    EXPECT_EQ(EntriesOf(palette), EntriesOf(octree));

    // 257 colours take the octree of the thumbnail: at most 256 entries.
    const auto more = RgbImage(257, 1, [](int x, int) {
        return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 256 * 100), 0};
    });
    ASSERT_TRUE(ReduceTo8bpp(*more, out, palette, PaletteMode::Optimal, DitherMode::None));
    EXPECT_LE(palette.Entries(), 256);
    EXPECT_LT(palette.Entries(), 257);
}

TEST(ReduceOptimal, OnlyA32BitSourceIsReduced) {
    cDIB source;
    ASSERT_TRUE(source.Create(4, 4, 24));
    cDIB out;
    cPal8bpp palette;
    palette.CreateEGA();
    EXPECT_FALSE(ReduceTo8bpp(source, out, palette, PaletteMode::Optimal, DitherMode::ErrorDiffusion));
    EXPECT_EQ(palette.Entries(), 16);
    EXPECT_EQ(out.BPP(), 0);
    // A 24-bit picture in memory still goes through ConvertTo8bpp, by way of 32 bits.
    source.Cls(0x00336699);
    ASSERT_TRUE(imaging::ConvertTo8bpp(source, out, palette));
    EXPECT_EQ(EntryOf(palette, IndexAt(out, 3, 3)), (Rgb{0x99, 0x66, 0x33}));
}

TEST(ReduceFewBits, SourcesOf1And4BitsKeepTheirIndicesAndTable) {
    const struct { int depth, width, entries; } cases[] = {{1, 11, 2}, {4, 7, 16}, {8, 5, 256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        cDIB source;
        ASSERT_TRUE(source.Create(c.width, 3, c.depth));
        std::vector<std::uint8_t> table;
        for (int i = 0; i < c.entries; ++i)
            // Entries 0 and 1 alike: each pixel must keep its own index even so.
            table.insert(table.end(), {static_cast<std::uint8_t>(i < 2 ? 50 : i * 13),
                                       static_cast<std::uint8_t>(i < 2 ? 60 : 255 - i), 70, 0});
        source.SetPalette(table);
        const auto indexAt = [&](int x, int y) { return (x * 3 + y * 5 + 1) % c.entries; };
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < c.width; ++x) {
                std::uint8_t& byte = source.lpBits()[y * source.BytesPerScanline() + x * c.depth / 8];
                const int shift = 8 - c.depth * (x % (8 / c.depth) + 1);
                byte = static_cast<std::uint8_t>(byte | (indexAt(x, y) << shift));
            }
        cDIB out;
        cPal8bpp palette;
        ASSERT_TRUE(imaging::ConvertTo8bpp(source, out, palette));
        ASSERT_EQ(palette.Entries(), c.entries);
        std::vector<std::uint8_t> back;
        palette.GetPalette(back);
        EXPECT_EQ(back, table);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(IndexAt(out, x, y), indexAt(x, y)) << x << "," << y;
        // The GIF holds a table of exactly the source's entries.
        const std::string path =
            (std::filesystem::path(TEST_OUTPUT_DIR) / ("few_bits_" + std::to_string(c.depth) + ".gif"))
                .string();
        ASSERT_TRUE(imaging::WriteGIF(path, out, palette));
        const gifcheck::Decoded d = gifcheck::Giflib(path);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.table.size(), static_cast<std::size_t>(c.entries));
        gifcheck::ExpectDecodersRead(path, out, palette);
    }
}
