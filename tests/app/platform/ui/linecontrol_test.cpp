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

} // namespace
