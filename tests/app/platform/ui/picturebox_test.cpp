// The picture box: a persistent image drawn in a user scale.
#include <QTest>

#include "platform/ui/ControlRoutines.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

using plat::testing::Application;

constexpr plat::Colour kRed = 0x0000FF;
constexpr plat::Colour kBlue = 0xFF0000;
constexpr plat::Colour kWhite = 0xFFFFFF;

class PictureBoxTest : public ::testing::Test {
protected:
    PictureBoxTest() {
        pic.Move(0, 0, 100 * 15, 50 * 15); // 100 x 50 pixels
        pic.SetBackColor(kWhite);
    }
    std::int64_t Pixel(int x, int y) const {
        const QRgb rgb = pic.Picture().pixel(x, y);
        return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
    }
    QApplication& app = Application();
    plat::Form form{"frmPicture"};
    plat::PictureBox pic{form, "picPlot"};
};

TEST_F(PictureBoxTest, UserScaleMapsPointsIncludingNegativeExtents) {
    ASSERT_EQ(pic.Picture().width(), 100);
    ASSERT_EQ(pic.Picture().height(), 50);
    // Y up: the bottom-left corner is (0, 0), the top-right (10, 5).
    pic.Scale(0, 5, 10, -5);
    struct Case {
        double x, y;
        int px, py;
    };
    const Case cases[] = {
        {0.05, 4.95, 0, 0}, {5.05, 2.45, 50, 25}, {9.95, 0.05, 99, 49}, {1.05, 4.05, 10, 9}};
    for (const Case& c : cases) {
        pic.Cls();
        pic.PSet(c.x, c.y, kRed);
        EXPECT_EQ(Pixel(c.px, c.py), kRed) << c.x << "," << c.y;
        EXPECT_EQ(pic.Surface().Point(c.x, c.y), kRed);
    }
    EXPECT_EQ(pic.Surface().Point(11, 1), -1);
    // Without a user scale the unit is the twip.
    pic.Surface().ResetScale();
    EXPECT_DOUBLE_EQ(pic.Surface().ScaleWidth(), 1500);
    EXPECT_NEAR(pic.Surface().ToPixelX(150), 10, 1e-9);
}

TEST_F(PictureBoxTest, LinesBoxesCirclesAndTheCurrentPoint) {
    pic.Scale(0, 0, 100, 50);
    pic.Line(10, 10, 20, 10, kBlue);
    EXPECT_EQ(Pixel(15, 10), kBlue);
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 20);
    pic.Line(30, 30, 40, 40, kRed, plat::Canvas::BoxStyle::FilledBox);
    EXPECT_EQ(Pixel(35, 35), kRed);
    pic.Surface().SetFillSolid(true);
    pic.Surface().SetFillColor(kBlue);
    pic.Circle(70, 25, 10, kRed);
    EXPECT_EQ(Pixel(70, 25), kBlue);
    EXPECT_EQ(Pixel(80, 25), kRed);
    EXPECT_EQ(Pixel(70, 5), kWhite);
    pic.Cls();
    EXPECT_EQ(Pixel(35, 35), kWhite);
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 0);
}

TEST_F(PictureBoxTest, PrintWritesAtTheCurrentPointAndMovesToTheNextLine) {
    pic.Scale(0, 0, 100, 50);
    pic.Surface().SetForeColor(0);
    pic.Surface().SetCurrentX(5);
    pic.Surface().SetCurrentY(2);
    const double height = pic.Surface().TextHeight("A");
    pic.Print("WW");
    EXPECT_DOUBLE_EQ(pic.Surface().CurrentX(), 0);
    EXPECT_NEAR(pic.Surface().CurrentY(), 2 + height, 1e-9);
    int dark = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            dark += Pixel(x, y) != kWhite;
        }
    }
    EXPECT_GT(dark, 0);
    EXPECT_GT(pic.Surface().TextWidth("WW"), pic.Surface().TextWidth("W"));
}

TEST_F(PictureBoxTest, FloodFillStopsAtTheBorderColour) {
    pic.Scale(0, 0, 100, 50);
    pic.Line(20, 10, 40, 30, kRed, plat::Canvas::BoxStyle::Box);
    FloodFillPicture(pic, 30, 20, kRed, kRed);
    EXPECT_EQ(Pixel(30, 20), kRed);
    EXPECT_EQ(Pixel(21, 11), kRed);
    EXPECT_EQ(Pixel(10, 5), kWhite);
    EXPECT_EQ(Pixel(45, 20), kWhite);
    // A fill colour other than the border fills the rest up to the border.
    FloodFillPicture(pic, 5, 5, kBlue, kRed);
    EXPECT_EQ(Pixel(99, 49), kBlue);
    EXPECT_EQ(Pixel(30, 20), kRed);
    // A start on the border fills nothing.
    FloodFillPicture(pic, 20, 10, kWhite, kRed);
    EXPECT_EQ(Pixel(30, 20), kRed);
}

TEST_F(PictureBoxTest, FloodFillTakesThePointInAFlippedScale) {
    pic.Scale(0, 50, 100, -50); // Y up
    pic.Line(0, 25, 100, 25, kRed);
    // (10, 40) lies in the upper half on screen.
    FloodFillPicture(pic, 10, 40, kBlue, kRed);
    EXPECT_EQ(Pixel(10, 10), kBlue);
    EXPECT_EQ(Pixel(10, 40), kWhite);
}

TEST_F(PictureBoxTest, APictureIsKeptAndResizingKeepsTheDrawing) {
    QImage source(10, 10, QImage::Format_RGB32);
    source.fill(Qt::blue);
    pic.SetPicture(source);
    EXPECT_EQ(Pixel(5, 5), kBlue);
    EXPECT_EQ(Pixel(50, 25), kWhite);
    pic.Move(0, 0, 200 * 15, 100 * 15);
    EXPECT_EQ(pic.Picture().width(), 200);
    EXPECT_EQ(Pixel(5, 5), kBlue);
}

} // namespace
