#include "viewer/logic/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using common::MakeVector;
using common::Vector3;
using namespace viewer;

namespace {

ProjectionView View(const Vector3& eye, const Vector3& target, int bank = 0) {
    ProjectionView view;
    view.Eye = eye;
    view.Target = target;
    view.BankAngle = bank;
    return view;
}

TEST(Projection, EyeLiesAlongPlusYForEyesAllRound) {
    const Vector3 target = MakeVector(120, -40, 7);
    for (int lat = 0; lat < 360; lat += 15) {
        for (const int elev : {-90, -60, -5, 0, 5, 45, 89, 90}) {
            for (const int bank : {0, 30}) {
                SCOPED_TRACE(std::to_string(lat) + " " + std::to_string(elev) + " " + std::to_string(bank));
                const double l = lat * 3.14159265358979 / 180, e = elev * 3.14159265358979 / 180;
                const Vector3 offset = MakeVector(static_cast<float>(2500 * std::sin(l) * std::cos(e)),
                                                  static_cast<float>(2500 * std::cos(l) * std::cos(e)),
                                                  static_cast<float>(2500 * std::sin(e)));
                const ProjectionView view = View(common::VecAdd(target, offset), target, bank);
                const Vector3 frame = ToViewFrame(offset, view);
                EXPECT_NEAR(frame.X, 0, 1e-2);
                EXPECT_NEAR(frame.Y, 2500, 1e-2);
                EXPECT_NEAR(frame.Z, 0, 1e-2);
                // The line of sight lands on the picture's origin, whatever the roll.
                const auto centre = ProjectPoint(common::VecSubtract(target, common::VecScale(offset, 0.5F)), view,
                                                 PictureScale{});
                ASSERT_TRUE(centre.has_value());
                EXPECT_NEAR(centre->X, 0, 1e-2);
                EXPECT_NEAR(centre->Y, 0, 1e-2);
            }
        }
    }
}

TEST(Projection, PerspectiveOfTheSoftwarePicture) {
    const PictureScale scale;
    const float sx = (scale.ScaleLeft - (scale.ScaleLeft + scale.ScaleWidth)) / 1000;
    const float sy = (scale.ScaleTop - (scale.ScaleTop + scale.ScaleHeight)) / 1000 * scale.Width / scale.Height;
    // Looking along +Y from 6000 ft: a point 100 ft to the left (−X) lands 100 × sx from the centre,
    // on the left of the picture (its x grows to the left); one 50 ft up lands 50 × sy up.
    const ProjectionView view = View(MakeVector(0, -6000, 0), MakeVector(0, 0, 0));
    const auto left = ProjectPoint(MakeVector(-100, 0, 0), view, scale);
    ASSERT_TRUE(left.has_value());
    EXPECT_NEAR(left->X, 100 * sx, 1e-3);
    EXPECT_NEAR(left->Y, 0, 1e-3);
    const auto up = ProjectPoint(MakeVector(0, 0, 50), view, scale);
    EXPECT_NEAR(up->Y, 50 * sy, 1e-3);
    // Twice the distance: half the size; zoom 2: twice; ZScale 3 acts on the point only.
    const auto far = ProjectPoint(MakeVector(-100, 0, 0), View(MakeVector(0, -12000, 0), MakeVector(0, 0, 0)), scale);
    EXPECT_NEAR(far->X, 50 * sx, 1e-3);
    ProjectionView zoomed = view;
    zoomed.Zoom = 2;
    zoomed.ZScale = 3;
    EXPECT_NEAR(ProjectPoint(MakeVector(-100, 0, 0), zoomed, scale)->X, 200 * sx, 1e-3);
    EXPECT_NEAR(ProjectPoint(MakeVector(0, 0, 50), zoomed, scale)->Y, 300 * sy, 1e-3);
    // A bank of 90 degrees turns the sideways point upright.
    const auto banked = ProjectPoint(MakeVector(-100, 0, 0), View(MakeVector(0, -6000, 0), MakeVector(0, 0, 0), 90),
                                     scale);
    EXPECT_NEAR(std::fabs(banked->X), 0, 1e-2);
    EXPECT_NEAR(std::fabs(banked->Y), 100 * sy, 1e-2);
}

TEST(Projection, NothingBehindTheEyeIsDrawn) {
    const PictureScale scale;
    const ProjectionView view = View(MakeVector(0, -6000, 0), MakeVector(0, 0, 0));
    EXPECT_FALSE(ProjectPoint(MakeVector(100, -6500, 0), view, scale).has_value());
    EXPECT_FALSE(ProjectPoint(MakeVector(100, -6000, 0), view, scale).has_value());
    EXPECT_FALSE(ProjectPoint(MakeVector(100, -5999.5F, 0), view, scale).has_value());
    EXPECT_TRUE(ProjectPoint(MakeVector(100, -5998, 0), view, scale).has_value());
    EXPECT_FALSE(ProjectSegment(MakeVector(0, -7000, 0), MakeVector(10, -6500, 5), view, scale).has_value());
    // A segment from behind to the front is cut at 1 ft in front of the eye.
    const auto cut = ProjectSegment(MakeVector(-100, -8000, 0), MakeVector(-100, 0, 0), view, scale);
    ASSERT_TRUE(cut.has_value());
    const float sx = -scale.ScaleWidth / 1000;
    EXPECT_NEAR(cut->first.X, 6000 * 100 * sx, 1);
    EXPECT_NEAR(cut->second.X, 100 * sx, 1e-3);
    const auto whole = ProjectSegment(MakeVector(-100, 0, 0), MakeVector(100, 0, 0), view, scale);
    EXPECT_NEAR(whole->first.X, 100 * sx, 1e-3);
    EXPECT_NEAR(whole->second.X, -100 * sx, 1e-3);
}

} // namespace
