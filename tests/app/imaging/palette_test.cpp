// The palette: standard palettes, the nearest-entry look-up, the colour-table exchange and the octree.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/cPal8bppOctree.h"

using imaging::cDIB;
using imaging::cPal8bpp;
using imaging::cPal8bppOctree;

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << '(' << c.r << ", " << c.g << ", " << c.b << ')';
}

Rgb Entry(const cPal8bpp& pal, int i) {
    const auto index = static_cast<std::uint8_t>(i);
    return {pal.rgbR(index), pal.rgbG(index), pal.rgbB(index)};
}

std::vector<Rgb> Entries(const cPal8bpp& pal) {
    std::vector<Rgb> out;
    for (int i = 0; i < pal.Entries(); ++i)
        out.push_back(Entry(pal, i));
    return out;
}

// A palette of the given colours, with its logical palette built.
cPal8bpp PaletteOf(const std::vector<Rgb>& colours) {
    std::vector<std::uint8_t> table;
    for (const Rgb& c : colours)
        table.insert(table.end(), {static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                                   static_cast<std::uint8_t>(c.r), 0});
    cPal8bpp pal;
    pal.SetPalette(table);
    pal.BuildLogicalPalette();
    return pal;
}

// The octree's leaves after counting the pixels in order, as one row.
std::vector<Rgb> OctreeLeaves(const std::vector<Rgb>& pixels, int maxColours, int depth, float redWeight = 1,
                              float greenWeight = 1, float blueWeight = 1) {
    std::vector<std::uint8_t> row;
    for (const Rgb& c : pixels)
        row.insert(row.end(), {static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                               static_cast<std::uint8_t>(c.r), 0});
    cPal8bppOctree tree;
    tree.Begin(maxColours, depth, redWeight, greenWeight, blueWeight);
    tree.AddPixels(row.data(), static_cast<int>(pixels.size()), 1, static_cast<std::ptrdiff_t>(row.size()));
    std::vector<Rgb> out;
    for (const auto& c : tree.LeafColours())
        out.push_back({c.red, c.green, c.blue});
    return out;
}

} // namespace

TEST(StandardPalettes, HalftoneCubesHaveTheirLevelsRedInnermost) {
    const struct {
        int mode, count;
        std::vector<int> levels;
    } cases[] = {{0, 8, {0, 255}},
                 {1, 27, {0, 128, 255}},
                 {2, 64, {0, 85, 170, 255}},
                 {3, 125, {0, 64, 128, 192, 255}},
                 {4, 216, {0, 51, 102, 153, 204, 255}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        cPal8bpp pal;
        pal.CreateHalftone(c.mode);
        ASSERT_EQ(pal.Entries(), c.count);
        const int n = static_cast<int>(c.levels.size());
        for (int b = 0; b < n; ++b)
            for (int g = 0; g < n; ++g)
                for (int r = 0; r < n; ++r)
                    ASSERT_EQ(Entry(pal, (b * n + g) * n + r), (Rgb{c.levels[r], c.levels[g], c.levels[b]}));
    }
    cPal8bpp pal;
    pal.CreateHalftone(4);
    EXPECT_EQ(Entry(pal, 1), (Rgb{51, 0, 0}));
    EXPECT_EQ(Entry(pal, 6), (Rgb{0, 51, 0}));
    EXPECT_EQ(Entry(pal, 215), (Rgb{255, 255, 255}));
}

TEST(StandardPalettes, WebsafeEntries) {
    cPal8bpp pal;
    pal.CreateWebsafe();
    ASSERT_EQ(pal.Entries(), 256);
    const struct {
        int index;
        Rgb colour;
    } cases[] = {{0, {0, 0, 0}},         {7, {192, 192, 192}},   {8, {51, 0, 0}},    {9, {102, 0, 0}},
                 {12, {0, 51, 0}},       {215, {204, 255, 255}}, {216, {0, 0, 0}},   {217, {8, 8, 8}},
                 {247, {248, 248, 248}}, {248, {128, 128, 128}}, {249, {255, 0, 0}}, {255, {255, 255, 255}}};
    for (const auto& c : cases)
        EXPECT_EQ(Entry(pal, c.index), c.colour) << c.index;
    // The 208 cube colours between are all distinct and none has only 0 and 255 as components.
    for (int i = 8; i < 216; ++i) {
        const Rgb e = Entry(pal, i);
        const auto pure = [](int v) { return v == 0 || v == 255; };
        EXPECT_FALSE(pure(e.r) && pure(e.g) && pure(e.b)) << i;
        for (int j = 8; j < i; ++j)
            ASSERT_NE(Entry(pal, j), e) << i << " " << j;
    }
}

TEST(StandardPalettes, GreysAndEga) {
    cPal8bpp pal;
    pal.CreateGreyScale(0);
    EXPECT_EQ(Entries(pal), (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
    pal.CreateGreyScale(1);
    ASSERT_EQ(pal.Entries(), 16);
    EXPECT_EQ(Entry(pal, 1), (Rgb{17, 17, 17}));
    EXPECT_EQ(Entry(pal, 15), (Rgb{255, 255, 255}));
    pal.CreateGreyScale(2);
    ASSERT_EQ(pal.Entries(), 256);
    EXPECT_EQ(Entry(pal, 200), (Rgb{200, 200, 200}));
    EXPECT_TRUE(pal.IsGreyScale());
    pal.CreateEGA();
    ASSERT_EQ(pal.Entries(), 16);
    EXPECT_EQ(Entry(pal, 7), (Rgb{192, 192, 192}));
    EXPECT_EQ(Entry(pal, 8), (Rgb{128, 128, 128}));
    EXPECT_EQ(Entry(pal, 13), (Rgb{255, 0, 255}));
    EXPECT_FALSE(pal.IsGreyScale());
}

TEST(StandardPalettes, ModeOutOfRangeLeavesThePaletteAsItWas) {
    cPal8bpp pal;
    pal.CreateEGA();
    const std::vector<Rgb> before = Entries(pal);
    for (int mode : {-1, 3, 99})
        pal.CreateGreyScale(mode);
    for (int mode : {-1, 5, 99})
        pal.CreateHalftone(mode);
    EXPECT_EQ(Entries(pal), before);
    EXPECT_EQ(pal.ClosestIndex(255, 0, 255), 13);
}

TEST(PaletteLookUp, SmallestSquaredDistanceTiesToTheLowerIndex) {
    const cPal8bpp pal = PaletteOf({{10, 0, 0}, {0, 0, 0}, {20, 0, 0}, {0, 0, 8}, {20, 0, 0}});
    const struct {
        Rgb query;
        int index;
    } cases[] = {
        {{5, 0, 0}, 0},       // 25 to entries 0 and 1
        {{15, 0, 0}, 0},      // 25 to entries 0 and 2
        {{20, 0, 0}, 2},      // exact at 2 and 4
        {{0, 0, 5}, 3},       // 9 beats 25
        {{0, 0, 4}, 1},       // 16 to entries 1 and 3
        {{255, 255, 255}, 2}, // 185275 beats 190075 (entry 0) and 191059 (entry 3)
    };
    for (const auto& c : cases) {
        const auto r = static_cast<std::uint8_t>(c.query.r), g = static_cast<std::uint8_t>(c.query.g),
                   b = static_cast<std::uint8_t>(c.query.b);
        EXPECT_EQ(pal.ClosestIndex(r, g, b), c.index) << c.query;
        std::uint8_t outR = 1, outG = 1, outB = 1;
        pal.ClosestColor(r, g, b, outR, outG, outB);
        EXPECT_EQ((Rgb{outR, outG, outB}), Entry(pal, c.index)) << c.query;
    }
}

TEST(PaletteLookUp, WithoutALogicalPaletteGivesIndexZeroBlack) {
    cPal8bpp pal;
    pal.SetPalette({10, 20, 30, 0, 40, 50, 60, 0});
    ASSERT_EQ(pal.hPal(), nullptr);
    EXPECT_EQ(pal.ClosestIndex(60, 50, 40), 0);
    std::uint8_t r = 1, g = 1, b = 1;
    pal.ClosestColor(60, 50, 40, r, g, b);
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 0}));
    // Built, the look-up sees the entries; a later write is not seen until it is built again.
    pal.BuildLogicalPalette();
    EXPECT_EQ(pal.ClosestIndex(60, 50, 40), 1);
    pal.rgbR(0, 60);
    pal.rgbG(0, 50);
    pal.rgbB(0, 40);
    EXPECT_EQ(pal.ClosestIndex(60, 50, 40), 1);
    pal.BuildLogicalPalette();
    EXPECT_EQ(pal.ClosestIndex(60, 50, 40), 0);
}

TEST(PaletteTable, SetPaletteTakesAtMost256EntriesWhateverTheTableLength) {
    const struct {
        std::size_t bytes;
        int entries;
    } cases[] = {{0, 0}, {3, 0}, {4, 1}, {7, 1}, {1024, 256}, {1028, 256}, {4096, 256}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> table(c.bytes);
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = static_cast<std::uint8_t>(i * 7 + 1);
        cPal8bpp pal;
        pal.SetPalette(table);
        EXPECT_EQ(pal.Entries(), c.entries) << c.bytes;
        std::vector<std::uint8_t> back;
        pal.GetPalette(back);
        ASSERT_EQ(back.size(), static_cast<std::size_t>(c.entries) * 4);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), table.begin())) << c.bytes;
    }
    cPal8bpp pal;
    for (int count : {-5, 300}) {
        pal.Initialize(count);
        EXPECT_GE(pal.Entries(), 0);
        EXPECT_LE(pal.Entries(), 256);
        pal.Entries(count);
        EXPECT_GE(pal.Entries(), 0);
        EXPECT_LE(pal.Entries(), 256);
    }
}

TEST(Octree, NoReductionUpToTheMaximumLeavesInFirstAppearanceOrder) {
    const std::vector<Rgb> colours = {{255, 255, 255}, {0, 0, 0},     {192, 192, 192}, {0, 0, 255},
                                      {255, 0, 0},     {255, 0, 255}, {0, 128, 0},     {1, 2, 3}};
    std::vector<Rgb> pixels;
    for (int repeat = 0; repeat < 3; ++repeat)
        pixels.insert(pixels.end(), colours.begin(), colours.end());
    EXPECT_EQ(OctreeLeaves(pixels, 256, 8), colours);
    EXPECT_EQ(OctreeLeaves(pixels, 8, 8), colours);
    EXPECT_EQ(OctreeLeaves({{7, 8, 9}, {7, 8, 9}}, 256, 8), (std::vector<Rgb>{{7, 8, 9}}));
}

TEST(Octree, BoxesSplitAtRoundedMiddlesAndMeansRoundHalvesToEven) {
    const struct {
        const char* what;
        std::vector<Rgb> pixels;
        int depth;
        std::vector<Rgb> leaves;
    } cases[] = {
        {"128 is low at the root", {{128, 0, 0}, {0, 0, 0}}, 1, {{64, 0, 0}}},
        {"129 is high at the root", {{129, 0, 0}, {0, 0, 0}}, 1, {{129, 0, 0}, {0, 0, 0}}},
        {"1 and 2 average to 2", {{1, 1, 1}, {2, 2, 2}}, 1, {{2, 2, 2}}},
        {"2 and 3 average to 2", {{2, 2, 2}, {3, 3, 3}}, 1, {{2, 2, 2}}},
        // Depth 8: the box of 0 narrows 0..128, 0..64, ..., 0..2, 0..1, so 0 and 1 share a leaf and 2 not.
        {"0 and 1 share the deepest box", {{0, 0, 0}, {1, 0, 0}}, 8, {{0, 0, 0}}},
        {"2 has its own", {{0, 0, 0}, {2, 0, 0}}, 8, {{0, 0, 0}, {2, 0, 0}}},
        // The upper half after 128 is 128..255 with middle 192 (191.5 to even).
        {"192 is low in 128..255", {{192, 0, 0}, {129, 0, 0}}, 2, {{160, 0, 0}}},
        {"193 is high in 128..255", {{193, 0, 0}, {129, 0, 0}}, 2, {{193, 0, 0}, {129, 0, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OctreeLeaves(c.pixels, 256, c.depth), c.leaves) << c.what;
    // Weighted: 64 x 2 = 128 is low at the root, 65 x 2 high; the sums stay unweighted.
    EXPECT_EQ(OctreeLeaves({{64, 0, 0}, {0, 0, 0}}, 256, 1, 2.0f), (std::vector<Rgb>{{32, 0, 0}}));
    EXPECT_EQ(OctreeLeaves({{65, 0, 0}, {0, 0, 0}}, 256, 1, 2.0f), (std::vector<Rgb>{{65, 0, 0}, {0, 0, 0}}));
}

TEST(Octree, ReductionTakesTheDeepestNewestNodeAndLeavesKeepNodeOrder) {
    // Depth 8, at most 2 colours. (0,0,2) parts from (0,0,0) only at the deepest split, so three
    // leaves: the newest deepest node, white's, folds first (still three), then black's (two).
    EXPECT_EQ(OctreeLeaves({{0, 0, 0}, {255, 255, 255}, {0, 0, 2}}, 2, 8),
              (std::vector<Rgb>{{0, 0, 1}, {255, 255, 255}}));
    // Depth 2, at most 2: the root's children are never folded, so three stay. Black's child of the
    // root (node 2) is a leaf by then and takes (0,0,10). The freed nodes are handed out again, newest
    // freed first: (100,255,0) gets node 3, so its leaf stands second although it came last.
    EXPECT_EQ(OctreeLeaves({{0, 0, 0}, {255, 255, 255}, {200, 0, 0}, {0, 0, 10}, {100, 255, 0}}, 2, 2),
              (std::vector<Rgb>{{0, 0, 5}, {100, 255, 0}, {255, 255, 255}, {200, 0, 0}}));
}

TEST(Octree, SumsDoNotOverflowOnALargeLeaf) {
    // 8,421,505 pixels of 255 sum to more than 2^31; one row of them, read by a zero stride.
    const std::uint8_t pixel[4] = {255, 255, 255, 0};
    cPal8bppOctree tree;
    tree.Begin(256, 8, 1, 1, 1);
    tree.AddPixels(pixel, 1, 8'421'505 * 2, 0);
    const auto leaves = tree.LeafColours();
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].red, 255);
    EXPECT_EQ(leaves[0].green, 255);
    EXPECT_EQ(leaves[0].blue, 255);
}

TEST(CreateOptimal, ReadsA32BitImageAndLeavesThePaletteForAnyOtherDepth) {
    cDIB image;
    ASSERT_TRUE(image.Create(3, 2, 32));
    const std::vector<Rgb> colours = {{255, 0, 0}, {0, 0, 255}, {255, 0, 0},
                                      {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    for (int i = 0; i < 6; ++i) {
        std::uint8_t* p = image.lpBits() + (i / 3) * image.BytesPerScanline() + (i % 3) * 4;
        p[0] = static_cast<std::uint8_t>(colours[static_cast<std::size_t>(i)].b);
        p[1] = static_cast<std::uint8_t>(colours[static_cast<std::size_t>(i)].g);
        p[2] = static_cast<std::uint8_t>(colours[static_cast<std::size_t>(i)].r);
    }
    cPal8bpp pal;
    pal.CreateOptimal(image, 256, 8, 1, 1, 1);
    EXPECT_EQ(Entries(pal), (std::vector<Rgb>{{255, 0, 0}, {0, 0, 255}, {0, 255, 0}, {9, 9, 9}}));
    EXPECT_EQ(pal.ClosestIndex(250, 5, 5), 0);
    // A depth above 8 counts as 8, and more than 256 colours as 256: the same palette.
    cPal8bpp deep;
    deep.CreateOptimal(image, 1000, 12, 1, 1, 1);
    EXPECT_EQ(Entries(deep), Entries(pal));

    for (int depth : {1, 4, 8, 24}) {
        cDIB other;
        ASSERT_TRUE(other.Create(3, 2, depth));
        cPal8bpp kept;
        kept.CreateEGA();
        kept.CreateOptimal(other, 256, 8, 1, 1, 1);
        EXPECT_EQ(kept.Entries(), 16) << depth;
        EXPECT_EQ(Entry(kept, 13), (Rgb{255, 0, 255})) << depth;
    }
}
