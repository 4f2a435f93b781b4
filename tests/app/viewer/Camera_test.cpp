#include "viewer/logic/Camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using common::MakeVector;
using common::Vector3;
using namespace viewer;

namespace {

void ExpectNear(const Vector3& v, double x, double y, double z, double tol = 1e-3) {
    EXPECT_NEAR(v.X, x, tol);
    EXPECT_NEAR(v.Y, y, tol);
    EXPECT_NEAR(v.Z, z, tol);
}

TEST(Camera, StepButtons) {
    struct Case {
        int index;
        std::string before;
        std::string after;
    };
    const std::vector<Case> cases = {
        {1, "85", "85"},   {0, "85", "86"},    {3, "-85", "-85"},  {2, "-89", "-90"},   {5, "5", "355"},
        {7, "355", "5"},   {4, "0", "359"},    {6, "359", "0"},    {19, "150", "100"},  {20, "1100", "100"},
        {20, "100", "100"}, {17, "", "1100"},  {18, "40000", "33767"}, {8, "", "-50"}, {10, "123.4", "0"},
        {15, "2.5", "52"}, {0, "abc", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " from '" + c.before + "'");
        Camera camera;
        ViewBoxes boxes;
        const StepButton& button = kStepButtons[static_cast<std::size_t>(c.index)];
        std::string* box[] = {&boxes.ElevAngle, &boxes.LatAngle, &boxes.X0, &boxes.Y0, &boxes.Z0, &boxes.Dist};
        *box[static_cast<int>(button.Box)] = c.before;
        PressStepButton(c.index, camera, boxes);
        EXPECT_EQ(*box[static_cast<int>(button.Box)], c.after);
    }
}

TEST(Camera, StepPlacesTheEyeAtRestAndTheTargetWhileFlying) {
    Camera camera;
    camera.Target = MakeVector(100, 200, 0);
    ViewBoxes boxes;
    boxes.LatAngle = "89";
    boxes.ElevAngle = "0";
    boxes.Dist = "1000";
    boxes.EyeChosen = true;
    PressStepButton(6, camera, boxes); // lateral 90
    ExpectNear(camera.Eye, 1100, 200, 0, 0.1);
    EXPECT_EQ(boxes.X0, "1100.00");
    camera.Motion = MotionState::Flying;
    camera.FlySpeed = 2;
    PressStepButton(0, camera, boxes); // elevation 1, target ahead of the eye at 2000 ft
    const Vector3 u = ViewDirection(90, 1);
    ExpectNear(camera.Target, 1100 + 2000 * u.X, 200 + 2000 * u.Y, 2000 * u.Z, 0.1);
    ExpectNear(camera.Eye, 1100, 200, 0, 0.1);
}

TEST(Camera, BankAndRotateView) {
    Camera camera;
    PressBankButton(0, camera);
    EXPECT_EQ(camera.BankAngle, 350);
    PressBankButton(1, camera);
    EXPECT_EQ(camera.BankAngle, 0);

    struct Case {
        int key;
        double heading;
        double elevation;
        const char* lat;
        const char* elev;
        double newHeading;
        double newElevation;
    };
    const std::vector<Case> cases = {
        {38, 30, -89, nullptr, "90", 30, -90}, // Up at −89: −90, not −91
        {40, 30, 89, nullptr, "-90", 30, 90},
        {39, 359, 10, "1", nullptr, 1, 10},
        {37, 1, 10, "359", nullptr, 359, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        camera.Eye = MakeVector(10, 20, 30);
        camera.FlySpeed = 1;
        camera.Target = common::VecAdd(camera.Eye, common::VecScale(ViewDirection(c.heading, c.elevation), 500));
        ViewBoxes boxes;
        RotateView(RotateCodeOfKey(c.key), camera, boxes);
        if (c.lat) {
            EXPECT_EQ(boxes.LatAngle, c.lat);
        }
        if (c.elev) {
            EXPECT_EQ(boxes.ElevAngle, c.elev);
        }
        const Vector3 expected =
            common::VecAdd(camera.Eye, common::VecScale(ViewDirection(c.newHeading, c.newElevation), 500));
        ExpectNear(camera.Target, expected.X, expected.Y, expected.Z, 0.05);
    }
    EXPECT_EQ(RotateCodeOfKey(71), -1);
}

TEST(Camera, OrbitWrapsBothWays) {
    Camera camera;
    ViewBoxes boxes;
    boxes.LatAngle = "359";
    boxes.ElevAngle = "0";
    boxes.Dist = "100";
    double lateral = OrbitStartAngle(boxes);
    OrbitStep(0, lateral, camera, boxes);
    EXPECT_EQ(boxes.LatAngle, "0");
    ExpectNear(camera.Eye, 0, 100, 0);
    OrbitStep(1, lateral, camera, boxes);
    EXPECT_EQ(boxes.LatAngle, "359");
    for (int i = 0; i < 400; ++i)
        OrbitStep(1, lateral, camera, boxes);
    EXPECT_EQ(boxes.LatAngle, "319");
    boxes.LatAngle.clear();
    EXPECT_EQ(OrbitStartAngle(boxes), 0);
}

TEST(Camera, FlyThrough) {
    struct Case {
        const char* dist;
        double moved;
    };
    // The eye 2000 ft from the target: a box of 1000 moves 20 ft a tick; 0, no number or the true
    // distance 10 ft.
    const std::vector<Case> cases = {{"1000", 20}, {"2000", 10}, {"0", 10}, {"abc", 10}, {"", 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dist);
        Camera camera;
        camera.Eye = MakeVector(0, -2000, 0);
        camera.Target = MakeVector(0, 0, 0);
        ViewBoxes boxes;
        boxes.Dist = c.dist;
        EXPECT_EQ(ToggleFly(camera, boxes), MotionState::Flying);
        EXPECT_TRUE(FlyStep(camera, boxes));
        ExpectNear(camera.Eye, 0, -2000 + c.moved, 0);
        ExpectNear(camera.Target, 0, c.moved, 0);
    }
    Camera camera;
    camera.Eye = MakeVector(0, 100, 0);
    camera.Motion = MotionState::SingleFlyStep;
    ViewBoxes boxes;
    EXPECT_FALSE(FlyStep(camera, boxes));
    EXPECT_EQ(camera.Motion, MotionState::Idle);
    // Stopping shows the camera in the boxes (the step above moved both points 1/3 ft).
    camera.Motion = MotionState::Flying;
    EXPECT_EQ(ToggleFly(camera, boxes), MotionState::Idle);
    EXPECT_EQ(boxes.Dist, "100.00");
    EXPECT_EQ(boxes.X0, "0.00");
    EXPECT_EQ(boxes.Y0, "-0.33");
    EXPECT_EQ(boxes.LatAngle, "0.00");
    camera.Motion = MotionState::Orbiting;
    EXPECT_EQ(ToggleFly(camera, boxes), MotionState::Orbiting);
    // Eye and target in one place: no move, no fault.
    camera = Camera{};
    camera.Motion = MotionState::Flying;
    boxes.Dist = "0";
    EXPECT_TRUE(FlyStep(camera, boxes));
    EXPECT_EQ(camera.Eye, MakeVector(0, 0, 0));
}

TEST(Camera, StartUpAndBoxes) {
    const StartUpView free = StartUpCamera(false);
    EXPECT_EQ(free.View.Mode, ViewMode::Free);
    EXPECT_EQ(free.ZExpansion, 1);
    EXPECT_EQ(free.View.Eye, MakeVector(-1000, 0, 150));
    EXPECT_EQ(free.Boxes.Dist, "1011.19");
    EXPECT_EQ(free.Boxes.LatAngle, "270.00");
    EXPECT_EQ(free.Boxes.ElevAngle, "8.53");
    const StartUpView side = StartUpCamera(true);
    EXPECT_EQ(side.View.Mode, ViewMode::Side);
    EXPECT_EQ(side.ZExpansion, 10);
    EXPECT_EQ(side.Boxes.Dist, "4000.00");
    EXPECT_EQ(side.Boxes.LatAngle, "0.00");

    ViewBoxes boxes;
    EXPECT_FALSE(SelectViewMode(ViewMode::Side, boxes));
    EXPECT_EQ(boxes.LatAngle, "0");
    EXPECT_EQ(boxes.ElevAngle, "0");
    boxes.LatAngle = "123";
    EXPECT_TRUE(SelectViewMode(ViewMode::Free, boxes));
    EXPECT_EQ(boxes.LatAngle, "123");
    EXPECT_EQ(boxes.ElevAngle, "40");

    EXPECT_EQ(ElevAngleEntered("95"), "90");
    EXPECT_EQ(ElevAngleEntered("-3"), "0");
    EXPECT_EQ(ElevAngleEntered(""), "0");
    EXPECT_EQ(PositionEntered("-7000.4"), "-5000");
    EXPECT_EQ(PositionEntered("12.5"), "12");
}

TEST(Camera, LookAtIsAlwaysDefined) {
    struct Case {
        Vector3 eye;
        Vector3 target;
        double lateral;
        double elevation;
    };
    const std::vector<Case> cases = {
        {MakeVector(0, 0, 100), MakeVector(0, 0, 0), 30, 90},   {MakeVector(0, 0, -100), MakeVector(0, 0, 0), 30, -90},
        {MakeVector(5, 5, 5), MakeVector(5, 5, 5), 270, 30},   {MakeVector(5, 5, 5), MakeVector(5, 5, 5), 0, 90},
        {MakeVector(-1000, 0, 150), MakeVector(0, 0, 0), 270, 8},
    };
    for (const Case& c : cases) {
        Camera camera;
        camera.Eye = c.eye;
        camera.Target = c.target;
        const LookAt view = ViewLookAt(camera, c.lateral, c.elevation);
        const Vector3 sight = common::VecSubtract(view.Centre, view.Eye);
        const Vector3 side = common::VecCross(sight, view.Up);
        EXPECT_GT(common::VecLength(sight), 0);
        EXPECT_GT(common::VecLength(side), 0.5F * common::VecLength(sight));
        for (float v : {view.Up.X, view.Up.Y, view.Up.Z, view.Centre.X, view.Centre.Y, view.Centre.Z})
            EXPECT_TRUE(std::isfinite(v));
    }
    // Straight down from above: up points away from the eye's side, as the view just off vertical.
    Camera camera;
    camera.Eye = MakeVector(0, 0, 100);
    const LookAt down = ViewLookAt(camera, 90, 90);
    ExpectNear(down.Up, -1, 0, 0);
}

} // namespace
