// The viewer's camera controls: step and bank buttons, view mode and point choice, the boxes' Enter
// keys, the arrow keys and G, the orbit and the fly-through.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "platform/text/KeyCodes.h"
#include "viewer/ui/frmViewGround.h"

namespace {

// The controls whose arrow keys are their own.
constexpr std::array<std::string_view, 3> kEditingControls{"TextBox", "ComboBox", "Slider"};

// Wide enough for "<<" and ">>", as tall as the box beside them.
constexpr int kButtonWidth = 360;
constexpr int kButtonHeight = 285;
constexpr int kButtonPitch = 375;
constexpr int kPointButtonWidth = 255;
constexpr int kPointButtonPitch = 270;
constexpr int kPointButtonHeight = 240;
// Letters' key codes are their capitals'.
constexpr int kKeyG = plat::key::A + ('G' - 'A');
// Step buttons that turn the angles: disabled in side view.
constexpr int kLastAngleButton = 7;
// Distance buttons: shown only with the OpenGL picture.
constexpr int kFirstDistanceButton = 17;

// The buttons beside a box, left to right (by caption: "<<", "<", ">", ">>").
constexpr std::array<int, 4> kElevRow{3, 2, 0, 1};
constexpr std::array<int, 4> kLatRow{7, 6, 4, 5};
constexpr std::array<int, 4> kDistRow{20, 19, 17, 18};
// The buttons under the X, Y and Z boxes, left to right ("<", "o", ">").
constexpr std::array<std::array<int, 3>, 3> kPointRows{{{8, 10, 9}, {11, 13, 12}, {14, 16, 15}}};

} // namespace

void frmViewGround::BuildCameraControls() {
    for (int i = 0; i < static_cast<int>(viewer::kStepButtons.size()); ++i) {
        cmdAngleUp.Load(i).SetCaption(viewer::kStepButtons[static_cast<std::size_t>(i)].Caption);
    }
    const auto besideBox = [this](const plat::TextBox& box, const std::array<int, 4>& row) {
        int left = box.Left() + box.Width() + 50;
        for (int index : row) {
            cmdAngleUp(index).Move(left, box.Top(), kButtonWidth, kButtonHeight);
            left += kButtonPitch;
        }
    };
    besideBox(*txtElevAngle, kElevRow);
    besideBox(*txtLatAngle, kLatRow);
    besideBox(*txtDist, kDistRow);
    // The X/Y/Z buttons take the row left for them under their boxes.
    const std::array<const plat::TextBox*, 3> pointBoxes{txtX0.get(), txtY0.get(), txtZ0.get()};
    for (std::size_t b = 0; b < pointBoxes.size(); ++b) {
        int left = pointBoxes[b]->Left();
        for (int index : kPointRows[b]) {
            cmdAngleUp(index).Move(left, pointBoxes[b]->Top() + pointBoxes[b]->Height() + 15,
                                   kPointButtonWidth, kPointButtonHeight);
            left += kPointButtonPitch;
        }
    }
    cmdAngleUp.Click = [this](int index) { cmdAngleUp_Click(index); };

    // Motion and bank controls sit under the picture, left of the annotation tools.
    SetClientSize(kClientWidth, 9600);
    Command1 = std::make_unique<plat::CommandButton>(*this, "Command1");
    Command1->Move(60, 7560, 1380, 375);
    Command1->SetCaption("Fly Through");
    Command1->Click = [this] { Command1_Click(); };
    const std::array<const char*, 2> orbitCaptions{"<Orbit", "Orbit>"};
    const std::array<const char*, 2> bankCaptions{"<", ">"};
    for (int i = 0; i < 2; ++i) {
        plat::Label& orbit = lblOrbit.Load(i);
        orbit.Move(60 + 720 * i, 8010, 660, 240);
        orbit.SetCaption(orbitCaptions[static_cast<std::size_t>(i)]);
        orbit.SetAlignment(2);
        plat::CommandButton& bank = cmdBank.Load(i);
        bank.Move(60 + 720 * i, 8340, 660, 330);
        bank.SetCaption(bankCaptions[static_cast<std::size_t>(i)]);
    }
    lblOrbit.Click = [this](int index) { lblOrbit_Click(index); };
    cmdBank.Click = [this](int index) { cmdBank_Click(index); };

    Timer1 = std::make_unique<plat::Timer>(*this, "Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(kMotionTickMs);
    Timer1->Tick = [this] { Timer1_Timer(); };
    tmrOrbit = std::make_unique<plat::Timer>(*this, "tmrOrbit");
    tmrOrbit->SetEnabled(false);
    tmrOrbit->SetInterval(kMotionTickMs);
    tmrOrbit->Tick = [this] { tmrOrbit_Timer(); };

    opt3D0->Click = [this] { opt3D_Click(0); };
    opt3D1->Click = [this] { opt3D_Click(1); };
    optTargetEye0->MouseDown = [this](int, int, double, double) { optTargetEye_MouseDown(); };
    optTargetEye1->MouseDown = [this](int, int, double, double) { optTargetEye_MouseDown(); };
    optTargetEye0->Click = [this] { optTargetEye_Click(0); };
    optTargetEye1->Click = [this] { optTargetEye_Click(1); };

    txtElevAngle->KeyPress = [this](int& keyAscii) {
        if (keyAscii == plat::ascii::Enter) {
            txtElevAngle->SetText(viewer::ElevAngleEntered(txtElevAngle->Text()));
            keyAscii = 0;
        }
    };
    for (plat::TextBox* box : {txtX0.get(), txtY0.get()}) {
        box->KeyPress = [box](int& keyAscii) {
            if (keyAscii == plat::ascii::Enter) {
                box->SetText(viewer::PositionEntered(box->Text()));
                keyAscii = 0;
            }
        };
    }
    for (plat::TextBox* box : {txtX0.get(), txtY0.get(), txtZ0.get()}) {
        box->GotFocus = [box] {
            box->SetSelStart(0);
            box->SetSelLength(static_cast<int>(box->Text().size()));
        };
    }

    // The arrow keys and G work wherever the focus is but in a text box or a list. A click on the
    // picture gives it the focus, so that the keys turn the view after a box was edited.
    SetKeyPreview(true);
    Plotter->Widget()->setFocusPolicy(Qt::ClickFocus);
    KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };

    Plotter->MouseDown = [this](int button, int shift, double x, double y) {
        Plotter_MouseDown(button, shift, x, y);
    };
    Plotter->MouseMove = [this](int button, int shift, double x, double y) {
        Plotter_MouseMove(button, shift, x, y);
    };
    Plotter->MouseUp = [this](int button, int shift, double x, double y) {
        Plotter_MouseUp(button, shift, x, y);
    };
}

void frmViewGround::ShowCameraControls() {
    for (int i = kFirstDistanceButton; i <= cmdAngleUp.UBound(); ++i) {
        cmdAngleUp(i).SetVisible(UseOpenGL);
    }
    ApplyViewMode(opt3D1->Value());
    cameraShown_ = true;
}

void frmViewGround::StopCameraMotion() {
    Timer1->SetEnabled(false);
    tmrOrbit->SetEnabled(false);
    View.Motion = viewer::MotionState::Idle;
}

void frmViewGround::cmdAngleUp_Click(int index) {
    viewer::ViewBoxes boxes = Boxes();
    viewer::PressStepButton(index, View, boxes);
    ShowBoxes(boxes);
    RedrawView();
}

void frmViewGround::cmdBank_Click(int index) {
    viewer::PressBankButton(index, View);
    RedrawView();
}

void frmViewGround::ApplyViewMode(bool freeView) {
    txtElevAngle->SetEnabled(freeView);
    txtLatAngle->SetEnabled(freeView);
    for (int i = 0; i <= kLastAngleButton; ++i) {
        cmdAngleUp(i).SetEnabled(freeView);
    }
}

// The load selects the side view before the window has a picture: its state is applied when the
// load ends, without a redraw.
void frmViewGround::opt3D_Click(int index) {
    if (!cameraShown_) {
        return;
    }
    viewer::ViewBoxes boxes = Boxes();
    ApplyViewMode(
        viewer::SelectViewMode(index == 1 ? viewer::ViewMode::Free : viewer::ViewMode::Side, boxes));
    ShowBoxes(boxes);
    RedrawView();
}

// Edits in the X/Y/Z boxes go into the point they showed before the choice changes.
void frmViewGround::optTargetEye_MouseDown() {
    viewer::TakeChosenPoint(View, Boxes());
}

void frmViewGround::optTargetEye_Click(int index) {
    viewer::ViewBoxes boxes = Boxes();
    boxes.EyeChosen = index == 1;
    viewer::ShowChosenPoint(View, boxes, "####0.00");
    ShowBoxes(boxes);
}

void frmViewGround::Form_KeyDown(int& keyCode, int /*shift*/) {
    if (Annotating != 0) {
        return;
    }
    // In a text box, a list or a slider the arrows and letters edit, choose or slide; turning the
    // view as well would undo what the control is for.
    const plat::Control* focus = ActiveControl();
    if (focus != nullptr && std::ranges::find(kEditingControls, focus->TypeName()) != kEditingControls.end()) {
        return;
    }
    const int code = viewer::RotateCodeOfKey(keyCode);
    if (code >= 0) {
        viewer::ViewBoxes boxes = Boxes();
        viewer::RotateView(code, View, boxes);
        ShowBoxes(boxes);
    } else if (keyCode == kKeyG) {
        // Without a surface there is no OpenGL picture to switch to.
        if (!SurfaceCreated()) {
            return;
        }
        UseOpenGL = !UseOpenGL;
    } else {
        return;
    }
    // The key was the view's: a button with the focus does not move it on as well.
    keyCode = 0;
    // While moving, the motion redraws.
    if (View.Motion == viewer::MotionState::Idle) {
        RedrawView();
    }
}

// A second click on either label stops the orbit; each tick of tmrOrbit turns it a degree.
void frmViewGround::lblOrbit_Click(int index) {
    if (View.Motion == viewer::MotionState::Orbiting) {
        View.Motion = viewer::MotionState::Idle;
        tmrOrbit->SetEnabled(false);
        return;
    }
    View.Motion = viewer::MotionState::Orbiting;
    orbitIndex_ = index;
    orbitAngle_ = viewer::OrbitStartAngle(Boxes());
    tmrOrbit->SetEnabled(true);
}

void frmViewGround::tmrOrbit_Timer() {
    if (View.Motion != viewer::MotionState::Orbiting) {
        tmrOrbit->SetEnabled(false);
        return;
    }
    viewer::ViewBoxes boxes = Boxes();
    viewer::OrbitStep(orbitIndex_, orbitAngle_, View, boxes);
    ShowBoxes(boxes);
    RedrawView();
}

void frmViewGround::Command1_Click() {
    const viewer::MotionState before = View.Motion;
    viewer::ViewBoxes boxes = Boxes();
    const viewer::MotionState after = viewer::ToggleFly(View, boxes);
    if (before == viewer::MotionState::Idle && after == viewer::MotionState::Flying) {
        Command1->SetCaption("Stop");
        chkShowLegend->SetValue(0);
        Timer1->SetInterval(kMotionTickMs);
        Timer1->SetEnabled(true);
        Plotter->Refresh();
    } else if (before == viewer::MotionState::Flying && after == viewer::MotionState::Idle) {
        Command1->SetCaption("Fly Through");
        Timer1->SetEnabled(false);
        ShowBoxes(boxes);
    }
}

void frmViewGround::Timer1_Timer() {
    if (!View.Moving()) {
        return;
    }
    viewer::ViewBoxes boxes = Boxes();
    if (!viewer::FlyStep(View, boxes)) {
        Timer1->SetEnabled(false);
    }
    ShowBoxes(boxes);
    RedrawView();
}
