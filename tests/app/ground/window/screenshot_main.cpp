// Shows the ground editor on a real (virtual) display with the shipped example terrain loaded and
// keeps a picture of it in the test output folder, so that a person can look at it.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QSet>

#include <filesystem>

#include "ground/ui/frmEdit3D.h"
#include "platform/ui/Twips.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"

TEST(GroundEditorScreenshot, ExampleLoaded) {
    plat::testing::Application();
    const plat::testing::ScriptedServices services;
    std::filesystem::create_directories(TEST_OUTPUT_DIR);
    shell::Model().File3D = (std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D").string();
    auto& w = frmEdit3D();
    w.Show();
    plat::DoEvents(200);
    EXPECT_EQ(w.NumY(), 8);
    const QPixmap shot = w.Window()->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / "ground_editor.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG"));
    EXPECT_GE(shot.width(), plat::TwipsToPixels(frmEdit3D::kClientWidth));
    EXPECT_GE(shot.height(), plat::TwipsToPixels(frmEdit3D::kClientHeight));
    const QImage image = shot.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    plat::Unload(w);
    plat::DeleteWindowInstances();
}
