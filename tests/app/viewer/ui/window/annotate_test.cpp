// Annotation mode of the viewer on a real OpenGL picture, driven by real mouse events: the frozen
// picture, the rubber band with its arrow heads, strokes, clicks, the settings' dialogs, leaving
// the mode and closing the window in it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "ViewerProfileGrid.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/ui/frmViewGround.h"

namespace {

namespace fs = std::filesystem;

constexpr plat::Colour kRed = 0x0000FF;
constexpr plat::Colour kYellow = 0x00FFFF;
constexpr plat::Colour kBlue = 0xFF0000;
constexpr double kPi = 3.14159265358979323846;

class Annotate : public ::testing::Test {
protected:
    Annotate() { plat::testing::Application(); }
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        savedFolder_ = frmViewGround::ProgramFolder();
        // One folder a test: the tests run side by side.
        folder_ = fs::path(::testing::TempDir()) /
                  ("annotate_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                   "_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        frmViewGround::ProgramFolder() = folder_;
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        frmViewGround::ProgramFolder() = savedFolder_;
        fs::remove_all(folder_);
    }
    // The viewer shown with its OpenGL picture of the profile.
    class frmViewGround& Shown() {
        auto& w = frmViewGround();
        ViewGroundHost host;
        host.groundGrid = [this]() -> const plat::GridModel* { return &grid_; };
        host.useSI = [] { return false; };
        w.SetHost(host);
        w.Show();
        plat::DoEvents(50);
        EXPECT_TRUE(w.SurfaceCreated());
        w.LoadGroundNodes();
        w.RedrawView();
        return w;
    }
    static void Mouse(class frmViewGround& w, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, QPoint at) {
        QWidget* box = w.Plotter->Widget();
        QMouseEvent event(type, QPointF(at), QPointF(box->mapToGlobal(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    }
    static void Press(class frmViewGround& w, QPoint at) {
        Mouse(w, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, at);
    }
    static void Drag(class frmViewGround& w, QPoint at) {
        Mouse(w, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, at);
    }
    static void Release(class frmViewGround& w, QPoint at) {
        Mouse(w, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, at);
    }
    static plat::Colour At(const QImage& picture, int x, int y) {
        const QRgb rgb = picture.pixel(x, y);
        return static_cast<plat::Colour>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
    }
    // Whether a pixel of the colour lies within one pixel of (x, y).
    static bool Near(const QImage& picture, double x, double y, plat::Colour colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (At(picture, static_cast<int>(std::lround(x)) + dx,
                       static_cast<int>(std::lround(y)) + dy) == colour)
                    return true;
        return false;
    }

    ViewerProfileGrid grid_{{"0", "40", "2", "60", "3"}};
    fs::path folder_;
    std::filesystem::path savedFolder_;
    plat::testing::ScriptedServices services_;
};

TEST_F(Annotate, SettingsFrameStartsHiddenWithItsValuesAndShowsInPlace) {
    auto& w = Shown();
    EXPECT_EQ(w.Command2->Caption(), "Annotate On");
    EXPECT_FALSE(w.fraAnnotate->Visible());
    EXPECT_EQ(w.chkArrow->Caption(), "Add Arrow Head to Line");
    EXPECT_EQ(w.chkArrow->Value(), 1);
    EXPECT_EQ(w.chkBox->Caption(), "Show Background Box");
    EXPECT_EQ(w.chkBox->Value(), 0);
    EXPECT_EQ(w.txtText->Text(), "");
    EXPECT_EQ(w.lblTextFont->Caption(), "Sans Serif");
    EXPECT_EQ(w.lblNewTextSize->Caption(), "8");
    EXPECT_EQ(w.lblLineColor->BackColor(), 0U);
    EXPECT_EQ(w.lblTextColor->BackColor(), 0U);
    EXPECT_EQ(w.lblBoxColor->BackColor(), 0xFFFFFFU);
    EXPECT_EQ(w.fraLine->Caption(), "Line");
    EXPECT_EQ(w.fraText->Caption(), "Text");
    EXPECT_EQ(w.fraBox->Caption(), "Box");
    for (plat::Label* l :
         {w.lblLineColorCaption.get(), w.lblTextColorCaption.get(), w.lblBoxColorCaption.get()})
        EXPECT_EQ(l->Caption(), "Color:");
    EXPECT_FALSE(w.lblTextSize->Visible());
    w.Command2->Click();
    EXPECT_EQ(w.Command2->Caption(), "Annotate Off");
    EXPECT_EQ(w.Annotating, 1);
    EXPECT_TRUE(w.fraAnnotate->Visible());
    EXPECT_EQ(w.fraAnnotate->Left(), 1500);
    EXPECT_EQ(w.fraAnnotate->Top(), 7530);
    EXPECT_EQ(w.fraAnnotate->Width(), 9660);
    EXPECT_EQ(w.fraAnnotate->Height(), 1980);
    // The frame lies inside the window.
    EXPECT_GE(w.ScaleHeight(), 7530 + 1980);
}

// The rubber band: its heads at the cursor, 35 degrees either side of the line, each as long on
// screen as 3 % of the picture's height; the finished stroke on the frozen picture with its heads
// at the press point.
TEST_F(Annotate, RubberBandArrowHeadsAndTheStrokeOnTheFrozenPicture) {
    auto& w = Shown();
    services_.Files().ExpectColour(kRed);
    w.cmdLineColor->Click();
    w.Command2->Click();
    const QPoint start(200, 300);
    const QPoint end(500, 150);
    Press(w, start);
    Drag(w, QPoint(260, 280));
    Drag(w, end);
    ASSERT_TRUE(w.linFlyOut[1]->Visible());
    EXPECT_NEAR(w.linFlyOut[1]->X1() / 15.0, start.x(), 1);
    EXPECT_NEAR(w.linFlyOut[1]->Y1() / 15.0, start.y(), 1);
    EXPECT_NEAR(w.linFlyOut[1]->X2() / 15.0, end.x(), 1);
    EXPECT_NEAR(w.linFlyOut[1]->Y2() / 15.0, end.y(), 1);
    const double headLength = 0.03 * w.Plotter->Pixels().Height();
    const double back = std::atan2(start.y() - end.y(), start.x() - end.x());
    double sides[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const plat::LineControl& head = *w.linArrowHead[static_cast<std::size_t>(i)];
        ASSERT_TRUE(head.Visible());
        EXPECT_NEAR(head.X1() / 15.0, end.x(), 1);
        EXPECT_NEAR(head.Y1() / 15.0, end.y(), 1);
        const double dx = (head.X2() - head.X1()) / 15.0;
        const double dy = (head.Y2() - head.Y1()) / 15.0;
        EXPECT_NEAR(std::hypot(dx, dy), headLength, 1.5);
        double off = std::atan2(dy, dx) - back;
        off = std::remainder(off, 2 * kPi);
        EXPECT_NEAR(std::fabs(off) * 180 / kPi, 35, 6);
        sides[i] = off;
    }
    EXPECT_LT(sides[0] * sides[1], 0) << "the heads lie on either side of the line";

    const int redraws = w.RedrawCount();
    Release(w, end);
    EXPECT_FALSE(w.linFlyOut[1]->Visible());
    EXPECT_FALSE(w.linArrowHead[0]->Visible());
    EXPECT_FALSE(w.linArrowHead[1]->Visible());
    EXPECT_EQ(w.RedrawCount(), redraws);
    const QImage drawn = w.Plotter->Picture();
    EXPECT_TRUE(Near(drawn, 350, 225, kRed));
    EXPECT_TRUE(Near(drawn, 450, 175, kRed));
    // Heads at the press point, pointing along the line towards its end; none at the end.
    const double forward = std::atan2(end.y() - start.y(), end.x() - start.x());
    for (double turn : {-35.0, 35.0}) {
        const double a = forward + turn * kPi / 180;
        EXPECT_TRUE(Near(drawn, start.x() + 10 * std::cos(a), start.y() + 10 * std::sin(a), kRed)) << turn;
        const double b = back + turn * kPi / 180;
        EXPECT_FALSE(Near(drawn, end.x() + 10 * std::cos(b), end.y() + 10 * std::sin(b), kRed)) << turn;
    }
}

// A right click without movement draws no line: only the text and its box, centred on the click.
TEST_F(Annotate, ARightClickDrawsOnlyTheTextAndItsBox) {
    auto& w = Shown();
    services_.Files().ExpectColour(kYellow);
    w.cmdBoxColor->Click();
    services_.Files().ExpectColour(kBlue);
    w.cmdTextColor->Click();
    w.Command2->Click();
    // Without text or box a click leaves the picture as it was.
    const QImage before = w.Plotter->Picture();
    Press(w, QPoint(300, 200));
    Release(w, QPoint(300, 200));
    EXPECT_EQ(w.Plotter->Picture(), before);
    EXPECT_FALSE(w.linFlyOut[1]->Visible());

    w.txtText->SetText("  Threshold  ");
    w.chkBox->SetValue(1);
    const QPoint click(300, 200);
    Press(w, click);
    Release(w, click);
    const QImage after = w.Plotter->Picture();
    EXPECT_EQ(w.lblTextSize->Caption(), "Threshold");
    const double halfW = 0.65 * w.lblTextSize->Width() / 15.0;
    const double halfH = 0.6 * w.lblTextSize->Height() / 15.0;
    ASSERT_GT(halfW, 10);
    int changed = 0;
    int text = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (after.pixel(x, y) == before.pixel(x, y))
                continue;
            ++changed;
            EXPECT_LE(std::fabs(x - click.x()), halfW + 1.5) << x << "," << y;
            EXPECT_LE(std::fabs(y - click.y()), halfH + 1.5) << x << "," << y;
            if (At(after, x, y) == kBlue)
                ++text;
        }
    }
    EXPECT_GT(changed, 100);
    EXPECT_GT(text, 20);
    // The box is filled to its edge; the text is centred (its ink either side of the click).
    EXPECT_EQ(At(after, static_cast<int>(click.x() - halfW + 2), static_cast<int>(click.y() - halfH + 2)),
              kYellow);
    EXPECT_EQ(At(after, static_cast<int>(click.x() + halfW - 2), static_cast<int>(click.y() + halfH - 2)),
              kYellow);
    int left = 0;
    int right = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (At(after, x, y) == kBlue)
                ++(x < click.x() ? left : right);
    EXPECT_NEAR(left, right, (left + right) / 4);
}

// Activation and Cls keep the frozen picture; "Annotate Off" gives the live view back with one
// redraw, and Cls clears to the back colour again.
TEST_F(Annotate, TheFrozenPictureSurvivesActivationAndAnnotateOffReturnsTheLiveView) {
    auto& w = Shown();
    const QImage live = w.Plotter->Picture();
    const int liveHeight = w.ScaleHeight();
    w.Command2->Click();
    EXPECT_TRUE(w.Plotter->AutoRedraw());
    EXPECT_EQ(w.Plotter->Picture(), live);
    Press(w, QPoint(100, 100));
    Drag(w, QPoint(400, 400));
    Release(w, QPoint(400, 400));
    const QImage annotated = w.Plotter->Picture();
    ASSERT_NE(annotated, live);
    const int redraws = w.RedrawCount();
    w.Activate();
    w.Window()->activateWindow();
    plat::DoEvents(50);
    EXPECT_EQ(w.RedrawCount(), redraws);
    EXPECT_EQ(w.Plotter->Picture(), annotated);
    w.Plotter->Cls();
    EXPECT_EQ(w.Plotter->Picture(), live);

    w.Command2->Click();
    EXPECT_EQ(w.Command2->Caption(), "Annotate On");
    EXPECT_EQ(w.Annotating, 0);
    EXPECT_FALSE(w.fraAnnotate->Visible());
    EXPECT_FALSE(w.Plotter->AutoRedraw());
    EXPECT_EQ(w.RedrawCount(), redraws + 1);
    EXPECT_EQ(w.Plotter->Picture(), live);
    EXPECT_EQ(w.ScaleHeight(), liveHeight);
    EXPECT_TRUE(w.Plotter->Surface().Picture().isNull());
    w.Plotter->Cls();
    EXPECT_EQ(At(w.Plotter->Picture(), 5, 5), 0xFFFFFFU);
    // Outside annotation the right button draws nothing.
    Press(w, QPoint(100, 100));
    Drag(w, QPoint(400, 400));
    EXPECT_FALSE(w.linFlyOut[1]->Visible());
}

// temp.bmp is written in the program's folder as a copy of the frozen picture; a folder that
// refuses it does not stop annotation.
TEST_F(Annotate, TempBitmapIsACopyAndAnUnwritableFolderDoesNotStopAnnotation) {
    auto& w = Shown();
    const QImage live = w.Plotter->Picture();
    w.Command2->Click();
    const QImage written(QString::fromStdString((folder_ / "temp.bmp").string()));
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), live.convertToFormat(QImage::Format_RGB32));
    w.Command2->Click();

    const fs::path blocker = folder_ / "not-a-folder";
    std::ofstream(blocker) << "x";
    frmViewGround::ProgramFolder() = blocker / "sub";
    w.Command2->Click();
    EXPECT_EQ(w.Annotating, 1);
    EXPECT_TRUE(w.fraAnnotate->Visible());
    EXPECT_EQ(w.Plotter->Surface().Picture(), live);
    Press(w, QPoint(100, 100));
    Release(w, QPoint(300, 120));
    EXPECT_NE(w.Plotter->Picture(), live);
}

// Closing the window in annotation mode leaves the mode without a redraw, before the surface goes.
TEST_F(Annotate, ClosingDuringAnnotationLeavesTheModeBeforeTheSurfaceGoes) {
    auto& w = Shown();
    w.Command2->Click();
    const int redraws = w.RedrawCount();
    plat::Unload(w);
    EXPECT_FALSE(w.SurfaceCreated());
    EXPECT_EQ(w.Annotating, 0);
    EXPECT_FALSE(w.fraAnnotate->Visible());
    EXPECT_FALSE(w.Plotter->AutoRedraw());
    EXPECT_EQ(w.RedrawCount(), redraws);
}

// The colour buttons and the font button go through the viewer's own common dialog; a cancel
// changes nothing.
TEST_F(Annotate, ColourAndFontDialogsAndTheirCancels) {
    auto& w = Shown();
    struct Case {
        plat::CommandButton* button;
        plat::Label* swatch;
    };
    for (const Case& c :
         {Case{w.cmdLineColor.get(), w.lblLineColor.get()}, Case{w.cmdTextColor.get(), w.lblTextColor.get()},
          Case{w.cmdBoxColor.get(), w.lblBoxColor.get()}}) {
        const plat::Colour start = c.swatch->BackColor();
        services_.Files().ExpectColourCancel();
        c.button->Click();
        EXPECT_EQ(c.swatch->BackColor(), start) << c.button->Name();
        services_.Files().ExpectColour(0x345678);
        c.button->Click();
        EXPECT_EQ(c.swatch->BackColor(), 0x345678U) << c.button->Name();
    }
    services_.Files().ExpectFontCancel();
    w.cmdTextFont->Click();
    EXPECT_EQ(w.lblTextFont->Caption(), "Sans Serif");
    EXPECT_EQ(w.lblNewTextSize->Caption(), "8");
    services_.Files().ExpectFont({"Times New Roman", 10.5});
    w.cmdTextFont->Click();
    EXPECT_EQ(w.lblTextFont->Caption(), "Times New Roman");
    EXPECT_EQ(w.lblNewTextSize->Caption(), "10.5");
    services_.Files().ExpectFont({"Courier New", 12});
    w.cmdTextFont->Click();
    EXPECT_EQ(w.lblNewTextSize->Caption(), "12");
    const auto& requests = services_.Files().FontRequests();
    ASSERT_EQ(requests.size(), 3U);
    EXPECT_EQ(requests[0].name, "Sans Serif");
    EXPECT_DOUBLE_EQ(requests[0].size, 8);
    EXPECT_EQ(requests[0].flags, 3);
    EXPECT_EQ(requests[2].name, "Times New Roman");
    EXPECT_DOUBLE_EQ(requests[2].size, 10.5);
    // The chosen font sizes the stroke text.
    w.Command2->Click();
    w.txtText->SetText("Glide path");
    Press(w, QPoint(300, 200));
    Release(w, QPoint(300, 200));
    const int bigger = w.lblTextSize->Height();
    services_.Files().ExpectFont({"Sans Serif", 8});
    w.cmdTextFont->Click();
    Press(w, QPoint(300, 300));
    Release(w, QPoint(300, 300));
    EXPECT_LT(w.lblTextSize->Height(), bigger);
}

} // namespace
