#pragma once

// The viewer's camera: the eye and look-at points, the motion state, and the view boxes that show
// and set them (texts as typed). Each routine is one handler's effect on them; the window redraws.

#include "common/VectorsAndMatrices.h"

#include <array>
#include <cstdint>
#include <string>

namespace viewer {

// Radians to degrees as the viewer turns its angles into box texts.
inline constexpr double kRadToDeg = 57.29577952383886;

enum class MotionState : std::uint8_t { Idle = 0, Flying = 1, SingleFlyStep = 2, Orbiting = 3 };
enum class ViewMode : std::uint8_t { Side = 0, Free = 1 };

struct Camera {
    common::Vector3 Eye;
    common::Vector3 Target;
    MotionState Motion = MotionState::Idle;
    float FlySpeed = 1.0F;
    ViewMode Mode = ViewMode::Free;
    // Roll of the software picture, degrees 0..359.
    int BankAngle = 0;

    bool Moving() const { return Motion == MotionState::Flying || Motion == MotionState::SingleFlyStep; }
};

// The view boxes' texts; EyeChosen: the X/Y/Z boxes show the eye, else the look-at point.
struct ViewBoxes {
    std::string LatAngle = "270";
    std::string ElevAngle = "30";
    std::string Dist = "3000";
    std::string X0 = "0";
    std::string Y0 = "0";
    std::string Z0 = "0";
    bool EyeChosen = false;
};

// u(L, E) = (sin L cos E, cos L cos E, sin E): L from +Y towards +X, E up from the ground, degrees.
common::Vector3 ViewDirection(double lateral, double elevation);

// from + length × direction, computed in double precision.
common::Vector3 PointFrom(const common::Vector3& from, double length, const common::Vector3& direction);

// The heading of w (from +Y towards +X, degrees 0..360) and its elevation (degrees; ±90, by the sign
// of w.Z, when w has no horizontal part).
void SightAngles(const common::Vector3& w, double& heading, double& elevation);

// The step buttons, in index order.
enum class StepBox : std::uint8_t { ElevAngle, LatAngle, X0, Y0, Z0, Dist };
enum class StepRule : std::uint8_t {
    Add,         // add the step
    WithinNinety, // add the step only if the result stays within −90..90
    Wrap,        // add the step, bringing the result into 0..359
    Zero,        // set 0
    AtLeast100,  // add the step, a result below 100 becomes 100
};
struct StepButton {
    const char* Caption;
    StepBox Box;
    int Step;
    StepRule Rule;
};
extern const std::array<StepButton, 21> kStepButtons;

// One step button (index 0..20): the box stepped (an empty box reads "0", an empty distance
// "1000"; the value as a whole number within −32768..32767), then at rest the eye is put at
// Target + Dist × u(Lat, Elev) (shown in the X/Y/Z boxes when they show the eye); while flying the
// look-at point is put at Eye + Dist × FlySpeed × u(Lat, Elev).
void PressStepButton(int index, Camera& camera, ViewBoxes& boxes);

// Bank buttons: index 0 turns −10, 1 turns +10, within 0..359.
void PressBankButton(int index, Camera& camera);

// Turns the line of sight about the eye: code 0 lateral +2, 1 lateral −2, 5 elevation −2, 6
// elevation +2 (held within −90..90); the boxes get the line of sight's lateral angle and the
// negated elevation, whole degrees.
void RotateView(int code, Camera& camera, ViewBoxes& boxes);

// What the arrow keys and G do: the RotateView code of a key, or −1.
int RotateCodeOfKey(int keyCode);

// Orbit: the lateral angle the loop starts from (an empty box reads 0), and one turn of the loop
// (index 0 "<Orbit" +1 degree, index 1 "Orbit>" −1), the angle kept within 0..359 both ways.
double OrbitStartAngle(const ViewBoxes& boxes);
void OrbitStep(int index, double& lateral, Camera& camera, ViewBoxes& boxes);

// The fly button: from rest starts flying (FlySpeed 1); while flying stops and shows the camera in
// the boxes; otherwise nothing. Returns the state it left the camera in.
MotionState ToggleFly(Camera& camera, ViewBoxes& boxes);

// One tick of a flight: both points move 10 × FlySpeed × (Target − Eye) / Dist; a distance box of
// 0 or not a number uses the true distance. A single step ends the motion. Returns whether the
// timer keeps running.
bool FlyStep(Camera& camera, ViewBoxes& boxes);

// The distance and angle boxes from Eye − Target.
void UpdateViewAngles(const Camera& camera, ViewBoxes& boxes);

// The camera and boxes a new viewer window starts with, and its Z-expansion slider.
struct StartUpView {
    Camera View;
    ViewBoxes Boxes;
    int ZExpansion = 1;
};
StartUpView StartUpCamera(bool sideView);

// The view mode buttons' effect on the angle boxes (side view empties them to "0", free view puts
// "40" into the elevation box); whether the angle boxes and buttons are enabled.
bool SelectViewMode(ViewMode mode, ViewBoxes& boxes);

// Enter in the elevation box (whole degrees within 0..90) and in the X and Y boxes (whole feet
// within −5000..5000).
std::string ElevAngleEntered(const std::string& text);
std::string PositionEntered(const std::string& text);

// Writes the point the X/Y/Z boxes show (eye or look-at point), in the given format.
void ShowChosenPoint(const Camera& camera, ViewBoxes& boxes, const char* format);
// Takes the X/Y/Z boxes into the point they show.
void TakeChosenPoint(Camera& camera, const ViewBoxes& boxes);

// What a perspective look-at gets: eye, a point it looks at and an up direction, always finite
// and not parallel to the line of sight. Eye = Target looks along −u(lateral, elevation); a
// vertical line of sight takes up from the lateral angle, as the level view approaching it would.
struct LookAt {
    common::Vector3 Eye;
    common::Vector3 Centre;
    common::Vector3 Up;
};
LookAt ViewLookAt(const Camera& camera, double lateral, double elevation);

} // namespace viewer
