// Shows the main window on a real (virtual) display with the shipped sample model and keeps a picture
// of it in the test output folder, so that a person can look at it.
#include "GuiTest.h"

#include <QPixmap>
#include <QScreen>
#include <QSet>
#include <QMainWindow>

#include "platform/services/Clock.h"
#include "shell/mainwindow/frmMain.h"

using MainWindowScreenshot = WindowTest;

TEST_F(MainWindowScreenshot, RendersAtASensibleSize) {
    for (const char* file : {"cegs_site.inp", "cegs_site.3D", "Pellic.ini"})
        std::filesystem::copy_file(std::filesystem::path(PELLON_EXAMPLES_DIR) / file, dir_ / file);
    auto& w = frmMain();
    w.Show();
    plat::DoEvents(200);
    QWidget* window = w.Window();
    const QPixmap shot = window->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / "main_window.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG"));
    EXPECT_GE(shot.width(), frmMain::kClientWidth);
    EXPECT_GE(shot.height(), frmMain::kClientHeight);
    EXPECT_LE(shot.width(), 1400);
    EXPECT_LE(shot.height(), 1000);
    // Something was drawn: a plain window has a handful of colours, the panels and icons many.
    const QImage image = shot.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    EXPECT_EQ(w.Caption(), "Vantrell Orvane - v060410");
}
