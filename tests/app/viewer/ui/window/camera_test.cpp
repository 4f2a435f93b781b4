// The viewer's camera controls through real events on an off-screen window with a real OSMesa picture:
// view mode, point choice, keys, orbit, fly-through, mouse drags, re-aim and closing mid-motion.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "ViewerProfileGrid.h"
#include "ViewerShown.h"
#include "common/VectorsAndMatrices.h"
#include "platform/gl/GlDrawing.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"
#include "platform/ui/testing/GuiTest.h"
#include "shell/model/ModelVariables.h"
#include "viewer/logic/Picking.h"
#include "viewer/ui/frmViewGround.h"

namespace {

using common::Vector3;
// The window's class (its name alone is the function that gives its default instance).
using Viewer = class frmViewGround;

// The heading and elevation of the line of sight, degrees.
std::pair<double, double> Sight(const viewer::Camera& c) {
    double heading = 0;
    double elevation = 0;
    viewer::SightAngles(common::VecSubtract(c.Target, c.Eye), heading, elevation);
    return {heading, elevation};
}

void ExpectNear(const Vector3& a, const Vector3& b, double tolerance) {
    EXPECT_NEAR(a.X, b.X, tolerance);
    EXPECT_NEAR(a.Y, b.Y, tolerance);
    EXPECT_NEAR(a.Z, b.Z, tolerance);
}

class ViewerCamera : public ::testing::Test {
protected:
    ViewerCamera() { plat::testing::Application(); }
    void SetUp() override {
        shell::Model() = shell::ModelVariables{};
        saved_ = frmViewGround::MakeSurface();
    }
    void TearDown() override {
        plat::DeleteWindowInstances();
        frmViewGround::MakeSurface() = saved_;
    }
    class frmViewGround& Shown() {
        return ShowViewer([this]() -> const plat::GridModel* { return noGround_ ? nullptr : &grid_; });
    }
    void NoSurface() {
        frmViewGround::MakeSurface() = [](int, int) { return std::unique_ptr<plat::GlSurface>(); };
    }
    // A mouse event on the picture at a pixel (fractions allowed), as the window system sends it.
    static void Mouse(Viewer& w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                      QPointF pixel, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* view = w.Plotter->Widget();
        QMouseEvent e(type, pixel, view->mapToGlobal(pixel), button, held, modifiers);
        QApplication::sendEvent(view, &e);
    }
    static void Press(Viewer& w, Qt::MouseButton b, QPointF p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Mouse(w, QEvent::MouseButtonPress, b, b, p, m);
    }
    static void Drag(Viewer& w, Qt::MouseButton b, QPointF p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Mouse(w, QEvent::MouseMove, Qt::NoButton, b, p, m);
    }
    static void Release(Viewer& w, Qt::MouseButton b, QPointF p, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Mouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, p, m);
    }
    // The picture's user scale as the picking maths sees it, and a pixel in user units.
    static viewer::PictureScale Scale(Viewer& w) {
        const plat::Canvas& s = w.Plotter->Surface();
        viewer::PictureScale scale;
        scale.ScaleLeft = static_cast<float>(s.ScaleLeft());
        scale.ScaleTop = static_cast<float>(s.ScaleTop());
        scale.ScaleWidth = static_cast<float>(s.ScaleWidth());
        scale.ScaleHeight = static_cast<float>(s.ScaleHeight());
        scale.WidthPixels = w.Plotter->Pixels().Width();
        scale.HeightPixels = w.Plotter->Pixels().Height();
        scale.Width = static_cast<float>(w.Plotter->Width());
        scale.Height = static_cast<float>(w.Plotter->Height());
        return scale;
    }
    static std::pair<float, float> User(Viewer& w, QPointF p) {
        const plat::Canvas& s = w.Plotter->Surface();
        return {static_cast<float>(s.FromPixelX(p.x())), static_cast<float>(s.FromPixelY(p.y()))};
    }
    static QPointF Centre(Viewer& w) {
        return {w.Plotter->Pixels().Width() / 2.0, w.Plotter->Pixels().Height() / 2.0};
    }
    static void Click(plat::Control& c) { QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(6, 6)); }

    ViewerProfileGrid grid_{{"0", "10", "20", "40", "30"}};
    bool noGround_ = false;
    frmViewGround::SurfaceFactory saved_;
};

// The current OpenGL picture's unprojection: what the window picks with after its last redraw.
const viewer::Unproject kPicture = [](float px, float py, float& depth) {
    return plat::UnProjectPoint(px, py, depth);
};

// Without ground the redraw prints its error and leaves the boxes as the buttons wrote them (with a
// scene it writes them from the camera).
TEST_F(ViewerCamera, ViewModeButtonsSetTheAngleBoxesAndTheirButtons) {
    noGround_ = true;
    auto& w = Shown();
    ASSERT_TRUE(w.SurfaceCreated());
    EXPECT_EQ(w.cmdAngleUp.Count(), 21);
    EXPECT_EQ(w.cmdAngleUp(5).Caption(), ">>");
    EXPECT_EQ(w.cmdAngleUp(10).Caption(), "o");
    EXPECT_TRUE(w.cmdAngleUp(17).Visible());
    const int redraws = w.RedrawCount();
    w.txtLatAngle->SetText("123");
    Click(*w.opt3D0);
    EXPECT_TRUE(w.opt3D0->Value());
    EXPECT_EQ(w.txtElevAngle->Text(), "0");
    EXPECT_EQ(w.txtLatAngle->Text(), "0");
    EXPECT_FALSE(w.txtElevAngle->Enabled());
    EXPECT_FALSE(w.txtLatAngle->Enabled());
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(w.cmdAngleUp(i).Enabled(), i > 7) << i;
    }
    EXPECT_EQ(w.RedrawCount(), redraws + 1);
    w.txtLatAngle->SetText("123");
    Click(*w.opt3D1);
    EXPECT_EQ(w.txtElevAngle->Text(), "40");
    EXPECT_EQ(w.txtLatAngle->Text(), "123");
    EXPECT_TRUE(w.txtElevAngle->Enabled());
    for (int i = 0; i < 21; ++i) {
        EXPECT_TRUE(w.cmdAngleUp(i).Enabled()) << i;
    }
    EXPECT_EQ(w.RedrawCount(), redraws + 2);
    // A distance step moves the eye out along the boxes' angles and redraws.
    w.txtDist->SetText("1000");
    w.txtElevAngle->SetText("0");
    w.txtLatAngle->SetText("90");
    Click(w.cmdAngleUp(17));
    EXPECT_EQ(w.RedrawCount(), redraws + 3);
    ExpectNear(w.View.Eye, {1100, 0, 0}, 1e-2);
}

TEST_F(ViewerCamera, TheSideViewOpeningDisablesTheAngleButtonsWithoutARedrawAtLoad) {
    auto& w = frmViewGround();
    ViewGroundHost host;
    host.openedByView2D = [] { return true; };
    w.SetHost(host);
    plat::Load(w);
    EXPECT_EQ(w.RedrawCount(), 0);
    EXPECT_FALSE(w.cmdAngleUp(0).Enabled());
    EXPECT_FALSE(w.txtElevAngle->Enabled());
}

TEST_F(ViewerCamera, TheChoiceTakesTheBoxesIntoThePointTheyShowed) {
    auto& w = Shown();
    w.txtX0->SetText("100");
    w.txtY0->SetText("200");
    w.txtZ0->SetText("30");
    const Vector3 eye = w.View.Eye;
    Click(*w.optTargetEye1);
    EXPECT_EQ(w.View.Target, (Vector3{100, 200, 30}));
    EXPECT_EQ(w.txtX0->Text(), plat::Format(eye.X, "####0.00"));
    EXPECT_EQ(w.txtZ0->Text(), plat::Format(eye.Z, "####0.00"));
    w.txtZ0->SetText("99");
    Click(*w.optTargetEye0);
    EXPECT_EQ(w.View.Eye.Z, 99);
    EXPECT_EQ(w.txtX0->Text(), "100.00");
}

TEST_F(ViewerCamera, EnterClampsTheBoxesAndFocusSelectsAll) {
    auto& w = Shown();
    const int redraws = w.RedrawCount();
    struct Case {
        plat::TextBox* box;
        const char* typed;
        const char* shown;
    };
    for (const Case c : {Case{w.txtElevAngle.get(), "95", "90"}, Case{w.txtElevAngle.get(), "", "0"},
                         Case{w.txtX0.get(), "-7000.6", "-5000"}, Case{w.txtY0.get(), "12.7abc", "13"},
                         Case{w.txtZ0.get(), "7000", "7000"}}) {
        c.box->SetFocus();
        c.box->SetText(c.typed);
        QTest::keyClick(c.box->Editor(), Qt::Key_Return);
        EXPECT_EQ(c.box->Text(), c.shown) << c.box->Name() << " " << c.typed;
    }
    EXPECT_EQ(w.RedrawCount(), redraws);
    for (plat::TextBox* box : {w.txtX0.get(), w.txtY0.get(), w.txtZ0.get()}) {
        box->SetText("1234");
        w.cmdRefresh->SetFocus();
        box->SetFocus();
        EXPECT_EQ(box->SelStart(), 0) << box->Name();
        EXPECT_EQ(box->SelLength(), 4) << box->Name();
    }
}

TEST_F(ViewerCamera, KeyGSwitchesTheRendererAndWhileFlyingAddsNoRedraw) {
    auto& w = Shown();
    w.cmdRefresh->SetFocus();
    int redraws = w.RedrawCount();
    for (bool expected : {false, true}) {
        QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_G);
        EXPECT_EQ(w.UseOpenGL, expected);
        EXPECT_EQ(w.RedrawCount(), ++redraws);
    }
    Click(*w.Command1);
    ASSERT_EQ(w.View.Motion, viewer::MotionState::Flying);
    w.cmdRefresh->SetFocus();
    redraws = w.RedrawCount();
    QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_G);
    EXPECT_FALSE(w.UseOpenGL);
    // An arrow key turns the flight's line of sight, also without a redraw.
    const double heading = Sight(w.View).first;
    QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_Right);
    EXPECT_NEAR(Sight(w.View).first, std::fmod(heading + 2, 360.0), 1e-3);
    EXPECT_EQ(w.RedrawCount(), redraws);
    // Nothing while annotating.
    w.Annotating = 1;
    QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_G);
    EXPECT_FALSE(w.UseOpenGL);
    w.Annotating = 0;
    // Nor while a text box or the presets list has the focus: there the keys edit or choose.
    for (plat::Control* c : {static_cast<plat::Control*>(w.txtX0.get()), static_cast<plat::Control*>(w.cmbPresets.get())}) {
        c->SetFocus();
        const double before = Sight(w.View).first;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_G);
        EXPECT_NEAR(Sight(w.View).first, before, 1e-9) << c->Name();
        EXPECT_FALSE(w.UseOpenGL) << c->Name();
    }
}

TEST_F(ViewerCamera, KeyGDoesNothingWithoutASurface) {
    NoSurface();
    auto& w = Shown();
    EXPECT_FALSE(w.cmdAngleUp(17).Visible());
    EXPECT_TRUE(w.cmdAngleUp(16).Visible());
    w.cmdRefresh->SetFocus();
    const int redraws = w.RedrawCount();
    QTest::keyClick(w.cmdRefresh->Widget(), Qt::Key_G);
    EXPECT_FALSE(w.UseOpenGL);
    EXPECT_EQ(w.RedrawCount(), redraws);
    // Drags need the picture: without it they move nothing.
    const Vector3 eye = w.View.Eye;
    Press(w, Qt::LeftButton, {100, 100});
    Drag(w, Qt::LeftButton, {300, 300});
    Release(w, Qt::LeftButton, {300, 300});
    EXPECT_EQ(w.View.Eye, eye);
}

TEST_F(ViewerCamera, EachOrbitTickTurnsOneDegreeUntilALabelIsClicked) {
    auto& w = Shown();
    const Vector3 target = w.View.Target;
    const double distance = common::VecDistance(w.View.Eye, target);
    Click(w.lblOrbit(0));
    ASSERT_EQ(w.View.Motion, viewer::MotionState::Orbiting);
    EXPECT_TRUE(w.tmrOrbit->Enabled());
    EXPECT_EQ(w.tmrOrbit->Interval(), 16);
    const int redraws = w.RedrawCount();
    constexpr int kTicks = 5;
    for (int i = 0; i < kTicks; ++i) {
        w.tmrOrbit->Tick();
    }
    EXPECT_EQ(w.RedrawCount(), redraws + kTicks);
    // Seen from the target, the eye started at 270 degrees.
    double lateral = 0;
    double elevation = 0;
    viewer::SightAngles(common::VecSubtract(w.View.Eye, w.View.Target), lateral, elevation);
    EXPECT_NEAR(lateral, 270 + kTicks, 1e-3);
    EXPECT_NEAR(common::VecDistance(w.View.Eye, w.View.Target), distance, 1e-2);
    EXPECT_EQ(w.View.Target, target);
    Click(w.lblOrbit(1));
    EXPECT_EQ(w.View.Motion, viewer::MotionState::Idle);
    EXPECT_FALSE(w.tmrOrbit->Enabled());
    const Vector3 stopped = w.View.Eye;
    w.tmrOrbit->Tick();
    EXPECT_EQ(w.View.Eye, stopped);
    EXPECT_EQ(w.RedrawCount(), redraws + kTicks);
}

// Each event is checked against the picking maths run on the same picture just before it.
TEST_F(ViewerCamera, DragsMoveTheCameraAsThePickingMathsPredicts) {
    auto& w = Shown();
    w.LoadGroundNodes();
    w.RedrawView();
    const viewer::PictureScale scale = Scale(w);
    viewer::DragState drag;
    const auto press = [&](Qt::MouseButton b, QPointF p, Qt::KeyboardModifiers m) {
        const auto [x, y] = User(w, p);
        viewer::PressForDrag(drag, w.View, x, y, scale, kPicture);
        Press(w, b, p, m);
    };
    const auto step = [&](Qt::MouseButton b, QPointF p, Qt::KeyboardModifiers m, auto maths) {
        viewer::Camera predicted = w.View;
        const auto [x, y] = User(w, p);
        ASSERT_TRUE(maths(predicted, x, y));
        const int redraws = w.RedrawCount();
        Drag(w, b, p, m);
        EXPECT_EQ(w.RedrawCount(), redraws + 1);
        ExpectNear(w.View.Eye, predicted.Eye, 1e-2);
        ExpectNear(w.View.Target, predicted.Target, 1e-2);
    };
    const auto turn = [&](viewer::Camera& c, float x, float y) {
        return viewer::TurnStep(drag, c, x, y, scale, kPicture);
    };
    const auto dolly = [&](viewer::Camera& c, float x, float y) {
        return viewer::DollyStep(drag, c, x, y, scale, kPicture);
    };
    const auto pan = [&](viewer::Camera& c, float x, float y) {
        viewer::ViewBoxes boxes;
        return viewer::PanStep(drag, c, boxes, x, y, scale, kPicture);
    };

    const Vector3 start = w.View.Eye;
    press(Qt::LeftButton, {300, 200}, Qt::NoModifier);
    for (QPointF p : {QPointF{330, 210}, QPointF{360, 230}, QPointF{400, 240}}) {
        step(Qt::LeftButton, p, Qt::NoModifier, turn);
    }
    Release(w, Qt::LeftButton, {400, 240});
    EXPECT_GT(common::VecDistance(start, w.View.Eye), 10);

    const double before = common::VecDistance(w.View.Eye, w.View.Target);
    press(Qt::RightButton, {370, 200}, Qt::NoModifier);
    for (QPointF p : {QPointF{370, 150}, QPointF{370, 100}}) {
        step(Qt::RightButton, p, Qt::NoModifier, dolly);
    }
    Release(w, Qt::RightButton, {370, 100});
    EXPECT_GT(std::abs(common::VecDistance(w.View.Eye, w.View.Target) - before), 10);

    const Vector3 target = w.View.Target;
    press(Qt::MiddleButton, {370, 250}, Qt::ControlModifier);
    step(Qt::MiddleButton, {390, 260}, Qt::ControlModifier, pan);
    Release(w, Qt::MiddleButton, {390, 260}, Qt::ControlModifier);
    EXPECT_GT(common::VecDistance(target, w.View.Target), 1);
    EXPECT_EQ(w.txtX0->Text(), plat::Format(w.View.Target.X, "####0.000"));
}

// With "Eye" chosen the boxes show the eye after each drag and re-aim, so that the next redraw, which
// takes the boxes as the eye, keeps the camera where the mouse put it.
TEST_F(ViewerCamera, WithTheEyeChosenDragsAndReAimKeepTheirCamera) {
    auto& w = Shown();
    w.LoadGroundNodes();
    Click(*w.optTargetEye1);
    w.RedrawView();
    const double distance = common::VecDistance(w.View.Eye, w.View.Target);
    Press(w, Qt::MiddleButton, {370, 250}, Qt::ControlModifier);
    Drag(w, Qt::MiddleButton, {390, 260}, Qt::ControlModifier);
    w.RedrawView();
    EXPECT_NEAR(common::VecDistance(w.View.Eye, w.View.Target), distance, 0.1);
    EXPECT_EQ(w.txtX0->Text(), plat::Format(w.View.Eye.X, "####0.000"));
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        const Vector3 before = w.View.Eye;
        Press(w, b, {300, 200});
        Drag(w, b, {360, 120});
        const Vector3 dragged = w.View.Eye;
        EXPECT_GT(common::VecDistance(before, dragged), 1) << b;
        w.RedrawView();
        ExpectNear(w.View.Eye, dragged, 0.01);
        Release(w, b, {360, 120});
    }
    const Vector3 eye = w.View.Eye;
    Press(w, Qt::LeftButton, Centre(w), Qt::ControlModifier);
    Release(w, Qt::LeftButton, Centre(w), Qt::ControlModifier);
    ExpectNear(w.View.Eye, eye, 0.01);
    EXPECT_NEAR(w.View.Target.Z, 0, 1e-3);
}

TEST_F(ViewerCamera, CtrlClickAtTheCentrePutsTheLookAtPointOnTheGround) {
    auto& w = Shown();
    w.txtZ0->SetText("50");
    w.RedrawView();
    ASSERT_EQ(w.View.Target, (Vector3{0, 0, 50}));
    const Vector3 eye = w.View.Eye; // (-1000, 0, 150): the line of sight meets the ground at (500, 0, 0)
    const int redraws = w.RedrawCount();
    Press(w, Qt::LeftButton, Centre(w), Qt::ControlModifier);
    Release(w, Qt::LeftButton, Centre(w), Qt::ControlModifier);
    EXPECT_EQ(w.RedrawCount(), redraws + 1);
    ExpectNear(w.View.Eye, eye, 1e-3);
    ExpectNear(w.View.Target, {500, 0, 0}, 1e-2);
    EXPECT_NEAR(plat::Val(w.txtX0->Text()), 500, 1e-2);
    EXPECT_NEAR(plat::Val(w.txtZ0->Text()), 0, 1e-3);
}

TEST_F(ViewerCamera, AReleaseAtTheCentreDuringAFlightKeepsTheCourse) {
    auto& w = Shown();
    Click(*w.Command1);
    ASSERT_EQ(w.View.Motion, viewer::MotionState::Flying);
    EXPECT_EQ(w.Command1->Caption(), "Stop");
    EXPECT_TRUE(w.Timer1->Enabled());
    EXPECT_EQ(w.Timer1->Interval(), 16);
    w.View.FlySpeed = 3;
    const auto [heading, elevation] = Sight(w.View);
    const double range = common::VecDistance(w.View.Eye, w.View.Target);
    const int redraws = w.RedrawCount();
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        Press(w, b, Centre(w));
        Release(w, b, Centre(w));
        EXPECT_FLOAT_EQ(w.View.FlySpeed, 1.0F);
        EXPECT_NEAR(Sight(w.View).first, heading, 1e-3);
        EXPECT_NEAR(Sight(w.View).second, elevation, 1e-3);
        EXPECT_NEAR(common::VecDistance(w.View.Eye, w.View.Target), range, 1e-2);
    }
    EXPECT_EQ(w.RedrawCount(), redraws);
    // Ticks move both points 10 ft each along the line of sight (the distance box holds the range).
    const Vector3 eye = w.View.Eye;
    w.Timer1->Tick();
    w.Timer1->Tick();
    EXPECT_EQ(w.RedrawCount(), redraws + 2);
    EXPECT_NEAR(common::VecDistance(eye, w.View.Eye), 20, 1e-2);
    EXPECT_NEAR(Sight(w.View).first, heading, 1e-3);
    Click(*w.Command1);
    EXPECT_EQ(w.View.Motion, viewer::MotionState::Idle);
    EXPECT_EQ(w.Command1->Caption(), "Fly Through");
    EXPECT_FALSE(w.Timer1->Enabled());
    EXPECT_EQ(w.txtX0->Text(), plat::Format(w.View.Target.X, "####0.00"));
}

// In annotation mode a right drag holds the flight (the stroke's rubber band) and its release still
// steers; the camera takes no drag.
TEST_F(ViewerCamera, InAnnotationModeARightDragHoldsTheFlightAndTheReleaseSteers) {
    auto& w = Shown();
    Click(*w.Command1);
    w.Annotating = 1;
    const auto [heading, elevation] = Sight(w.View);
    const Vector3 eye = w.View.Eye;
    Press(w, Qt::RightButton, {100, 250});
    Drag(w, Qt::RightButton, {50, 250});
    EXPECT_FALSE(w.Timer1->Enabled());
    EXPECT_EQ(w.View.Eye, eye);
    // The left edge of the OpenGL picture turns the course 20 degrees.
    Release(w, Qt::RightButton, {0, 250});
    EXPECT_NEAR(Sight(w.View).first, std::fmod(heading - 20 + 360, 360.0), 0.1);
    EXPECT_NEAR(Sight(w.View).second, elevation, 0.1);
    w.Annotating = 0;
}

TEST_F(ViewerCamera, BankButtonsTurnTheSoftwarePictureTenDegrees) {
    auto& w = Shown();
    const int redraws = w.RedrawCount();
    Click(w.cmdBank(0));
    EXPECT_EQ(w.View.BankAngle, 350);
    Click(w.cmdBank(1));
    Click(w.cmdBank(1));
    EXPECT_EQ(w.View.BankAngle, 10);
    EXPECT_EQ(w.RedrawCount(), redraws + 3);
}

// Closing during a motion stops its timer: after a few real ticks no handler runs any more.
TEST_F(ViewerCamera, ClosingDuringAnOrbitOrAFlightStopsItsTimers) {
    for (int motion = 0; motion < 2; ++motion) {
        auto& w = Shown();
        w.LoadGroundNodes();
        if (motion == 0) {
            Click(w.lblOrbit(1));
        } else {
            Click(*w.Command1);
        }
        const int started = w.RedrawCount();
        ASSERT_TRUE(plat::testing::WaitFor([&] { return w.RedrawCount() >= started + 2; })) << motion;
        plat::Unload(w);
        EXPECT_FALSE(w.Timer1->Enabled());
        EXPECT_FALSE(w.tmrOrbit->Enabled());
        EXPECT_EQ(w.View.Motion, viewer::MotionState::Idle);
        const int closed = w.RedrawCount();
        const Vector3 eye = w.View.Eye;
        plat::DoEvents(80);
        EXPECT_EQ(w.RedrawCount(), closed) << motion;
        EXPECT_EQ(w.View.Eye, eye) << motion;
        plat::DeleteWindowInstances();
    }
}

} // namespace
