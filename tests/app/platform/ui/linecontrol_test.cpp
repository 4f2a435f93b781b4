#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "platform/ui/Form.h"
#include "platform/ui/LineControl.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

struct Window : plat::Form {
    Window() : plat::Form("frmLines") {
        SetClientSize(3000, 3000);
        box.Move(0, 0, 3000, 3000);
        box.MouseDown = [this](int, int, double x, double y) { pressed = {x, y}; };
    }
    plat::PictureBox box{*this, "box"};
    plat::LineControl line{box, "line", 1};
    std::pair<double, double> pressed{-1, -1};
};

// The line shows over the picture without drawing into it, covers only its own rectangle, and lets
// the mouse through to the picture box.
TEST(LineControl, DrawsOverThePictureAndPassesTheMouse) {
    plat::testing::Application();
    Window w;
    w.Show();
    w.box.Scale(0, 0, 200, 200);
    w.line.SetEnds(300, 1500, 1500, 300); // pixels (20, 100) to (100, 20)
    EXPECT_EQ(w.line.Widget()->geometry(), QRect(20, 20, 81, 81));
    const QImage before = w.box.Picture();
    const QImage shown = w.box.Widget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(60, 60)), QColor(Qt::black));
    EXPECT_NE(QColor(shown.pixel(30, 30)), QColor(Qt::black));
    EXPECT_EQ(w.box.Picture(), before);
    QTest::mousePress(w.box.Widget(), Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_NEAR(w.pressed.first, 60, 1.5); // 60 pixels of 200 in a 200-unit scale
    w.line.SetVisible(false);
    EXPECT_NE(QColor(w.box.Widget()->grab().toImage().pixel(60, 60)), QColor(Qt::black));
    plat::Unload(w);
}

// Placed in the box's user scale (here turned round, as the viewer's), each end lands on the pixel
// the box's own drawing would use; moving it leaves the picture as it was.
TEST(LineControl, PlacedInTheBoxsUserScale) {
    plat::testing::Application();
    Window w;
    w.Show();
    w.box.Scale(100, 100, -200, -200); // 200 x 200 pixels, x to the left, y up
    w.box.Line(0, 0, -100, 0, 0x0000FF);
    const QImage before = w.box.Picture();
    struct Case {
        double x1, y1, x2, y2;
        QRect geometry;
    };
    const Case cases[] = {
        {100, 100, 0, 0, QRect(0, 0, 101, 101)},
        {-40, -60, 20, 30, QRect(80, 70, 61, 91)},
        {0.5, 0.5, 0.5, 0.5, QRect(99, 99, 1, 1)},
    };
    for (const Case& c : cases) {
        w.line.SetEnds(w.box.Surface(), c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(w.line.Widget()->geometry(), c.geometry) << c.x1;
        EXPECT_EQ(w.line.X1(), w.box.Surface().PixelX(c.x1) * plat::kTwipsPerPixel);
        EXPECT_EQ(w.line.Y2(), w.box.Surface().PixelY(c.y2) * plat::kTwipsPerPixel);
    }
    EXPECT_EQ(w.box.Picture(), before);
    plat::Unload(w);
}

} // namespace
