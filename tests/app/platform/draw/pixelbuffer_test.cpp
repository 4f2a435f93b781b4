// The pixel buffer: layout, Qt views that share its memory, bottom-up sources.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/draw/ImageView.h"
#include "platform/draw/PixelBuffer.h"

namespace {

using plat::PixelBuffer;
using plat::PixelFormat;

TEST(PixelBuffer, RowsArePaddedToFourBytesAndStartBlack) {
    struct Case {
        int width, height;
        PixelFormat format;
        int stride;
        std::size_t size;
    };
    const Case cases[] = {{5, 3, PixelFormat::Indexed8, 8, 24},
                          {5, 3, PixelFormat::Bgrx32, 20, 60},
                          {1, 1, PixelFormat::Bgra32, 4, 4},
                          {0, 3, PixelFormat::Bgrx32, 0, 0},
                          {3, -1, PixelFormat::Indexed8, 0, 0}};
    for (const Case& c : cases) {
        const PixelBuffer b(c.width, c.height, c.format);
        EXPECT_EQ(b.Stride(), c.stride) << c.width << "x" << c.height;
        EXPECT_EQ(b.Size(), c.size);
        EXPECT_EQ(b.Empty(), c.size == 0);
        for (std::size_t i = 0; i < b.Size(); ++i) {
            ASSERT_EQ(b.Bits()[i], 0);
        }
    }
    const PixelBuffer indexed(5, 3, PixelFormat::Indexed8);
    for (const std::uint32_t entry : indexed.Colours()) {
        EXPECT_EQ(entry, 0u);
    }
}

TEST(PixelBuffer, ThirtyTwoBitViewsShareTheMemory) {
    for (const PixelFormat format : {PixelFormat::Bgrx32, PixelFormat::Bgra32}) {
        PixelBuffer b(7, 5, format);
        QImage view = plat::ImageView(b);
        ASSERT_EQ(view.constBits(), b.Bits());
        ASSERT_EQ(view.bytesPerLine(), b.Stride());
        // Written through the view, read in the buffer; and the other way round.
        view.setPixel(3, 2, qRgb(0x10, 0x20, 0x30));
        EXPECT_EQ(b.Pixel(3, 2), plat::RGB(0x10, 0x20, 0x30));
        EXPECT_EQ(b.Row(2)[3 * 4], 0x30); // blue first, as a bitmap stores it
        b.SetPixel(6, 4, plat::RGB(0xAA, 0xBB, 0xCC));
        EXPECT_EQ(view.pixel(6, 4), qRgb(0xAA, 0xBB, 0xCC));
        EXPECT_EQ(view.constBits(), b.Bits()); // nothing detached
        const QImage readOnly = plat::ConstImageView(b);
        EXPECT_EQ(readOnly.constBits(), b.Bits());
        // A picture handed out is a copy that later drawing leaves alone.
        const QImage copy = plat::ToQImage(b);
        b.SetPixel(6, 4, 0);
        EXPECT_EQ(copy.pixel(6, 4), qRgb(0xAA, 0xBB, 0xCC));
    }
}

TEST(PixelBuffer, EightBitViewSharesTheMemoryAndShowsTheTable) {
    PixelBuffer b(6, 3, PixelFormat::Indexed8);
    b.Colours()[1] = 0x00FF0000; // red: bytes blue 0, green 0, red FF
    b.Colours()[2] = 0x000000FF; // blue
    QImage view = plat::ImageView(b);
    ASSERT_EQ(view.format(), QImage::Format_Indexed8);
    ASSERT_EQ(view.constBits(), b.Bits());
    view.setPixel(4, 1, 2);
    EXPECT_EQ(b.Row(1)[4], 2);
    EXPECT_EQ(b.Pixel(4, 1), plat::RGB(0, 0, 255));
    b.Row(2)[5] = 1;
    EXPECT_EQ(view.pixel(5, 2), qRgb(255, 0, 0));
    EXPECT_EQ(view.constBits(), b.Bits());
    // A colour goes to the nearest entry.
    b.SetPixel(0, 0, plat::RGB(200, 10, 20));
    EXPECT_EQ(b.Row(0)[0], 1);
}

TEST(PixelBuffer, ABottomUpSourceLandsUpright) {
    // Three rows of one pixel, stored bottom row first with 8 bytes per row.
    const std::uint8_t source[] = {1, 1, 1, 0xFF, 0, 0, 0, 0,  // bottom
                                   2, 2, 2, 0xFF, 0, 0, 0, 0,  // middle
                                   3, 3, 3, 0xFF, 0, 0, 0, 0}; // top
    PixelBuffer b(1, 3, PixelFormat::Bgrx32);
    b.CopyRows(source, 8, plat::RowOrder::BottomUp);
    EXPECT_EQ(b.Pixel(0, 0), plat::RGB(3, 3, 3));
    EXPECT_EQ(b.Pixel(0, 1), plat::RGB(2, 2, 2));
    EXPECT_EQ(b.Pixel(0, 2), plat::RGB(1, 1, 1));
    b.CopyRows(source, 8, plat::RowOrder::TopDown);
    EXPECT_EQ(b.Pixel(0, 0), plat::RGB(1, 1, 1));
    EXPECT_EQ(plat::ToQImage(b).pixel(0, 2), qRgb(3, 3, 3));
}

TEST(PixelBuffer, ResizeKeepsTheTopLeftAndFillsTheRest) {
    PixelBuffer b(2, 2, PixelFormat::Bgrx32);
    b.Fill(plat::RGB(0, 0, 255));
    b.Resize(3, 1, plat::RGB(255, 255, 255));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(b.Pixel(1, 0), plat::RGB(0, 0, 255));
    EXPECT_EQ(b.Pixel(2, 0), plat::RGB(255, 255, 255));
}

TEST(PixelBuffer, ViewsOfTheShorterLayoutsShowTheSamePixels) {
    // Qt shares 1-, 16- and 24-bit memory as it is; it has no 4-bit layout, which comes out as a
    // 32-bit copy.
    const PixelFormat formats[] = {PixelFormat::Indexed1, PixelFormat::Bgr555, PixelFormat::Bgr24,
                                   PixelFormat::Indexed4};
    for (const PixelFormat format : formats) {
        PixelBuffer b(11, 3, format);
        b.Colours()[1] = 0x00FF8000;
        b.Colours()[9] = 0x000080FF;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 11; ++x) {
                b.SetPixel(x, y, (x + y) % 2 ? plat::RGB(255, 128, 0) : plat::RGB(8 * x, 80, 248));
            }
        }
        const bool shared = format != PixelFormat::Indexed4;
        EXPECT_EQ(plat::ConstImageView(b).isNull(), !shared);
        const QImage copy = plat::ToQImage(b);
        ASSERT_EQ(copy.size(), QSize(11, 3));
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 11; ++x) {
                const plat::Colour c = b.Pixel(x, y);
                EXPECT_EQ(copy.pixel(x, y), qRgb(plat::GetRValue(c), plat::GetGValue(c), plat::GetBValue(c)))
                    << static_cast<int>(format) << " at " << x << ", " << y;
            }
        }
    }
}

} // namespace
