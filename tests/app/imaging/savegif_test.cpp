// SaveGIF end to end: a plot page comes back from its GIF pixel for pixel, a smooth ramp within the
// quantiser's error, and the bitmap-file form replaces, refuses and reports as a caller needs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GifDecoders.h"
#include "GifTestImages.h"
#include "imaging/BmpWriter.h"
#include "imaging/cDIB.h"
#include "imaging/mGIFSave.h"

using gifimages::Rgb;
using gifimages::RgbImage;
using imaging::cDIB;
using imaging::SaveGIF;

namespace fs = std::filesystem;

namespace {

fs::path OutputDir() {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "savegif";
    fs::create_directories(dir);
    return dir;
}

std::string OutputFile(const std::string& name) {
    return (OutputDir() / name).string();
}

constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kGrey{192, 192, 192}, kBlue{0, 0, 255}, kRed{255, 0, 0},
    kMagenta{255, 0, 255}, kGreen{0, 128, 0};

// 5 x 7 glyphs of the digits 0 to 4, one row a byte (bit 4 leftmost), drawn without smoothing.
constexpr std::uint8_t kGlyphs[5][7] = {{0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},
                                        {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
                                        {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},
                                        {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
                                        {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}};

// A plot page as the plot window draws it: white, a grey grid, black axes and labels, and four traces
// of 1-pixel lines.
Rgb PlotPage(int x, int y) {
    constexpr int left = 60, top = 30, right = 690, bottom = 500;
    // Labels under the x axis and left of the y axis.
    for (int label = 0; label < 5; ++label) {
        const int gx = left + label * 150 - 2, gy = bottom + 8;
        if (x >= gx && x < gx + 5 && y >= gy && y < gy + 7 && (kGlyphs[label][y - gy] >> (4 - (x - gx)) & 1))
            return kBlack;
        const int hx = left - 12, hy = bottom - label * 100 - 3;
        if (x >= hx && x < hx + 5 && y >= hy && y < hy + 7 && (kGlyphs[label][y - hy] >> (4 - (x - hx)) & 1))
            return kBlack;
    }
    if (x < left || x > right || y < top || y > bottom)
        return kWhite;
    if (x == left || x == right || y == top || y == bottom)
        return kBlack;
    // Each trace joins its samples column by column with vertical runs, so the line has no gaps.
    const struct {
        Rgb colour;
        double amplitude, period, phase, centre;
    } traces[] = {{kBlue, 120, 310, 0, 265},
                  {kRed, 80, 170, 1, 200},
                  {kMagenta, 150, 530, 2, 300},
                  {kGreen, 40, 90, 0.5, 420}};
    for (const auto& t : traces) {
        const auto at = [&](int column) {
            return static_cast<int>(std::lround(
                t.centre + t.amplitude * std::sin((column - left) * 6.283185307 / t.period + t.phase)));
        };
        const int a = at(x), b = at(x + 1);
        if (y >= std::min(a, b) && y <= std::max(a, b))
            return t.colour;
    }
    if ((x - left) % 50 == 0 || (y - top) % 40 == 0)
        return kGrey;
    return kWhite;
}

std::vector<std::uint8_t> RgbBytes(const cDIB& image) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = gifimages::PixelOf(image, x, y);
            out.insert(out.end(), c.begin(), c.end());
        }
    return out;
}

// Both decoders give the picture's own pixels.
void ExpectDecodesTo(const std::string& gif, const cDIB& image) {
    const std::vector<std::uint8_t> expected = RgbBytes(image);
    for (const auto& [name, d] :
         {std::pair{"Pillow", gifcheck::Pillow(gif)}, std::pair{"giflib", gifcheck::Giflib(gif)}}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(d.width, image.Width());
        EXPECT_EQ(d.height, image.Height());
        EXPECT_TRUE(d.rgb == expected);
    }
}

} // namespace

TEST(SaveGifEndToEnd, PlotPageComesBackPixelForPixel) {
    const auto page = RgbImage(719, 555, PlotPage);
    const std::string gif = OutputFile("plot_page.gif");
    const auto saved = SaveGIF(*page, gif);
    ASSERT_TRUE(saved) << saved.reason;
    ExpectDecodesTo(gif, *page);
    EXPECT_EQ(gifcheck::ReadAll(gif).substr(0, 6), "GIF87a");

    // The window's road: a BMP file of the picture, then the GIF of that file.
    const std::string bmp = OutputFile("plot_page.bmp");
    ASSERT_TRUE(imaging::SavePicture(page->Image(), bmp));
    const std::string fromFile = OutputFile("plot_page_from_bmp.gif");
    const auto converted = SaveGIF(bmp, fromFile);
    ASSERT_TRUE(converted) << converted.reason;
    ExpectDecodesTo(fromFile, *page);
    EXPECT_TRUE(fs::exists(bmp));
}

TEST(SaveGifEndToEnd, SmoothRampWithinTheQuantisersError) {
    // Far more than 256 colours: an optimal palette of a thumbnail, with error diffusion. Blocks of
    // 8 x 8 keep their mean colour within a few levels. Towards the ramp's extremes, which lie on the
    // picture's border, the palette's entries are means of octree leaves and so lie inside the
    // source's range: no dither reaches beyond them, so there the bound is half a coarse leaf.
    const auto ramp = RgbImage(320, 240, [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 255 / 319), static_cast<std::uint8_t>(y * 255 / 239),
                   static_cast<std::uint8_t>(255 - (x * 255 / 319 + y * 255 / 239) / 2)};
    });
    const std::string gif = OutputFile("smooth_ramp.gif");
    ASSERT_TRUE(SaveGIF(*ramp, gif));
    const gifcheck::Decoded d = gifcheck::Pillow(gif);
    ASSERT_TRUE(d.ok);
    ASSERT_EQ(d.width, 320);
    ASSERT_EQ(d.height, 240);
    constexpr int kBorder = 24;
    double worstInside = 0, worst = 0;
    for (int by = 0; by < 240; by += 8)
        for (int bx = 0; bx < 320; bx += 8)
            for (int c = 0; c < 3; ++c) {
                double source = 0, decoded = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        source += gifimages::PixelOf(*ramp, x, y)[static_cast<std::size_t>(c)];
                        decoded += d.rgb[static_cast<std::size_t>((y * 320 + x) * 3 + c)];
                    }
                const double error = std::abs(source - decoded) / 64;
                worst = std::max(worst, error);
                if (bx >= kBorder && by >= kBorder && bx + 8 <= 320 - kBorder && by + 8 <= 240 - kBorder)
                    worstInside = std::max(worstInside, error);
            }
    EXPECT_LE(worstInside, 3.0);
    EXPECT_LE(worst, 16.0);
    const gifcheck::Decoded g = gifcheck::Giflib(gif);
    ASSERT_TRUE(g.ok);
    EXPECT_TRUE(g.rgb == d.rgb);
}

TEST(SaveGifEndToEnd, AThinStripKeepsItsColours) {
    // More than 256 colours on a strip of 300:1 or more, lying or standing: the thumbnail the palette
    // is made from keeps a side of one pixel, so the strip keeps its colours. Means over runs of
    // 8 pixels along the strip stay within a few levels of the source's.
    const struct { int width, height; } cases[] = {{600, 2}, {1000, 1}, {2, 600}, {1, 1000}};
    for (const auto& c : cases) {
        const bool lying = c.width > c.height;
        const int length = lying ? c.width : c.height;
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const auto strip = RgbImage(c.width, c.height, [&](int x, int y) {
            const double t = (lying ? x : y) / static_cast<double>(length - 1);
            return Rgb{static_cast<std::uint8_t>(std::lround(255 * t)),
                       static_cast<std::uint8_t>(std::lround(127 + 127 * std::sin(18.85 * t))),
                       static_cast<std::uint8_t>(std::lround(255 * (1 - t)))};
        });
        const std::string gif =
            OutputFile("strip_" + std::to_string(c.width) + "x" + std::to_string(c.height) + ".gif");
        ASSERT_TRUE(SaveGIF(*strip, gif));
        for (const auto& [name, d] :
             {std::pair{"Pillow", gifcheck::Pillow(gif)}, std::pair{"giflib", gifcheck::Giflib(gif)}}) {
            SCOPED_TRACE(name);
            ASSERT_TRUE(d.ok);
            ASSERT_EQ(d.width, c.width);
            ASSERT_EQ(d.height, c.height);
            double worst = 0;
            for (int from = 0; from + 8 <= length; from += 8)
                for (std::size_t k = 0; k < 3; ++k) {
                    double source = 0, decoded = 0;
                    for (int at = from; at < from + 8; ++at)
                        for (int across = 0; across < (lying ? c.height : c.width); ++across) {
                            const int x = lying ? at : across, y = lying ? across : at;
                            source += gifimages::PixelOf(*strip, x, y)[k];
                            decoded += d.rgb[static_cast<std::size_t>((y * c.width + x) * 3) + k];
                        }
                    worst =
                        std::max(worst, std::abs(source - decoded) / (8.0 * (lying ? c.height : c.width)));
                }
            EXPECT_LE(worst, 8.0);
        }
    }
}

TEST(SaveGifFile, OneColourIsWrittenWithTwoEntries) {
    const auto plain = RgbImage(40, 30, [](int, int) { return Rgb{0x33, 0x66, 0x99}; });
    const std::string gif = OutputFile("one_colour.gif");
    ASSERT_TRUE(SaveGIF(*plain, gif));
    ExpectDecodesTo(gif, *plain);
    const gifcheck::Decoded d = gifcheck::Giflib(gif);
    ASSERT_EQ(d.table.size(), 2u);
    EXPECT_EQ(d.table[0], (Rgb{0x33, 0x66, 0x99}));
    EXPECT_EQ(d.table[1], (Rgb{0, 0, 0}));
}

TEST(SaveGifFile, SourceAndGifOfOneNameAndReplacement) {
    // The caller names the BMP after the GIF: the GIF takes its place.
    const auto page = RgbImage(120, 80, [](int x, int y) { return PlotPage(x * 6, y * 7); });
    const std::string same = OutputFile("same_name.gif");
    ASSERT_TRUE(imaging::SavePicture(page->Image(), same));
    ASSERT_EQ(gifcheck::ReadAll(same).substr(0, 2), "BM");
    ASSERT_TRUE(SaveGIF(same, same));
    ExpectDecodesTo(same, *page);
    // Again over the GIF: an existing GIF is replaced whole.
    const auto other = RgbImage(10, 10, [](int x, int) { return x < 5 ? kRed : kBlue; });
    ASSERT_TRUE(SaveGIF(*other, same));
    ExpectDecodesTo(same, *other);
}

TEST(SaveGifFile, FailuresSayWhyAndLeaveTheTargetAlone) {
    const std::string target = OutputFile("kept.gif");
    const std::string kept = "an earlier file";
    ASSERT_TRUE(plat::WriteFileAtomically(target, kept));
    const std::string garbage = OutputFile("garbage.bmp");
    ASSERT_TRUE(plat::WriteFileAtomically(garbage, "BM this is no bitmap"));
    const std::string empty = OutputFile("empty.bmp");
    ASSERT_TRUE(plat::WriteFileAtomically(empty, ""));
    const struct {
        std::string source;
        std::string reason;
    } cases[] = {
        {OutputFile("no_such.bmp"), "File not found"},
        {garbage, imaging::kBitmapLoadError},
        {empty, imaging::kBitmapLoadError},
        {OutputDir().string(), "File not found"},
    };
    for (const auto& c : cases) {
        const auto result = SaveGIF(c.source, target);
        EXPECT_FALSE(result) << c.source;
        EXPECT_EQ(result.reason, c.reason) << c.source;
        EXPECT_EQ(gifcheck::ReadAll(target), kept) << c.source;
    }
    cDIB nothing;
    const auto result = SaveGIF(nothing, target);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(gifcheck::ReadAll(target), kept);
    // A target that cannot be written: the reason is the system's.
    const auto page = RgbImage(4, 4, [](int, int) { return kGreen; });
    const auto unwritable = SaveGIF(*page, OutputFile("missing_folder/x.gif"));
    EXPECT_FALSE(unwritable);
    EXPECT_EQ(unwritable.reason, "No such file or directory");
}

TEST(SaveGifFile, EveryKindOfBitmapComesBackAsPillowReadsIt) {
    // The BMP tests' corpus, made by Pillow: every depth and row order the reader takes. Each file's
    // GIF decodes to the pixels Pillow reads from the bitmap (these hold at most 256 colours, so the
    // deeper ones too are written losslessly), and a file of 8 bits or fewer keeps its colour table.
    std::ifstream cases(std::string(BMP_CORPUS_DIR) + "/cases.txt");
    std::string name;
    int width = 0, height = 0, bits = 0, count = 0;
    while (cases >> name >> width >> height >> bits) {
        SCOPED_TRACE(name);
        ++count;
        const std::string bmp = std::string(BMP_CORPUS_DIR) + "/" + name + ".bmp";
        const std::string gif = OutputFile("corpus_" + name + ".gif");
        const auto saved = SaveGIF(bmp, gif);
        ASSERT_TRUE(saved) << saved.reason;
        const std::string expected = gifcheck::ReadAll(std::string(BMP_CORPUS_DIR) + "/" + name + ".rgb");
        for (const auto& [decoder, d] :
             {std::pair{"Pillow", gifcheck::Pillow(gif)}, std::pair{"giflib", gifcheck::Giflib(gif)}}) {
            SCOPED_TRACE(decoder);
            ASSERT_TRUE(d.ok);
            EXPECT_EQ(d.width, width);
            EXPECT_EQ(d.height, height);
            EXPECT_EQ(std::string(d.rgb.begin(), d.rgb.end()), expected);
        }
        if (bits <= 8) {
            EXPECT_EQ(gifcheck::Giflib(gif).table.size(), std::size_t{1} << bits);
        }
    }
    EXPECT_GE(count, 20);
}
