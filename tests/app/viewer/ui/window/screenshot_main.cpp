// Shows the viewer on a real (virtual) display with the shipped example terrain, by OpenGL and as
// the wire picture, and the colour dialog; keeps their pictures in the test output folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QSet>

#include <filesystem>
#include <fstream>
#include <string>

#include "ground/ui/frmEdit3D.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/mainwindow/frmMain.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmGroundColors.h"
#include "viewer/ui/frmViewGround.h"

namespace {

void Save(plat::Form& form, const char* name) {
    const QPixmap shot = form.Window()->grab();
    const std::filesystem::path out = std::filesystem::path(TEST_OUTPUT_DIR) / name;
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string()), "PNG"));
    const QImage image = shot.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << name;
}

// The example's cuts in the ground editor, read by a viewer.
void ShowExample(const char* picture, bool openGL) {
    const frmViewGround::SurfaceFactory saved = frmViewGround::MakeSurface();
    if (!openGL)
        frmViewGround::MakeSurface() = [](int, int) { return std::unique_ptr<plat::GlSurface>(); };
    shell::Model().File3D = (std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D").string();
    plat::Load(frmEdit3D());
    auto& v = frmViewGround();
    ViewGroundHost host;
    host.groundGrid = []() -> const plat::GridModel* { return frmEdit3D().grdGround.get(); };
    host.antennaBoxes = [] {
        viewer::AntennaBoxes boxes;
        boxes.NumAntsIndex = 2;
        boxes.X = {"0", "0", "0"};
        boxes.Y = {"-1000", "-1000", "-1000"};
        boxes.Z = {"15", "30", "45"};
        return boxes;
    };
    v.SetHost(host);
    v.Show();
    plat::DoEvents(200);
    v.LoadGroundNodes();
    v.RedrawView();
    plat::DoEvents(100);
    EXPECT_GT(v.Nodes().NodeCount(), 0);
    EXPECT_EQ(v.UseOpenGL, openGL);
    Save(v, picture);
    plat::Unload(v);
    frmViewGround::MakeSurface() = saved;
}

// The shipped example opened by the main window (in a folder of its own, as its settings file names
// it); "View 2D" shows the viewer in side view over the main window's profile.
void ShowSideViewFromView2D() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "viewer_view2d";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* file : {"cegs_site.inp", "cegs_site.3D"})
        fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / file, dir / file);
    std::ofstream(dir / "Pellic.ini", std::ios::binary) << "cegs_site.inp,,cegs_site.3D\r\n0, 1\r\n";
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    auto& main = frmMain();
    main.Show();
    plat::DoEvents(200);
    ASSERT_TRUE(main.cmdView2D->Enabled());
    main.cmdView2D->SetValue(true);
    ASSERT_TRUE(ViewGroundLoaded());
    auto& v = frmViewGround();
    plat::DoEvents(300);
    EXPECT_EQ(shell::Model().ViewGroundSource, 0);
    EXPECT_TRUE(v.opt3D0->Value());
    EXPECT_TRUE(v.UseOpenGL);
    EXPECT_GT(v.Nodes().NodeCount(), 0);
    Save(v, "viewer_side_view2d.png");
    plat::Unload(v);
    plat::DeleteWindowInstances();
    fs::current_path(home);
}

// The example seen by OpenGL after a Ctrl + click below and right of the centre: the look-at point
// moves to the ground there.
void ShowReAimed(const char* picture) {
    shell::Model().File3D = (std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D").string();
    plat::Load(frmEdit3D());
    auto& v = frmViewGround();
    ViewGroundHost host;
    host.groundGrid = []() -> const plat::GridModel* { return frmEdit3D().grdGround.get(); };
    v.SetHost(host);
    v.Show();
    plat::DoEvents(200);
    QWidget* view = v.Plotter->Widget();
    const QPointF spot(view->width() * 3 / 5, view->height() * 3 / 4);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, spot, view->mapToGlobal(spot), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::ControlModifier);
        QApplication::sendEvent(view, &e);
    }
    plat::DoEvents(100);
    EXPECT_NEAR(v.View.Target.Z, 0, 1e-3);
    Save(v, picture);
    plat::Unload(v);
}

// The example in annotation mode: a stroke with its arrow and a boxed text, and a second line
// being dragged with its rubber band and heads.
void ShowAnnotation() {
    shell::Model().File3D = (std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D").string();
    plat::Load(frmEdit3D());
    auto& v = frmViewGround();
    ViewGroundHost host;
    host.groundGrid = []() -> const plat::GridModel* { return frmEdit3D().grdGround.get(); };
    v.SetHost(host);
    const std::filesystem::path folder = std::filesystem::path(TEST_OUTPUT_DIR) / "annotate_program";
    std::filesystem::create_directories(folder);
    frmViewGround::ProgramFolder() = folder;
    v.Show();
    plat::DoEvents(200);
    v.LoadGroundNodes();
    v.RedrawView();
    plat::DoEvents(100);
    v.Command2->Click();
    v.txtText->SetText("Threshold");
    v.chkBox->SetValue(1);
    v.lblBoxColor->SetBackColor(0x80FFFF);
    v.lblLineColor->SetBackColor(0x0000C0);
    v.lblTextColor->SetBackColor(0x800000);
    QWidget* box = v.Plotter->Widget();
    const auto mouse = [box](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
        QMouseEvent event(type, QPointF(at), QPointF(box->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    };
    mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(372, 300));
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(480, 180));
    mouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(480, 180));
    mouse(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(150, 120));
    mouse(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(260, 240));
    plat::DoEvents(100);
    EXPECT_EQ(v.Annotating, 1);
    EXPECT_TRUE(v.linArrowHead[0]->Visible());
    Save(v, "viewer_annotate.png");
    plat::Unload(v);
}

} // namespace

TEST(ViewerScreenshot, ExampleByOpenGLAndAsWirePictureAndTheColourDialog) {
    plat::testing::Application();
    const plat::testing::ScriptedServices services;
    std::filesystem::create_directories(TEST_OUTPUT_DIR);
    ShowExample("viewer_free.png", true);
    ShowExample("viewer_software.png", false);
    ShowReAimed("viewer_reaim.png");
    ShowAnnotation();
    ShowSideViewFromView2D();
    auto& colours = frmGroundColors();
    colours.Start(kDarkOnLight, nullptr);
    colours.Show();
    plat::DoEvents(100);
    Save(colours, "ground_colors.png");
    plat::Unload(colours);
    plat::DeleteWindowInstances();
}
