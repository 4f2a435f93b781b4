// Window capture from what the window paints, and pictures made from images.
#include <QTest>

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ScreenCapture.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::RGB;

constexpr plat::Colour kWhite = 0xFFFFFF;

plat::Colour At(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

class CaptureTest : public ::testing::Test {
protected:
    CaptureTest() {
        form.Move(0, 0, 300 * 15, 200 * 15);
        pic.Move(30 * 15, 20 * 15, 40 * 15, 30 * 15); // 40 x 30 pixels at (30, 20)
        pic.SetBackColor(kWhite);
        plat::DeviceContext& dc = pic.hDC();
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                dc.SetPixel(x, y, RGB(x * 6, y * 8, 100));
            }
        }
    }
    QApplication& app = plat::testing::Application();
    plat::Form form{"frmCapture"};
    plat::PictureBox pic{form, "picCapture"};
};

TEST_F(CaptureTest, APictureBoxGivesItsPersistentPictureAndBlackOutsideIt) {
    const QImage whole = plat::CaptureWindow(pic.Widget(), true, 0, 0, 40, 30);
    ASSERT_EQ(whole.size(), QSize(40, 30));
    EXPECT_EQ(whole, pic.Picture().convertToFormat(QImage::Format_RGB32));
    // A rectangle reaching past the top-left corner and the right edge.
    const QImage part = plat::CaptureWindow(pic.Widget(), false, -5, -2, 50, 10);
    ASSERT_EQ(part.size(), QSize(50, 10));
    EXPECT_EQ(At(part, 0, 0), 0u);
    EXPECT_EQ(At(part, 4, 5), 0u);
    EXPECT_EQ(At(part, 5, 2), RGB(0, 0, 100));
    EXPECT_EQ(At(part, 5 + 39, 2 + 7), RGB(39 * 6, 7 * 8, 100));
    EXPECT_EQ(At(part, 45, 3), 0u);
    EXPECT_TRUE(plat::CaptureWindow(pic.Widget(), true, 0, 0, 0, 10).isNull());
}

TEST_F(CaptureTest, AnyOtherWindowIsPaintedOffScreenWithItsChildren) {
    // The form's client area holds the picture box at (30, 20), painted from its buffer.
    form.Show();
    QCoreApplication::processEvents();
    const QImage client = plat::CaptureWindow(form.ClientWidget(), true, 25, 15, 50, 40);
    ASSERT_EQ(client.size(), QSize(50, 40));
    for (const auto& [x, y] : {std::pair{0, 0}, {39, 29}, {17, 3}}) {
        EXPECT_EQ(At(client, 5 + x, 5 + y), RGB(x * 6, y * 8, 100)) << x << ", " << y;
    }
    EXPECT_NE(At(client, 2, 2), RGB(0, 0, 100)) << "the form's own background around the box";
}

TEST(ScreenCapture, CreateBitmapPictureGivesA32BitCopyOfAnyLayout) {
    plat::PixelBuffer indexed(3, 2, plat::PixelFormat::Indexed4);
    indexed.Colours()[5] = 0x00102030; // red 0x10, green 0x20, blue 0x30
    indexed.SetIndex(2, 1, 5);
    const QImage picture = plat::CreateBitmapPicture(indexed);
    ASSERT_EQ(picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(At(picture, 2, 1), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(At(picture, 0, 0), 0u);
    plat::PixelBuffer deep(2, 2, plat::PixelFormat::Bgr24);
    deep.SetPixel(1, 0, RGB(1, 2, 3));
    EXPECT_EQ(At(plat::CreateBitmapPicture(deep), 1, 0), RGB(1, 2, 3));
    EXPECT_TRUE(plat::CreateBitmapPicture(plat::PixelBuffer()).isNull());
}

} // namespace
