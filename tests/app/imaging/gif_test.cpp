// The GIF writer: the file layout, the LZW coder's codes, hand-worked files byte for byte, and a
// corpus that Pillow and giflib must read back to exactly the indices and palette written.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "GifDecoders.h"
#include "GifTestImages.h"
#include "imaging/cDIB.h"
#include "imaging/cPal8bpp.h"
#include "imaging/mGIFSave.h"

using imaging::cDIB;
using imaging::cPal8bpp;
using imaging::WriteGIF;

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

fs::path OutputDir() {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "gif";
    fs::create_directories(dir);
    return dir;
}

std::string OutputFile(const std::string& name) {
    return (OutputDir() / name).string();
}

using gifimages::IndexImage;

cPal8bpp Palette(const std::vector<gifcheck::Rgb>& colours) {
    return gifimages::Palette(colours);
}

// A palette of n distinct colours.
cPal8bpp Palette(int n) {
    std::vector<gifcheck::Rgb> colours;
    for (int i = 0; i < n; ++i)
        colours.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 37)});
    return Palette(colours);
}

Bytes FileBytes(const std::string& path) {
    const std::string s = gifcheck::ReadAll(path);
    return {s.begin(), s.end()};
}

// The parts of a GIF file, read by its layout.
struct Parsed {
    std::string signature;
    int width = 0, height = 0;
    int screenByte = 0;
    Bytes table;
    Bytes extensions; // every byte between the colour table and the image separator
    int imagePacked = -1;
    int codeSize = 0;
    std::vector<int> blockSizes;
    Bytes data;           // the sub-blocks' data joined
    bool trailer = false; // the terminator 0x00, then 0x3B, ending the file
};

Parsed Parse(const Bytes& f) {
    Parsed p;
    p.signature.assign(f.begin(), f.begin() + 6);
    p.width = f[6] | (f[7] << 8);
    p.height = f[8] | (f[9] << 8);
    p.screenByte = f[10];
    std::size_t at = 13;
    const std::size_t tableBytes = 3u << ((p.screenByte & 7) + 1);
    p.table.assign(f.begin() + 13, f.begin() + static_cast<std::ptrdiff_t>(13 + tableBytes));
    at += tableBytes;
    while (f.at(at) == 0x21) {
        const std::size_t start = at;
        at += 2;
        while (f.at(at) != 0)
            at += f[at] + 1u;
        ++at;
        p.extensions.insert(p.extensions.end(), f.begin() + static_cast<std::ptrdiff_t>(start),
                            f.begin() + static_cast<std::ptrdiff_t>(at));
    }
    EXPECT_EQ(f.at(at), 0x2C);
    p.imagePacked = f.at(at + 9);
    p.codeSize = f.at(at + 10);
    at += 11;
    while (f.at(at) != 0) {
        p.blockSizes.push_back(f[at]);
        p.data.insert(p.data.end(), f.begin() + static_cast<std::ptrdiff_t>(at + 1),
                      f.begin() + static_cast<std::ptrdiff_t>(at + 1 + f[at]));
        at += f[at] + 1u;
    }
    p.trailer = at + 2 == f.size() && f[at + 1] == 0x3B;
    return p;
}

// The codes of the data as a decoder reads them: each code's value and width, the width growing when
// the decoder's next entry reaches 2^width (at most 12 bits) and returning at a clear code.
struct CodeStream {
    std::vector<std::pair<int, int>> codes; // value, width
    int clears = 0;
    int widest = 0;
    bool clearsOnlyWhenFull = true;  // every clear after the first comes with 4096 entries
    bool fullOnlyBeforeClear = true; // a full table is always followed by a clear
};

CodeStream ReadCodes(const Bytes& data, int codeSize) {
    CodeStream s;
    const int clear = 1 << codeSize;
    const int end = clear + 1;
    int width = codeSize + 1;
    int next = end + 1;
    bool first = true;
    std::size_t bit = 0;
    while (bit + static_cast<std::size_t>(width) <= data.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        s.codes.push_back({code, width});
        s.widest = std::max(s.widest, width);
        if (code == clear) {
            if (s.codes.size() > 1 && next != 4096)
                s.clearsOnlyWhenFull = false;
            ++s.clears;
            width = codeSize + 1;
            next = end + 1;
            first = true;
            continue;
        }
        if (next == 4096)
            s.fullOnlyBeforeClear = false;
        if (code == end)
            break;
        if (!first)
            ++next;
        first = false;
        if (next == (1 << width) && width < 12)
            ++width;
    }
    return s;
}

} // namespace

// Worked by hand from the layout and the coder. Codes are packed least significant bit first; the
// code width is c + 1 bits at first and grows by one after the code at which the coder's next free
// code passes the largest code of the width.
TEST(GifGolden, HandWorkedFilesByteForByte) {
    const struct {
        const char* name;
        int width, height;
        std::vector<int> indices;
        std::vector<gifcheck::Rgb> palette;
        Bytes expected;
    } cases[] = {
        // 1 x 1, 2 colours, index 1. b = 1: screen byte 0xF0, a 6-byte table, code size 2, so codes of
        // 3 bits, clear 4, end 5, first free code 6 (largest of 3 bits: 7, never passed).
        // Codes: clear 4, the pixel 1, end 5 = 100 | 001 | 101 from bit 0:
        // 4 + 1x8 + 5x64 = 332 = 0x014C: bytes 4C 01, one sub-block of 2.
        {"golden_1x1.gif", 1, 1, {1}, {{0, 0, 0}, {255, 255, 255}}, {'G',  'I',  'F',  '8',  '7', 'a', 1,
                                                                     0,    1,    0,    0xF0, 0,   0,   //
                                                                     0,    0,    0,    255,  255, 255, //
                                                                     0x2C, 0,    0,    0,    0,   1,   0,
                                                                     1,    0,    0x00, 2, //
                                                                     2,    0x4C, 0x01, 0,    0x3B}},
        // 4 x 1 of index 1, 3 colours. b = 2: screen byte 0xF1, a table of 4 (the fourth black), image
        // packed byte 1, code size 2: 3-bit codes, clear 4, end 5.
        // clear 4; prefix 1, k 1: "1 1" is new: out 1, code 6 = "1 1" (free 7); k 1: "1 1" found, prefix
        // 6; k 1: "6 1" new: out 6, code 7 (free 8); end of pixels: out 1 - written at 3 bits, after
        // which free 8 passes 7 and the width becomes 4 - then end 5 at 4 bits.
        // 4 | 1<<3 | 6<<6 | 1<<9 | 5<<12 = 4 + 8 + 384 + 512 + 20480 = 21388 = 0x538C: bytes 8C 53.
        {"golden_4x1.gif",
         4,
         1,
         {1, 1, 1, 1},
         {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
         {'G',  'I',  'F',  '8', '7', 'a', 4, 0, 1,   0,    0xF1, 0, 0, //
          255,  0,    0,    0,   255, 0,   0, 0, 255, 0,    0,    0,    //
          0x2C, 0,    0,    0,   0,   4,   0, 1, 0,   0x01, 2,          //
          2,    0x8C, 0x53, 0,   0x3B}},
        // 3 x 3 of 4 colours, rows 0 1 2 / 3 0 1 / 2 3 0: the pixels 0 1 2 3 0 1 2 3 0. b = 2, code size 2.
        // clear 4 (3 bits); "0 1" new: out 0, 6 = 01; "1 2": out 1, 7 = 12; "2 3": out 2 (3 bits, then
        // free 8 passes 7: width 4), 8 = 23; "3 0": out 3, 9 = 30; "0 1" found (6); "6 2": out 6,
        // 10 = 012; "2 3" found (8); "8 0": out 8, 11 = 230; end: out 0, then end 5, all at 4 bits.
        // Bits: 4@0, 0@3, 1@6, 2@9, 3@12, 6@16, 8@20, 0@24, 5@28:
        // byte 0 = 4 + 64 = 0x44; byte 1 = (2<<1) + (3<<4) = 0x34; byte 2 = 6 + (8<<4) = 0x86;
        // byte 3 = 0 + (5<<4) = 0x50.
        {"golden_3x3.gif",
         3,
         3,
         {0, 1, 2, 3, 0, 1, 2, 3, 0},
         {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}},
         {'G',  'I',  'F',  '8',  '7',  'a', 3,   0, 3, 0,    0xF1, 0,   0, //
          0,    0,    0,    255,  255,  255, 255, 0, 0, 0,    0,    255,    //
          0x2C, 0,    0,    0,    0,    3,   0,   3, 0, 0x01, 2,            //
          4,    0x44, 0x34, 0x86, 0x50, 0,   0x3B}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image =
            IndexImage(c.width, c.height, [&](int x, int y) { return c.indices[y * c.width + x]; });
        const cPal8bpp palette = Palette(c.palette);
        const std::string path = OutputFile(c.name);
        const auto result = WriteGIF(path, *image, palette);
        ASSERT_TRUE(result) << result.reason;
        EXPECT_EQ(FileBytes(path), c.expected);
        gifcheck::ExpectDecodersRead(path, *image, palette);
    }
}

TEST(GifLayout, ScreenTableAndCodeSizeFollowTheEntryCount) {
    const struct {
        int entries, screenByte, tableEntries, codeSize;
    } cases[] = {{2, 0xF0, 2, 2},   {3, 0xF1, 4, 2},   {4, 0xF1, 4, 2},     {5, 0xF2, 8, 3},
                 {16, 0xF3, 16, 4}, {17, 0xF4, 32, 5}, {129, 0xF7, 256, 8}, {256, 0xF7, 256, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        const auto image = IndexImage(7, 3, [&](int x, int y) { return (x + 7 * y) % c.entries; });
        const cPal8bpp palette = Palette(c.entries);
        std::string bytes;
        ASSERT_TRUE(imaging::EncodeGIF(*image, palette, -1, false, {}, bytes));
        const Parsed p = Parse(Bytes(bytes.begin(), bytes.end()));
        EXPECT_EQ(p.signature, "GIF87a");
        EXPECT_EQ(p.width, 7);
        EXPECT_EQ(p.height, 3);
        EXPECT_EQ(p.screenByte, c.screenByte);
        ASSERT_EQ(p.table.size(), 3u * static_cast<std::size_t>(c.tableEntries));
        for (int i = c.entries * 3; i < c.tableEntries * 3; ++i)
            ASSERT_EQ(p.table[static_cast<std::size_t>(i)], 0) << "padding entry " << i / 3;
        EXPECT_EQ(p.table[3], palette.rgbR(1));
        EXPECT_EQ(p.imagePacked, c.screenByte & 7);
        EXPECT_EQ(p.codeSize, c.codeSize);
        EXPECT_TRUE(p.extensions.empty());
        EXPECT_TRUE(p.trailer);
        const std::string path = OutputFile("layout_" + std::to_string(c.entries) + ".gif");
        EXPECT_TRUE(WriteGIF(path, *image, palette));
        gifcheck::ExpectDecodersRead(path, *image, palette);
    }
}

TEST(GifCoder, WidthsGrowToTwelveBitsAndClearAt4096Codes) {
    // Noise over 256 colours fills the table many times: a clear each time 4096 codes are in use,
    // never earlier, and no code read with a full table but the clear.
    std::mt19937 random(16);
    const auto image = IndexImage(512, 512, [&](int, int) { return static_cast<int>(random() & 255); });
    const cPal8bpp palette = Palette(256);
    const std::string path = OutputFile("noise_512.gif");
    ASSERT_TRUE(WriteGIF(path, *image, palette));
    const Parsed p = Parse(FileBytes(path));
    const CodeStream s = ReadCodes(p.data, p.codeSize);
    ASSERT_GE(s.codes.size(), 2u);
    EXPECT_EQ(s.codes.front(), (std::pair{256, 9}));
    EXPECT_EQ(s.codes.back().first, 257);
    EXPECT_EQ(s.widest, 12);
    EXPECT_GT(s.clears, 10);
    EXPECT_TRUE(s.clearsOnlyWhenFull);
    EXPECT_TRUE(s.fullOnlyBeforeClear);
    // Every sub-block but the last holds 254 bytes.
    ASSERT_GT(p.blockSizes.size(), 2u);
    for (std::size_t i = 0; i + 1 < p.blockSizes.size(); ++i)
        ASSERT_EQ(p.blockSizes[i], 254) << i;
    EXPECT_GE(p.blockSizes.back(), 1);
    EXPECT_LE(p.blockSizes.back(), 254);
    gifcheck::ExpectDecodersRead(path, *image, palette);

    // Two colours: codes from 3 bits, clear 4, end 5; a ramp of run lengths grows them to 12 too.
    const auto runs =
        IndexImage(640, 480, [&](int x, int y) { return ((x / 3) ^ (y / 5) ^ (x * y % 7)) & 1; });
    const cPal8bpp two = Palette(2);
    const std::string runsPath = OutputFile("two_colours.gif");
    ASSERT_TRUE(WriteGIF(runsPath, *runs, two));
    const Parsed q = Parse(FileBytes(runsPath));
    const CodeStream t = ReadCodes(q.data, q.codeSize);
    EXPECT_EQ(t.codes.front(), (std::pair{4, 3}));
    EXPECT_EQ(t.codes.back().first, 5);
    EXPECT_EQ(t.widest, 12);
    EXPECT_TRUE(t.clearsOnlyWhenFull);
    EXPECT_TRUE(t.fullOnlyBeforeClear);
    gifcheck::ExpectDecodersRead(runsPath, *runs, two);
}

TEST(GifCorpus, DecodersReadExactlyWhatWasWritten) {
    std::mt19937 random(5);
    const struct {
        const char* name;
        int width, height, entries;
        bool interlace;
    } cases[] = {
        {"1x1", 1, 1, 2, false},         {"1x300", 1, 300, 16, false}, {"300x1", 300, 1, 17, false},
        {"5x3", 5, 3, 4, false},         {"7x2", 7, 2, 256, false},    {"13x11", 13, 11, 17, false},
        {"101x67", 101, 67, 256, false}, {"2x2_16", 2, 2, 16, false},  {"33x9", 33, 9, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto image =
            IndexImage(c.width, c.height, [&](int, int) { return static_cast<int>(random() % c.entries); });
        const cPal8bpp palette = Palette(c.entries);
        const std::string path = OutputFile(std::string("corpus_") + c.name + ".gif");
        ASSERT_TRUE(WriteGIF(path, *image, palette, -1, c.interlace));
        gifcheck::ExpectDecodersRead(path, *image, palette);
    }
    // One colour over a large image: long *runs, the table filled by ever longer strings.
    const auto constant = IndexImage(1000, 700, [](int, int) { return 3; });
    const cPal8bpp palette = Palette(4);
    const std::string path = OutputFile("corpus_constant.gif");
    ASSERT_TRUE(WriteGIF(path, *constant, palette));
    gifcheck::ExpectDecodersRead(path, *constant, palette);
}

TEST(GifCorpus, InterlaceOnlyAboveFourRowsInTheFourPasses) {
    for (int height = 1; height <= 9; ++height) {
        SCOPED_TRACE(height);
        // Each row its own index, so that a row out of place shows.
        const auto image = IndexImage(6, height, [](int x, int y) { return (y * 3 + x) % 16; });
        const cPal8bpp palette = Palette(16);
        const std::string path = OutputFile("interlaced_" + std::to_string(height) + ".gif");
        ASSERT_TRUE(WriteGIF(path, *image, palette, -1, true));
        const Bytes bytes = FileBytes(path);
        const Parsed p = Parse(bytes);
        EXPECT_EQ(p.imagePacked, height > 4 ? 0x43 : 0x03);
        gifcheck::ExpectDecodersRead(path, *image, palette);
        // The file's row order: giftext gives the rows as stored.
        const std::string raw = path + ".rows";
        ASSERT_TRUE(gifcheck::Run(std::string(GIFTEXT) + " -r '" + path + "' > '" + raw + "'"));
        const std::string stored = gifcheck::ReadAll(raw);
        std::remove(raw.c_str());
        std::vector<int> rows;
        for (int y = 0; y < height; ++y)
            rows.push_back(y);
        if (height > 4)
            rows = gifcheck::InterlacedRows(height);
        ASSERT_EQ(stored.size(), static_cast<std::size_t>(6 * height));
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(static_cast<std::uint8_t>(stored[i * 6]), (rows[i] * 3) % 16) << "stored row " << i;
    }
    const std::vector<int> five = gifcheck::InterlacedRows(5);
    EXPECT_EQ(five, (std::vector<int>{0, 4, 2, 1, 3}));
}

TEST(GifExtensions, CommentSplitIntoSubBlocksAndTransparency) {
    const auto image = IndexImage(4, 4, [](int x, int y) { return (x + y) % 3; });
    const cPal8bpp palette = Palette(3);
    const std::string longComment = std::string(255, 'a') + std::string(100, 'b');
    const struct {
        const char* name;
        int transparent;
        std::string comment;
        Bytes extensions;
    } cases[] = {
        {"short", -1, "Pellon", {0x21, 0xFE, 6, 'P', 'e', 'l', 'l', 'o', 'n', 0}},
        {"transparent", 2, "", {0x21, 0xF9, 4, 1, 0, 0, 2, 0}},
        {"both", 0, "x", {0x21, 0xFE, 1, 'x', 0, 0x21, 0xF9, 4, 1, 0, 0, 0, 0}},
        {"long", -1, longComment, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = OutputFile(std::string("extension_") + c.name + ".gif");
        ASSERT_TRUE(WriteGIF(path, *image, palette, c.transparent, false, c.comment));
        const Parsed p = Parse(FileBytes(path));
        EXPECT_EQ(p.signature, "GIF89a");
        if (c.extensions.empty()) {
            // 255 characters, then 100, then the terminator.
            ASSERT_EQ(p.extensions.size(), 2u + 1 + 255 + 1 + 100 + 1);
            EXPECT_EQ(p.extensions[2], 255);
            EXPECT_EQ(p.extensions[3 + 255], 100);
            EXPECT_EQ(p.extensions.back(), 0);
        } else {
            EXPECT_EQ(p.extensions, c.extensions);
        }
        const gifcheck::Decoded d = gifcheck::Pillow(path);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.comment, c.comment);
        EXPECT_EQ(d.transparent, c.transparent);
        gifcheck::ExpectDecodersRead(path, *image, palette);
    }
}

TEST(GifWrite, RefusalsTouchNoFile) {
    const std::string path = OutputFile("refused.gif");
    const std::string before = "not a gif, and must stay";
    plat::WriteFileAtomically(path, before);
    cDIB deep;
    ASSERT_TRUE(deep.Create(4, 4, 32));
    cDIB empty;
    const auto wide = IndexImage(65536, 1, [](int, int) { return 0; });
    const auto high = IndexImage(1, 65536, [](int, int) { return 0; });
    const auto small = IndexImage(3, 2, [](int x, int) { return x; });
    const auto five = IndexImage(3, 2, [](int x, int) { return x == 2 ? 4 : x; });
    const struct {
        const char* what;
        const cDIB& image;
        cPal8bpp palette;
        int transparent;
    } cases[] = {
        {"32 bits", deep, Palette(4), -1},
        {"empty image", empty, Palette(4), -1},
        {"wider than 65535", *wide, Palette(2), -1},
        {"higher than 65535", *high, Palette(2), -1},
        {"one entry", *small, Palette(1), -1},
        {"no entries", *small, Palette(0), -1},
        {"index past the table of 4", *five, Palette(3), -1},
        {"transparent index past 255", *small, Palette(3), 256},
    };
    for (const auto& c : cases) {
        const auto result = WriteGIF(path, c.image, c.palette, c.transparent);
        EXPECT_FALSE(result) << c.what;
        EXPECT_FALSE(result.reason.empty()) << c.what;
        EXPECT_EQ(gifcheck::ReadAll(path), before) << c.what;
    }
    // A side of exactly 65535 is written.
    const auto widest = IndexImage(65535, 1, [](int x, int) { return x & 1; });
    EXPECT_TRUE(WriteGIF(OutputFile("widest.gif"), *widest, Palette(2)));
}

TEST(GifWrite, ReplacesAWholeFileAndFailsWithoutTouchingIt) {
    const fs::path dir = OutputDir() / "replace";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "plot.gif").string();
    const auto big = IndexImage(300, 300, [](int x, int y) { return (x * y) & 255; });
    const auto small = IndexImage(2, 2, [](int x, int) { return x; });
    ASSERT_TRUE(WriteGIF(path, *big, Palette(256)));
    const auto bigSize = fs::file_size(path);
    ASSERT_TRUE(WriteGIF(path, *small, Palette(2)));
    std::string alone;
    ASSERT_TRUE(imaging::EncodeGIF(*small, Palette(2), -1, false, {}, alone));
    EXPECT_EQ(gifcheck::ReadAll(path), alone);
    EXPECT_LT(fs::file_size(path), bigSize);

    // A target that cannot be written: a folder of that name, or a missing folder. The reason is
    // given and nothing is left behind.
    fs::create_directories(dir / "folder.gif");
    const auto intoFolder = WriteGIF((dir / "folder.gif").string(), *small, Palette(2));
    EXPECT_FALSE(intoFolder);
    EXPECT_FALSE(intoFolder.reason.empty());
    const auto missing = WriteGIF((dir / "no" / "such.gif").string(), *small, Palette(2));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(gifcheck::ReadAll(path), alone);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++entries;
    EXPECT_EQ(entries, 2); // plot.gif and folder.gif: no temporary file stays
}
