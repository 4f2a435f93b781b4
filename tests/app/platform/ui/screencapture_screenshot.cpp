// On a real (virtual) display: a picture box half covered by another window is captured as exactly
// its persistent picture, while the screen shows the cover. Both pictures go to the test output
// folder for a person to look at.
#include <filesystem>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Form.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ScreenCapture.h"
#include "platform/ui/testing/GuiTest.h"

namespace {

TEST(ScreenCaptureOnADisplay, AHalfCoveredPictureBoxIsCapturedAsItsPersistentPicture) {
    plat::testing::Application();
    ASSERT_NE(QGuiApplication::platformName(), "offscreen") << "run on a display (xvfb-run)";
    plat::Form form("frmCapture");
    form.Move(40 * 15, 40 * 15, 320 * 15, 220 * 15);
    plat::PictureBox pic(form, "picCapture");
    pic.Move(10 * 15, 10 * 15, 240 * 15, 160 * 15);
    pic.SetBackColor(0xFFFFFF);
    plat::DeviceContext& dc = pic.hDC();
    for (int x = 0; x < 240; x += 12) {
        dc.SelectObject(plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(x, 255 - x, 128)));
        dc.MoveToEx(x, 0);
        dc.LineTo(239 - x, 159);
    }
    dc.SetBkMode(plat::TRANSPARENT);
    dc.TextOut(20, 70, "Persistent picture");
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));

    // A plain window over the right half of the picture box.
    QWidget cover;
    cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    cover.setAutoFillBackground(true);
    QPalette palette = cover.palette();
    palette.setColor(QPalette::Window, QColor(200, 30, 30));
    cover.setPalette(palette);
    const QPoint boxOnScreen = pic.Widget()->mapToGlobal(QPoint(0, 0));
    cover.setGeometry(boxOnScreen.x() + 120, boxOnScreen.y() - 20, 200, 200);
    cover.show();
    cover.raise();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    QTest::qWait(200);

    const QPixmap screen =
        QGuiApplication::primaryScreen()->grabWindow(0, boxOnScreen.x(), boxOnScreen.y(), 240, 160);
    const QImage captured = plat::CaptureWindow(pic.Widget(), true, 0, 0, 240, 160);
    const std::filesystem::path out(TEST_OUTPUT_DIR);
    ASSERT_TRUE(screen.save(QString::fromStdString((out / "capture_screen.png").string()), "PNG"));
    ASSERT_TRUE(captured.save(QString::fromStdString((out / "capture_window.png").string()), "PNG"));

    // The screen shows the cover over the right half; the capture does not.
    const QImage onScreen = screen.toImage();
    EXPECT_EQ(onScreen.pixel(200, 80), qRgb(200, 30, 30)) << "the cover lies over the box on the screen";
    const QImage persistent = pic.Picture().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(captured.size(), persistent.size());
    EXPECT_EQ(captured, persistent);
    EXPECT_NE(captured.pixel(200, 80), qRgb(200, 30, 30));
    // The uncovered left half reads the same on the screen as in the capture.
    EXPECT_EQ(onScreen.copy(0, 0, 100, 160).convertToFormat(QImage::Format_RGB32),
              captured.copy(0, 0, 100, 160));
}

} // namespace
