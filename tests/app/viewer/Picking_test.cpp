#include "viewer/logic/Annotation.h"
#include "viewer/logic/Picking.h"

#include "platform/text/Strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using common::MakeVector;
using common::Vector3;
using namespace viewer;

namespace {

// Near-plane points of a camera looking along +Y from the eye: pixel (400, 300) straight ahead,
// one pixel 'spread' feet across (x grows to the right in pixels, to −X... as a fixed frame).
Unproject Looking(const Vector3& eye, float spread) {
    return [eye, spread](float px, float py, float&) {
        return MakeVector(eye.X + (px - 400) * spread, eye.Y + 10, eye.Z - (py - 300) * spread);
    };
}

Camera At(const Vector3& eye, const Vector3& target) {
    Camera camera;
    camera.Eye = eye;
    camera.Target = target;
    return camera;
}

TEST(Picking, PixelsOfTheCentredScale) {
    const PictureScale scale;
    EXPECT_EQ(PixelOf(0, 0, scale), (std::pair<float, float>{400, 300}));
    EXPECT_EQ(PixelOf(10000, 10000, scale), (std::pair<float, float>{0, 0}));
    EXPECT_EQ(PixelOf(-10000, -10000, scale), (std::pair<float, float>{800, 600}));
}

TEST(Picking, TurnDragMovesAtMost500FeetAnEvent) {
    const PictureScale scale;
    Camera camera = At(MakeVector(0, -20000, 100), MakeVector(0, 0, 100));
    const Unproject unproject = Looking(camera.Eye, 0.01F);
    DragState drag;
    PressForDrag(drag, camera, 9000, 0, scale, unproject);
    const Vector3 before = camera.Eye;
    ASSERT_TRUE(TurnStep(drag, camera, -9000, 0, scale, unproject));
    EXPECT_NEAR(common::VecDistance(before, camera.Eye), 500, 0.5);
    EXPECT_EQ(drag.StartX, -9000);
    // A ray that misses the sphere is no step.
    const Vector3 kept = camera.Eye;
    const Unproject away = [](float, float, float&) { return MakeVector(0, -1e6F, 0); };
    EXPECT_FALSE(TurnStep(drag, camera, 0, 0, scale, away));
    EXPECT_EQ(camera.Eye, kept);
    // The eye does not go below 10 ft.
    Camera low = At(MakeVector(0, -2000, 11), MakeVector(0, 0, 11));
    DragState lowDrag;
    const Unproject lowRays = Looking(low.Eye, 0.01F);
    PressForDrag(lowDrag, low, 0, 0, scale, lowRays);
    TurnStep(lowDrag, low, 0, 9000, scale, lowRays);
    EXPECT_EQ(low.Eye.Z, 10);
}

TEST(Picking, PanStopsTheEyeAt10Feet) {
    const PictureScale scale;
    Camera camera = At(MakeVector(0, -100, 12), MakeVector(0, 0, 0));
    ViewBoxes boxes;
    boxes.EyeChosen = true;
    const Unproject unproject = [](float, float py, float&) { return MakeVector(0, 0, py * 0.004F); };
    DragState drag;
    drag.StartX = 0;
    drag.StartY = 0;
    // 100 pixels down: 0.4 ft on the near plane, 4 ft for the scene: the eye would reach 8 ft.
    ASSERT_TRUE(PanStep(drag, camera, boxes, 0, -10000.0F / 3, scale, unproject));
    EXPECT_FLOAT_EQ(camera.Eye.Z, 10);
    EXPECT_FLOAT_EQ(camera.Target.Z, -4);
    EXPECT_EQ(boxes.Z0, "-4.000");
    EXPECT_TRUE(boxes.EyeChosen);
    const Unproject none = [](float, float, float&) { return MakeVector(999999.0F, 0, 0); };
    EXPECT_FALSE(PanStep(drag, camera, boxes, 0, 0, scale, none));
}

TEST(Picking, Dolly) {
    const PictureScale scale;
    const Unproject ahead = [](float, float, float&) { return MakeVector(0, 1, 0); };
    struct Case {
        Vector3 eye;
        bool moves;
        double distance;
    };
    // No vertical motion of the anchor: the eye goes to min(distance, 60760) from the target.
    const std::vector<Case> cases = {
        {MakeVector(0, -70000, 100), true, 60760},
        {MakeVector(0, -3000, 100), true, std::hypot(3000.0, 100.0)},
        {MakeVector(0, -70000, 4.5F), false, std::hypot(70000.0, 4.5)}, // would end below 5 ft
    };
    for (const Case& c : cases) {
        Camera camera = At(c.eye, MakeVector(0, 0, 0));
        DragState drag;
        drag.Anchor = CursorHit(camera, 0, 0, scale, ahead);
        EXPECT_EQ(DollyStep(drag, camera, 0, 0, scale, ahead), c.moves);
        EXPECT_NEAR(common::VecLength(camera.Eye), c.distance, c.distance * 1e-5);
    }
}

TEST(Picking, SteeringAFlight) {
    const PictureScale scale;
    struct Case {
        float x;
        float y;
        bool openGL;
        double elevation;
        double heading;
    };
    const std::vector<Case> cases = {
        {0, 0, true, 88, 0},          // centre: course kept
        {0, 10000, true, 89, 0},      // top edge at 88: 89, not 93
        {-10000, 0, true, 88, 20},    // right edge (x grows left): 20 degrees right
        {-10000, 0, false, 88, 340},  // the software picture is mirrored
        {0, -10000, true, 83, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        Camera camera = At(MakeVector(0, 0, 0), PointFrom(MakeVector(0, 0, 0), 1000, ViewDirection(0, 88)));
        camera.FlySpeed = 3;
        ViewBoxes boxes;
        SteerFlight(camera, boxes, c.x, c.y, scale, c.openGL);
        EXPECT_EQ(camera.FlySpeed, 1.0F);
        const Vector3 expected = PointFrom(MakeVector(0, 0, 0), 1000, ViewDirection(c.heading, c.elevation));
        EXPECT_NEAR(camera.Target.X, expected.X, 0.05);
        EXPECT_NEAR(camera.Target.Y, expected.Y, 0.05);
        EXPECT_NEAR(camera.Target.Z, expected.Z, 0.05);
        EXPECT_EQ(boxes.Z0, plat::Format(camera.Target.Z, "####0.00"));
    }
}

TEST(Picking, ReAimKeepsTheTargetInFrontOfTheEye) {
    const PictureScale scale;
    struct Case {
        Vector3 eye;
        Vector3 target;
        Vector3 expected;
    };
    const std::vector<Case> cases = {
        // Looking down: the target moves to the ground on the same line of sight.
        {MakeVector(0, -1000, 100), MakeVector(0, -500, 50), MakeVector(0, 0, 0)},
        // Level, upward, and from the side view's eye on the ground: kept at its distance.
        {MakeVector(0, -1000, 100), MakeVector(0, 0, 100), MakeVector(0, 0, 100)},
        {MakeVector(0, -1000, 100), MakeVector(0, 0, 200), MakeVector(0, 0, 200)},
        {MakeVector(0, 4000, 0), MakeVector(0, 0, 0), MakeVector(0, 0, 0)},
    };
    for (const Case& c : cases) {
        Camera camera = At(c.eye, c.target);
        ViewBoxes boxes;
        ReAim(camera, boxes, 0, 0, scale);
        EXPECT_NEAR(camera.Target.X, c.expected.X, 0.05);
        EXPECT_NEAR(camera.Target.Y, c.expected.Y, 0.05);
        EXPECT_NEAR(camera.Target.Z, c.expected.Z, 0.05);
        EXPECT_EQ(boxes.Y0, plat::Format(camera.Target.Y, "#####0.0000"));
    }
    // Off centre, the heading turns by atan(0.41 × offset / 5 ... ) towards the click.
    Camera camera = At(MakeVector(0, -1000, 100), MakeVector(0, 0, 100));
    ViewBoxes boxes;
    ReAim(camera, boxes, -10000, 0, scale);
    double heading = 0, elevation = 0;
    SightAngles(common::VecSubtract(camera.Target, camera.Eye), heading, elevation);
    EXPECT_NEAR(heading, std::atan(2.05 / 5) * kRadToDeg, 1e-3);
    EXPECT_NEAR(elevation, 0, 1e-3);
}

// The release reads the depth at its own pixel, held inside the picture; a miss keeps the anchor.
TEST(Picking, ReleaseAnchorStaysInsideThePictureAndIgnoresAMiss) {
    const PictureScale scale;
    const Camera camera = At(MakeVector(0, -2000, 100), MakeVector(0, 0, 100));
    std::vector<std::pair<float, float>> asked;
    const Unproject unproject = [&](float px, float py, float& depth) {
        asked.emplace_back(px, py);
        EXPECT_GT(depth, 1);
        return Looking(camera.Eye, 0.01F)(px, py, depth);
    };
    DragState drag;
    ASSERT_TRUE(ReleaseAnchor(drag, camera, 0, 0, scale, unproject));
    // Straight ahead the ray meets the sphere of radius 1000 about the target 1000 ft from the eye.
    EXPECT_NEAR(drag.Anchor.Y, -1000, 0.5);
    EXPECT_NEAR(drag.Anchor.Z, 100, 0.01);
    EXPECT_TRUE(ReleaseAnchor(drag, camera, -12000, 12000, scale, unproject));
    const std::vector<std::pair<float, float>> pixels{{400, 300}, {799, 0}};
    EXPECT_EQ(asked, pixels);
    const Vector3 kept = drag.Anchor;
    const Unproject away = [](float, float, float&) { return MakeVector(0, -1e6F, 0); };
    EXPECT_FALSE(ReleaseAnchor(drag, camera, 0, 0, scale, away));
    EXPECT_EQ(drag.Anchor, kept);
}

TEST(Annotation, ArrowHeadsAndText) {
    const PictureScale scale;
    const AnnotationLine line = PlaceAnnotationLine(0, 0, -5000, 0, true, scale);
    EXPECT_FLOAT_EQ(line.Line.X2, -5000);
    ASSERT_TRUE(line.Heads[0] && line.Heads[1]);
    const float headPixels = 0.03F * 600;
    for (const auto& head : line.Heads) {
        const float dx = scale.ScaleXToPixels(head->X2 - head->X1);
        const float dy = scale.ScaleYToPixels(head->Y2 - head->Y1);
        EXPECT_NEAR(std::hypot(dx, dy), headPixels, 1e-2);
        // 35 degrees off the line, pointing back along it.
        EXPECT_NEAR(std::fabs(std::atan2(dy, -dx)) * kRadToDeg, 35, 1e-2);
    }
    EXPECT_FALSE(PlaceAnnotationLine(0, 0, 100, 100, false, scale).Heads[0].has_value());

    const Stroke click = StrokeGeometry(100, 200, 100, 200, true, 400, 100, scale);
    EXPECT_FALSE(click.Line.has_value());
    EXPECT_FALSE(click.Heads[0].has_value());
    EXPECT_FLOAT_EQ(click.TextX, 100);
    EXPECT_FLOAT_EQ(click.TextY, 200);
    EXPECT_FLOAT_EQ(click.Box.X1, 100 - 0.65F * 400);
    // A stroke to the right on screen (x decreasing): the text sits beyond its end.
    const Stroke right = StrokeGeometry(0, 0, -1000, 0, true, 400, 100, scale);
    ASSERT_TRUE(right.Line.has_value());
    EXPECT_TRUE(right.Heads[1].has_value());
    EXPECT_FLOAT_EQ(right.TextX, -1000 - 0.65F * 400);
    EXPECT_NEAR(right.TextY, 0, 1e-3);
}

} // namespace
