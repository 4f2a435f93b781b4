// The image control: its picture on screen, and clicks reported as a person makes them.
#include <QTest>

#include "platform/ui/Form.h"
#include "platform/ui/Image.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

QImage TwoColourPicture() {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(3, 1, Qt::blue);
    return picture;
}

class ImageTest : public ::testing::Test {
protected:
    ImageTest() {
        img.Move(0, 0, 8 * 15, 4 * 15);
        img.SetPicture(TwoColourPicture());
        img.Click = [this] { ++clicks; };
        img.DblClick = [this] { ++doubleClicks; };
        form.Show();
    }
    ~ImageTest() override { plat::Unload(form); }

    // The toolkit's order: press, release, press, double click, release.
    void DoubleClick() {
        QTest::mousePress(img.Widget(), Qt::LeftButton);
        QTest::mouseRelease(img.Widget(), Qt::LeftButton);
        QTest::mousePress(img.Widget(), Qt::LeftButton);
        QTest::mouseDClick(img.Widget(), Qt::LeftButton);
        QTest::mouseRelease(img.Widget(), Qt::LeftButton);
    }

    QApplication& app = plat::testing::Application();
    plat::Form form{"frmImage"};
    plat::Image img{form, "Image3"};
    int clicks = 0;
    int doubleClicks = 0;
};

TEST_F(ImageTest, ShowsItsPictureAtItsSizeOrStretched) {
    QImage shown = img.Widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(3, 1), QColor(Qt::blue));
    EXPECT_NE(shown.pixelColor(7, 3), QColor(Qt::blue)); // outside the picture
    img.SetStretch(true);
    shown = img.Widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(7, 3), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(img.TypeName(), "Image");
    img.SetToolTipText("Store");
    EXPECT_EQ(img.ToolTipText(), "Store");
}

TEST_F(ImageTest, ALeftClickClicksOnceAndADisabledImageNever) {
    QTest::mouseClick(img.Widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(img.Widget(), Qt::RightButton);
    QTest::mouseClick(img.Widget(), Qt::MiddleButton);
    EXPECT_EQ(clicks, 1);
    // Released away from the image: no click.
    QTest::mousePress(img.Widget(), Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(img.Widget(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks, 1);
    // A double click: Click, DblClick, and no second Click.
    DoubleClick();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 1);

    img.SetEnabled(false);
    QTest::mouseClick(img.Widget(), Qt::LeftButton);
    DoubleClick();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 1);
    // A press before disabling is not finished by a release after enabling again.
    img.SetEnabled(true);
    QTest::mousePress(img.Widget(), Qt::LeftButton);
    img.SetEnabled(false);
    img.SetEnabled(true);
    QTest::mouseRelease(img.Widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    img.SetVisible(false);
    EXPECT_FALSE(img.Visible());
}

} // namespace
