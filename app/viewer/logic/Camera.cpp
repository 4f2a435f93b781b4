#include "viewer/logic/Camera.h"

#include "common/BoxValue.h"
#include "viewer/logic/BoxValue.h"

#include "common/Constants.h"
#include "common/modFunctions.h"
#include "platform/text/Numbers.h"
#include "platform/text/KeyCodes.h"
#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>
#include <limits>

using common::Vector3;

namespace viewer {
namespace {

// A box's value as a whole number (half to even) within −32768..32767.
int BoxWhole(const std::string& text) {
    return static_cast<int>(std::clamp(std::nearbyint(common::BoxValue(text)), -32768.0, 32767.0));
}

std::string& BoxOf(StepBox box, ViewBoxes& boxes) {
    switch (box) {
    case StepBox::ElevAngle: return boxes.ElevAngle;
    case StepBox::LatAngle: return boxes.LatAngle;
    case StepBox::X0: return boxes.X0;
    case StepBox::Y0: return boxes.Y0;
    case StepBox::Z0: return boxes.Z0;
    case StepBox::Dist: break;
    }
    return boxes.Dist;
}

int Stepped(int value, const StepButton& button) {
    const int result = value + button.Step;
    switch (button.Rule) {
    case StepRule::Add: return result;
    case StepRule::WithinNinety: return result >= -90 && result <= 90 ? result : value;
    case StepRule::Wrap: return result < 0 ? result + 360 : (result >= 360 ? result - 360 : result);
    case StepRule::Zero: return 0;
    case StepRule::AtLeast100: break;
    }
    return std::max(result, 100);
}

double Wrap360(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360 : angle;
}

} // namespace

const std::array<StepButton, 21> kStepButtons{{
    {">", StepBox::ElevAngle, 1, StepRule::WithinNinety},
    {">>", StepBox::ElevAngle, 10, StepRule::WithinNinety},
    {"<", StepBox::ElevAngle, -1, StepRule::WithinNinety},
    {"<<", StepBox::ElevAngle, -10, StepRule::WithinNinety},
    {">", StepBox::LatAngle, -1, StepRule::Wrap},
    {">>", StepBox::LatAngle, -10, StepRule::Wrap},
    {"<", StepBox::LatAngle, 1, StepRule::Wrap},
    {"<<", StepBox::LatAngle, 10, StepRule::Wrap},
    {"<", StepBox::X0, -50, StepRule::Add},
    {">", StepBox::X0, 50, StepRule::Add},
    {"o", StepBox::X0, 0, StepRule::Zero},
    {"<", StepBox::Y0, -50, StepRule::Add},
    {">", StepBox::Y0, 50, StepRule::Add},
    {"o", StepBox::Y0, 0, StepRule::Zero},
    {"<", StepBox::Z0, -50, StepRule::Add},
    {">", StepBox::Z0, 50, StepRule::Add},
    {"o", StepBox::Z0, 0, StepRule::Zero},
    {">", StepBox::Dist, 100, StepRule::Add},
    {">>", StepBox::Dist, 1000, StepRule::Add},
    {"<", StepBox::Dist, -100, StepRule::AtLeast100},
    {"<<", StepBox::Dist, -1000, StepRule::AtLeast100},
}};

Vector3 PointFrom(const Vector3& from, double length, const Vector3& direction) {
    return common::MakeVector(static_cast<float>(from.X + length * direction.X),
                              static_cast<float>(from.Y + length * direction.Y),
                              static_cast<float>(from.Z + length * direction.Z));
}

void SightAngles(const Vector3& w, double& heading, double& elevation) {
    const double h = std::hypot(static_cast<double>(w.X), static_cast<double>(w.Y));
    heading = common::Atan2Pos(w.Y, w.X) * kRadToDeg;
    if (h == 0)
        elevation = w.Z >= 0 ? 90 : -90;
    else
        elevation = std::atan(w.Z / h) * kRadToDeg;
}

Vector3 ViewDirection(double lateral, double elevation) {
    const double l = lateral * common::kDegToRad;
    const double e = elevation * common::kDegToRad;
    return common::MakeVector(static_cast<float>(std::sin(l) * std::cos(e)),
                              static_cast<float>(std::cos(l) * std::cos(e)), static_cast<float>(std::sin(e)));
}

void ShowChosenPoint(const Camera& camera, ViewBoxes& boxes, const char* format) {
    const Vector3& p = boxes.EyeChosen ? camera.Eye : camera.Target;
    boxes.X0 = plat::Format(p.X, format);
    boxes.Y0 = plat::Format(p.Y, format);
    boxes.Z0 = plat::Format(p.Z, format);
}

void TakeChosenPoint(Camera& camera, const ViewBoxes& boxes) {
    (boxes.EyeChosen ? camera.Eye : camera.Target) =
        common::MakeVector(BoxSingle(boxes.X0), BoxSingle(boxes.Y0), BoxSingle(boxes.Z0));
}

void PressStepButton(int index, Camera& camera, ViewBoxes& boxes) {
    const StepButton& button = kStepButtons.at(static_cast<std::size_t>(index));
    std::string& box = BoxOf(button.Box, boxes);
    if (box.empty())
        box = button.Box == StepBox::Dist ? "1000" : "0";
    box = plat::Format(Stepped(BoxWhole(box), button), "######0");
    const Vector3 u = ViewDirection(BoxSingle(boxes.LatAngle), BoxSingle(boxes.ElevAngle));
    const double d = BoxSingle(boxes.Dist);
    if (!camera.Moving()) {
        camera.Eye = PointFrom(camera.Target, d, u);
        if (boxes.EyeChosen)
            ShowChosenPoint(camera, boxes, "####0.00");
    } else {
        camera.Target = PointFrom(camera.Eye, d * camera.FlySpeed, u);
    }
}

void PressBankButton(int index, Camera& camera) {
    int bank = camera.BankAngle + (index == 0 ? -10 : 10);
    if (bank > 359)
        bank -= 360;
    else if (bank < 0)
        bank += 360;
    camera.BankAngle = bank;
}

void RotateView(int code, Camera& camera, ViewBoxes& boxes) {
    const Vector3 w = common::VecSubtract(camera.Target, camera.Eye);
    const double r = common::VecLength(w);
    double a = 0;
    double e = 0;
    SightAngles(w, a, e);
    if (code == 0 || code == 1) {
        a += code == 0 ? 2 : -2;
        if (a >= 360)
            a -= 360;
        else if (a < 0)
            a += 360;
        boxes.LatAngle = plat::Format(a, "###0");
    }
    if (code == 5 || code == 6) {
        e = std::clamp(e + (code == 6 ? 2 : -2), -90.0, 90.0);
        boxes.ElevAngle = plat::Format(-e, "###0");
    }
    camera.Target = PointFrom(camera.Eye, r * camera.FlySpeed, ViewDirection(a, e));
}

int RotateCodeOfKey(int keyCode) {
    constexpr std::array<std::array<int, 2>, 4> kKeys{
        {{plat::key::Left, 1}, {plat::key::Up, 5}, {plat::key::Right, 0}, {plat::key::Down, 6}}};
    for (const auto& [key, code] : kKeys)
        if (key == keyCode)
            return code;
    return -1;
}

double OrbitStartAngle(const ViewBoxes& boxes) {
    return boxes.LatAngle.empty() ? 0 : BoxSingle(boxes.LatAngle);
}

void OrbitStep(int index, double& lateral, Camera& camera, ViewBoxes& boxes) {
    lateral = Wrap360(lateral + (index == 0 ? 1 : -1));
    const double d = BoxSingle(boxes.Dist);
    camera.Eye = PointFrom(camera.Target, d, ViewDirection(lateral, BoxSingle(boxes.ElevAngle)));
    boxes.LatAngle = plat::Format(lateral, "######0");
    if (boxes.EyeChosen)
        ShowChosenPoint(camera, boxes, "####0.00");
}

MotionState ToggleFly(Camera& camera, ViewBoxes& boxes) {
    if (camera.Motion == MotionState::Idle) {
        camera.FlySpeed = 1.0F;
        camera.Motion = MotionState::Flying;
    } else if (camera.Motion == MotionState::Flying) {
        camera.Motion = MotionState::Idle;
        ShowChosenPoint(camera, boxes, "####0.00");
        UpdateViewAngles(camera, boxes);
    }
    return camera.Motion;
}

bool FlyStep(Camera& camera, ViewBoxes& boxes) {
    if (!camera.Moving())
        return camera.Motion != MotionState::Idle;
    for (std::string* box : {&boxes.ElevAngle, &boxes.LatAngle})
        if (box->empty())
            *box = "0";
    if (boxes.Dist.empty())
        boxes.Dist = "1000";
    const Vector3 w = common::VecSubtract(camera.Target, camera.Eye);
    double d = BoxSingle(boxes.Dist);
    if (d == 0 || !plat::IsNumeric(boxes.Dist))
        d = common::VecLength(w);
    if (d != 0) {
        const double s = 10.0 * camera.FlySpeed / d;
        camera.Eye = PointFrom(camera.Eye, s, w);
        camera.Target = PointFrom(camera.Target, s, w);
    }
    if (camera.Motion == MotionState::SingleFlyStep) {
        camera.Motion = MotionState::Idle;
        return false;
    }
    return true;
}

void UpdateViewAngles(const Camera& camera, ViewBoxes& boxes) {
    const Vector3 s = common::CartesianToSpherical(common::VecSubtract(camera.Eye, camera.Target));
    boxes.Dist = plat::Format(s.X, "#####0.00");
    boxes.LatAngle = plat::Format(s.Y * kRadToDeg, "##0.00");
    boxes.ElevAngle = plat::Format(s.Z * kRadToDeg, "##0.00");
}

StartUpView StartUpCamera(bool sideView) {
    StartUpView start;
    start.View.Target = common::MakeVector(0, 0, 0);
    if (sideView) {
        start.View.Mode = ViewMode::Side;
        start.ZExpansion = 10;
        start.Boxes.Dist = "4000";
        start.View.Eye = common::MakeVector(0, 4000, 0);
    } else {
        start.View.Mode = ViewMode::Free;
        start.ZExpansion = 1;
        start.View.Eye = common::MakeVector(-1000, 0, 150);
    }
    start.View.FlySpeed = 1.0F;
    UpdateViewAngles(start.View, start.Boxes);
    return start;
}

bool SelectViewMode(ViewMode mode, ViewBoxes& boxes) {
    if (mode == ViewMode::Free) {
        boxes.ElevAngle = "40";
        return true;
    }
    boxes.ElevAngle = "0";
    boxes.LatAngle = "0";
    return false;
}

std::string ElevAngleEntered(const std::string& text) {
    return plat::Format(std::clamp(BoxWhole(text.empty() ? "0" : text), 0, 90), "###0");
}

std::string PositionEntered(const std::string& text) {
    return plat::Format(std::clamp(BoxWhole(text.empty() ? "0" : text), -5000, 5000), "#####0");
}

LookAt ViewLookAt(const Camera& camera, double lateral, double elevation) {
    LookAt view{camera.Eye, camera.Target, common::MakeVector(0, 0, 1)};
    Vector3 sight = common::VecSubtract(camera.Target, camera.Eye);
    if (common::VecLength(sight) == 0) {
        sight = common::VecScale(ViewDirection(lateral, elevation), -1);
        view.Centre = common::VecAdd(camera.Eye, sight);
    }
    // Within a twentieth of a degree of vertical the level up (0, 0, 1) is no longer a usable up.
    if (std::hypot(sight.X, sight.Y) < 1e-3 * common::VecLength(sight)) {
        // Looking straight down, up points away from the eye's side; straight up, towards it.
        const Vector3 level = ViewDirection(lateral, 0);
        view.Up = common::VecScale(level, sight.Z < 0 ? -1.0F : 1.0F);
    }
    return view;
}

} // namespace viewer
