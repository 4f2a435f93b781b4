// BMP files: the reader against Pillow's decoding, the 24-bit writer read back by Pillow, and bad
// input of every kind taking the failure path.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"
#include "imaging/cDIB.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using plat::PixelBuffer;
using plat::PixelFormat;
using plat::RGB;

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every pixel of the image against top-down RGB triples; the first difference, or "".
std::string Differences(const PixelBuffer& image, const Bytes& rgb) {
    if (rgb.size() != static_cast<std::size_t>(image.Width()) * image.Height() * 3) {
        return "sizes differ";
    }
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * image.Width() + x) * 3;
            const plat::Colour expected = RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
            if (image.Pixel(x, y) != expected) {
                std::ostringstream s;
                s << "pixel (" << x << ", " << y << ") is " << std::hex << image.Pixel(x, y) << ", not "
                  << expected;
                return s.str();
            }
        }
    }
    return "";
}

TEST(BmpReader, ReadsPillowsFilesOfEveryDepthAndLayoutToTheSamePixels) {
    std::ifstream cases(fs::path(BMP_CORPUS_DIR) / "cases.txt");
    ASSERT_TRUE(cases) << "the corpus is made by the test imaging_bmp_corpus";
    std::string name;
    int width = 0, height = 0, bits = 0, count = 0;
    while (cases >> name >> width >> height >> bits) {
        ++count;
        imaging::cDIB dib;
        const fs::path bmp = fs::path(BMP_CORPUS_DIR) / (name + ".bmp");
        EXPECT_EQ(dib.CreateFromBitmapFile(bmp.string()), bits) << name;
        ASSERT_NE(dib.hDIBDC(), nullptr) << name;
        EXPECT_EQ(dib.Width(), width) << name;
        EXPECT_EQ(dib.Height(), height) << name;
        EXPECT_EQ(Differences(*dib.hDIBDC(), ReadAll(fs::path(BMP_CORPUS_DIR) / (name + ".rgb"))), "")
            << name;
    }
    EXPECT_GE(count, 24);
}

// A picture of 17 x 5 (rows of 51 bytes, padded to 52) with a pattern in every component.
PixelBuffer Pattern(PixelFormat format) {
    PixelBuffer picture(17, 5, format);
    for (int i = 0; i < picture.TableSize(); ++i) {
        picture.Colours()[static_cast<std::size_t>(i)] =
            static_cast<std::uint32_t>(i * 0x010305 + 0x100000 * (i % 3));
    }
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Indexed()) {
                picture.SetIndex(x, y, static_cast<std::uint8_t>((x * 7 + y) % picture.TableSize()));
            } else {
                picture.SetPixel(x, y, RGB(x * 15, y * 50 + 3, 255 - x * y));
            }
        }
    }
    return picture;
}

TEST(BmpWriter, WritesA24BitBottomUpFileThatPillowAndTheReaderReadToTheSamePixels) {
    const PixelFormat formats[] = {PixelFormat::Bgrx32, PixelFormat::Indexed8, PixelFormat::Indexed1,
                                   PixelFormat::Indexed4, PixelFormat::Bgr24};
    for (const PixelFormat format : formats) {
        const PixelBuffer picture = Pattern(format);
        const int bits = picture.BitsPerPixel();
        const fs::path bmp = fs::path(TEST_OUTPUT_DIR) / ("bmp-writer-" + std::to_string(bits) + ".bmp");
        const fs::path rgb = fs::path(bmp).replace_extension(".rgb");
        ASSERT_TRUE(imaging::SavePicture(picture, bmp.string())) << bits;
        const Bytes file = ReadAll(bmp);
        ASSERT_EQ(file.size(), 54u + 52u * 5u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[28], 24) << "24 bits per pixel";
        EXPECT_EQ(file[22], 5) << "a positive height: bottom-up";
        EXPECT_EQ(file[10], 54) << "pixels right after the headers";
        // The bottom row comes first: its first pixel is (0, 4).
        const plat::Colour bottomLeft = picture.Pixel(0, 4);
        EXPECT_EQ(file[54], plat::GetBValue(bottomLeft));
        EXPECT_EQ(file[56], plat::GetRValue(bottomLeft));

        const std::string command = std::string("\"") + PYTHON_WITH_PIL + "\" \"" + BMP_PILLOW_SCRIPT +
                                    "\" decode \"" + bmp.string() + "\" \"" + rgb.string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(Differences(picture, ReadAll(rgb)), "") << "Pillow, from " << bits << " bits";

        imaging::cDIB back;
        EXPECT_EQ(back.CreateFromBitmapFile(bmp.string()), 32);
        ASSERT_NE(back.hDIBDC(), nullptr);
        EXPECT_EQ(Differences(*back.hDIBDC(), ReadAll(rgb)), "") << "the reader, from " << bits << " bits";
    }
}

TEST(BmpWriter, SavePictureRefusesAnEmptyPictureAndLeavesTheOldFileOnFailure) {
    const fs::path target = fs::path(TEST_OUTPUT_DIR) / "bmp-writer-refused.bmp";
    WriteAll(target, Bytes{1, 2, 3});
    const plat::FileWriteResult empty = imaging::SavePicture(PixelBuffer(), target.string());
    EXPECT_FALSE(empty);
    EXPECT_FALSE(empty.reason.empty());
    EXPECT_EQ(ReadAll(target), (Bytes{1, 2, 3}));
    const plat::FileWriteResult noFolder = imaging::SavePicture(
        Pattern(PixelFormat::Bgrx32), (target.parent_path() / "no such folder" / "a.bmp").string());
    EXPECT_FALSE(noFolder);
    EXPECT_FALSE(noFolder.reason.empty());
}

// ---- bad input ----

void Put(Bytes& b, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A BMP file with an info header: `table` entries of 4 bytes (entry i grey i * 16) and the pixel
// bytes as given.
Bytes Bmp(int width, int height, int bits, std::uint32_t compression, int table, const Bytes& pixels) {
    const std::size_t offset = 54 + 4 * static_cast<std::size_t>(table);
    Bytes b(offset, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(offset + pixels.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(width), 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    Put(b, 30, compression, 4);
    Put(b, 46, static_cast<std::uint32_t>(table), 4);
    for (int i = 0; i < table; ++i) {
        Put(b, 54 + 4 * static_cast<std::size_t>(i), static_cast<std::uint32_t>(i * 16 * 0x010101), 4);
    }
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// 3 x 2 at 8 bits: rows of 4 bytes, bottom row first.
Bytes Indexed8() {
    return Bmp(3, 2, 8, 0, 16, Bytes{4, 5, 6, 0, 1, 2, 3, 0});
}
// 4 x 3 in RLE8 (rows from the bottom): a run of two, a jump right 1 and up 1, one pixel, end of
// line, three absolute pixels (padded to a word), end of bitmap.
Bytes Rle8(const Bytes& stream) {
    return Bmp(4, 3, 8, 1, 16, stream);
}
const Bytes kRleStream{2, 7, 0, 2, 1, 1, 1, 8, 0, 0, 0, 3, 9, 10, 11, 0, 0, 1};

bool Decodes(const Bytes& file) {
    PixelBuffer image(1, 1, PixelFormat::Bgrx32);
    const bool decoded = imaging::DecodeBmp(file, image);
    EXPECT_EQ(image.Empty(), !decoded) << "a failure leaves no image";
    return decoded;
}

TEST(BmpReader, RunLengthRunsJumpsAndAbsoluteRunsLandWhereTheyShould) {
    PixelBuffer image;
    ASSERT_TRUE(imaging::DecodeBmp(Rle8(kRleStream), image));
    ASSERT_EQ(image.Format(), PixelFormat::Indexed8);
    // Top row first; the pixels the jump passes over keep index 0.
    const int expected[3][4] = {{9, 10, 11, 0}, {0, 0, 0, 8}, {7, 7, 0, 0}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.Index(x, y), expected[y][x]) << x << ", " << y;
        }
    }
    EXPECT_EQ(image.Pixel(3, 1), RGB(128, 128, 128)) << "entry 8 of the table";
}

TEST(BmpReader, TwoBitFilesBecomeFourBitsAndTheOldCoreHeaderReads) {
    // 5 x 1 at 2 bits: indices 0 1 2 3 1 in the bytes 00011011 01000000, four grey entries.
    PixelBuffer image;
    ASSERT_TRUE(imaging::DecodeBmp(Bmp(5, 1, 2, 0, 4, Bytes{0x1B, 0x40, 0, 0}), image));
    ASSERT_EQ(image.Format(), PixelFormat::Indexed4);
    const int indices[] = {0, 1, 2, 3, 1};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.Index(x, 0), indices[x]);
    }
    EXPECT_EQ(image.Pixel(3, 0), RGB(48, 48, 48));
    EXPECT_FALSE(imaging::DecodeBmp(Bmp(5, 1, 2, 0, 5, Bytes(4, 0)), image)) << "5 colours on 2 bits";

    // The 12-byte core header: 16-bit sizes, a table of 3-byte entries (blue, green, red).
    const Bytes parts[] = {
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0}, // file header, pixels at 32
        {12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 1, 0},           // 3 x 2, 1 plane, 1 bit
        {0, 0, 0, 10, 20, 30},                           // black, then blue 10 green 20 red 30
        {0x40, 0, 0, 0, 0xA0, 0, 0, 0},                  // bottom row, then top row
    };
    Bytes core;
    for (const Bytes& part : parts) {
        core.insert(core.end(), part.begin(), part.end());
    }
    ASSERT_TRUE(imaging::DecodeBmp(core, image));
    ASSERT_EQ(image.Format(), PixelFormat::Indexed1);
    EXPECT_EQ(image.Pixel(0, 0), RGB(30, 20, 10));
    EXPECT_EQ(image.Pixel(1, 0), 0u);
    EXPECT_EQ(image.Pixel(2, 0), RGB(30, 20, 10));
    EXPECT_EQ(image.Pixel(1, 1), RGB(30, 20, 10));
    EXPECT_EQ(image.Pixel(0, 1), 0u);
}

TEST(BmpReader, TakesTheLargestSidesAndRefusesLarger) {
    // 32768 x 2 at 1 bit: rows of 4096 bytes.
    EXPECT_TRUE(Decodes(Bmp(32768, 2, 1, 0, 2, Bytes(8192, 0xAA))));
    EXPECT_TRUE(Decodes(Bmp(2, -32768, 1, 0, 2, Bytes(4 * 32768, 0))));
}

TEST(BmpReader, AnyCutOfAFileFails) {
    const Bytes files[] = {Indexed8(), Rle8(kRleStream), Bmp(5, 2, 24, 0, 0, Bytes(32, 1)),
                           Bmp(3, 2, 4, 2, 16, Bytes{3, 0x12, 0, 0, 2, 0x34, 0, 1})};
    for (const Bytes& file : files) {
        ASSERT_TRUE(Decodes(file));
        for (std::size_t length = 0; length < file.size(); ++length) {
            EXPECT_FALSE(Decodes(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length))))
                << length << " of " << file.size();
        }
    }
}

TEST(BmpReader, LyingOrUnknownFieldsFail) {
    struct Case {
        const char* what;
        std::size_t at;
        int bytes;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"not BM", 0, 1, 'X'},
        {"pixels past the end", 10, 4, 1000},
        {"pixels at 2^32 - 1", 10, 4, 0xFFFFFFFF},
        {"pixels inside the colour table", 10, 4, 60},
        {"pixels at 0", 10, 4, 0},
        {"header size 41", 14, 4, 41},
        {"header size 64 (OS/2)", 14, 4, 64},
        {"header size larger than the file", 14, 4, 124},
        {"width 0", 18, 4, 0},
        {"negative width", 18, 4, static_cast<std::uint32_t>(-3)},
        {"height 0", 22, 4, 0},
        {"height -2^31", 22, 4, 0x80000000},
        {"width 32769", 18, 4, 32769},
        {"height 32769", 22, 4, 32769},
        {"height -32769", 22, 4, static_cast<std::uint32_t>(-32769)},
        {"rows longer than the data", 18, 4, 9},
        {"planes 0", 26, 2, 0},
        {"planes 2", 26, 2, 2},
        {"depth 0", 28, 2, 0},
        {"depth 3", 28, 2, 3},
        {"depth 64", 28, 2, 64},
        {"RLE4 on 8 bits", 30, 4, 2},
        {"bit fields on 8 bits", 30, 4, 3},
        {"JPEG", 30, 4, 4},
        {"PNG", 30, 4, 5},
        {"alpha bit fields", 30, 4, 6},
        {"compression 2^32 - 1", 30, 4, 0xFFFFFFFF},
        {"257 colours on 8 bits", 46, 4, 257},
        {"more colours than the file holds", 46, 4, 200},
    };
    for (const Case& c : cases) {
        Bytes file = Indexed8();
        Put(file, c.at, c.value, c.bytes);
        EXPECT_FALSE(Decodes(file)) << c.what;
    }
    // Sizes above the limit fail before any allocation: 8193 x 8192 x 4 bytes is over 256 MiB.
    EXPECT_FALSE(Decodes(Bmp(8193, 8192, 24, 0, 0, Bytes(16, 0))));
    EXPECT_FALSE(Decodes(Bmp(32768, 32768, 32, 0, 0, Bytes(16, 0))));
    // A depth that cannot index the colours it names.
    EXPECT_FALSE(Decodes(Bmp(3, 2, 1, 0, 3, Bytes(8, 0))));
    Bytes topDownRle = Rle8(kRleStream);
    Put(topDownRle, 22, static_cast<std::uint32_t>(-3), 4);
    EXPECT_FALSE(Decodes(topDownRle)) << "a top-down run-length file";
    EXPECT_FALSE(Decodes(Bmp(3, 2, 24, 3, 0, Bytes(16, 0)))) << "bit fields on 24 bits";
}

TEST(BmpReader, RunLengthStreamsThatLeaveTheImageFail) {
    struct Case {
        const char* what;
        Bytes stream;
    };
    const Case cases[] = {
        {"a run past the row", {5, 1, 0, 1}},
        {"runs that add up past the row", {3, 1, 2, 1, 0, 1}},
        {"absolute pixels past the row", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"a jump past the right edge", {0, 2, 5, 0, 0, 1}},
        {"a jump past the top", {0, 2, 0, 4, 0, 1}},
        {"a run above the top row", {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}},
        {"a jump cut short", {0, 2, 1}},
        {"absolute pixels cut short", {0, 4, 1, 2}},
        {"no end of bitmap", {2, 7}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Decodes(Rle8(c.stream))) << c.what;
    }
    // The same rules hold for 4 bits: 3 x 2 with runs of nibbles.
    EXPECT_FALSE(Decodes(Bmp(3, 2, 4, 2, 16, Bytes{4, 0x12, 0, 1})));
    EXPECT_FALSE(Decodes(Bmp(3, 2, 4, 2, 16, Bytes{0, 4, 0x12, 0x34, 0, 1})));
}

TEST(BmpReader, AMissingOrEmptyFileGivesNoImage) {
    const fs::path empty = fs::path(TEST_OUTPUT_DIR) / "bmp-empty.bmp";
    WriteAll(empty, Bytes{});
    const fs::path cut = fs::path(TEST_OUTPUT_DIR) / "bmp-cut.bmp";
    const Bytes whole = Indexed8();
    WriteAll(cut, Bytes(whole.begin(), whole.end() - 1));
    for (const fs::path& path :
         {empty, cut, fs::path(TEST_OUTPUT_DIR) / "no-such-file.bmp", fs::path(TEST_OUTPUT_DIR)}) {
        imaging::cDIB dib;
        ASSERT_TRUE(dib.Create(2, 2, 32));
        EXPECT_EQ(dib.CreateFromBitmapFile(path.string()), 0) << path;
        EXPECT_EQ(dib.hDIBDC(), nullptr);
        EXPECT_EQ(dib.BPP(), 0);
    }
}

} // namespace
