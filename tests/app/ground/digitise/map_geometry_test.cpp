#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ground/digitise/logic/MapGeometry.h"
#include "viewer/logic/SceneGeometry.h"

namespace {

using common::MakeVector;
using common::Vector3;
using digitise::Corners;
using digitise::GroundRange;
using digitise::MapImageToGround;

// The chart corners with no side parallel to another or upright; y grows downwards.
const Corners kQuad{MakeVector(1000, 4000, 0), MakeVector(1500, 1000, 0), MakeVector(3500, 1200, 0),
                    MakeVector(4500, 4200, 0)};
const GroundRange kRange{-200, 800, 10, 60};

Vector3 Lerp(const Vector3& a, const Vector3& b, double f) {
    return MakeVector(static_cast<float>(a.X + f * (b.X - a.X)), static_cast<float>(a.Y + f * (b.Y - a.Y)),
                      0);
}

// Inside the triangle of the other three corners, a corner is the reflex one.
Vector3 Centroid(const Vector3& a, const Vector3& b, const Vector3& c) {
    return MakeVector((a.X + b.X + c.X) / 3, (a.Y + b.Y + c.Y) / 3, 0);
}

bool IsConvex(const Corners& c) {
    std::array<Vector3, 5> pts{{{}, c.LL, c.UL, c.UR, c.LR}};
    return digitise::IsConvexPolygon(pts);
}

TEST(MapImageToGround, CornersAndBottomMidpoint) {
    const struct {
        Vector3 corner;
        float x, y;
    } cases[] = {{kQuad.LL, kRange.XMin, kRange.YMin},
                 {kQuad.UL, kRange.XMin, kRange.YMax},
                 {kQuad.UR, kRange.XMax, kRange.YMax},
                 {kQuad.LR, kRange.XMax, kRange.YMin}};
    for (const auto& c : cases) {
        const Vector3 g = MapImageToGround(c.corner, kRange, kQuad);
        EXPECT_NEAR(g.X, c.x, 1e-3) << c.corner.X << "," << c.corner.Y;
        EXPECT_NEAR(g.Y, c.y, 1e-3) << c.corner.X << "," << c.corner.Y;
    }
    const Vector3 mid = MapImageToGround(Lerp(kQuad.LL, kQuad.LR, 0.5), kRange, kQuad);
    EXPECT_FLOAT_EQ(mid.X, (kRange.XMin + kRange.XMax) / 2);
}

// On each side the value it does not hold fixed runs in proportion to the distance along it.
TEST(MapImageToGround, SidesInProportion) {
    for (double f : {0.1, 0.37, 0.5, 0.83}) {
        const float x = static_cast<float>(kRange.XMin + f * (kRange.XMax - kRange.XMin));
        const float y = static_cast<float>(kRange.YMin + f * (kRange.YMax - kRange.YMin));
        EXPECT_NEAR(MapImageToGround(Lerp(kQuad.LL, kQuad.LR, f), kRange, kQuad).X, x, 1e-2);
        EXPECT_NEAR(MapImageToGround(Lerp(kQuad.UL, kQuad.UR, f), kRange, kQuad).X, x, 1e-2);
        EXPECT_NEAR(MapImageToGround(Lerp(kQuad.LL, kQuad.UL, f), kRange, kQuad).Y, y, 1e-3);
        EXPECT_NEAR(MapImageToGround(Lerp(kQuad.LR, kQuad.UR, f), kRange, kQuad).Y, y, 1e-3);
    }
}

// Neighbouring clicks 10 units apart never differ by 1 % of a range: no jump where a ray from a
// vanishing point crosses the angle's cut.
void ExpectContinuous(const Corners& quad, const GroundRange& range) {
    const std::vector<Vector3> polygon{quad.LL, quad.UL, quad.UR, quad.LR};
    const float limitX = 0.01F * std::abs(range.XMax - range.XMin);
    const float limitY = 0.01F * std::abs(range.YMax - range.YMin);
    constexpr float kStep = 10;
    int compared = 0;
    for (float y = 0; y <= 5000; y += kStep) {
        for (float x = 0; x <= 5000; x += kStep) {
            if (!viewer::PointInPolygon(x, y, polygon))
                continue;
            const Vector3 g = MapImageToGround(MakeVector(x, y, 0), range, quad);
            for (const Vector3& n : {MakeVector(x + kStep, y, 0), MakeVector(x, y + kStep, 0)}) {
                if (!viewer::PointInPolygon(n.X, n.Y, polygon))
                    continue;
                const Vector3 h = MapImageToGround(n, range, quad);
                ASSERT_LT(std::abs(h.X - g.X), limitX) << x << "," << y;
                ASSERT_LT(std::abs(h.Y - g.Y), limitY) << x << "," << y;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 1000);
}

TEST(MapImageToGround, ContinuousOverRaster) {
    ExpectContinuous(kQuad, kRange);
    // Vanishing points on the other sides and below: the same quadrilateral turned half a turn.
    const auto turn = [](const Vector3& v) { return MakeVector(5000 - v.X, 5000 - v.Y, 0); };
    ExpectContinuous({turn(kQuad.UR), turn(kQuad.LR), turn(kQuad.LL), turn(kQuad.UL)}, kRange);
    // A trapezoid: bottom and top parallel, left and right meeting above.
    ExpectContinuous({MakeVector(500, 4500, 0), MakeVector(1500, 500, 0), MakeVector(3000, 500, 0),
                      MakeVector(4800, 4500, 0)},
                     kRange);
}

// With both pairs of sides parallel the mapping is the affine one, Min above Max mirroring it.
TEST(MapImageToGround, ParallelogramsAreAffine) {
    const Vector3 origin = MakeVector(800, 4200, 0);
    const double turn = 0.6;
    const Vector3 across =
        MakeVector(static_cast<float>(3000 * std::cos(turn)), static_cast<float>(-3000 * std::sin(turn)), 0);
    const Vector3 up =
        MakeVector(static_cast<float>(-2000 * std::sin(turn)), static_cast<float>(-2000 * std::cos(turn)), 0);
    const auto at = [&](const Vector3& o, const Vector3& a, const Vector3& u, double s, double t) {
        return MakeVector(static_cast<float>(o.X + s * a.X + t * u.X),
                          static_cast<float>(o.Y + s * a.Y + t * u.Y), 0);
    };
    const struct {
        const char* name;
        Vector3 a, u;
    } shapes[] = {{"upright", MakeVector(3000, 0, 0), MakeVector(0, -2000, 0)},
                  {"rotated", across, up},
                  {"sheared", MakeVector(3000, 0, 0), MakeVector(700, -2000, 0)}};
    for (const GroundRange& range : {kRange, GroundRange{500, -100, 40, -20}}) {
        for (const auto& shape : shapes) {
            const Corners quad{origin, at(origin, shape.a, shape.u, 0, 1), at(origin, shape.a, shape.u, 1, 1),
                               at(origin, shape.a, shape.u, 1, 0)};
            for (double s : {0.0, 0.25, 0.5, 0.9, 1.0}) {
                for (double t : {0.0, 0.1, 0.5, 0.75, 1.0}) {
                    const Vector3 g = MapImageToGround(at(origin, shape.a, shape.u, s, t), range, quad);
                    EXPECT_NEAR(g.X, range.XMin + s * (range.XMax - range.XMin), 0.02)
                        << shape.name << s << t;
                    EXPECT_NEAR(g.Y, range.YMin + t * (range.YMax - range.YMin), 0.002)
                        << shape.name << s << t;
                }
            }
        }
    }
}

// A nearly parallel pair agrees with the parallel one on either side of the switch to the limit.
TEST(MapImageToGround, NearlyParallelJoinsTheLimit) {
    const Vector3 p = MakeVector(2300, 2100, 0);
    const Corners upright{MakeVector(1000, 4000, 0), MakeVector(1000, 1000, 0), MakeVector(4000, 1000, 0),
                          MakeVector(4000, 4000, 0)};
    const Vector3 exact = MapImageToGround(p, kRange, upright);
    for (float lean : {1e-2F, 1e-3F, 2e-4F}) {
        Corners c = upright;
        c.UR.Y += lean; // top side tilts: bottom and top meet 3000 / lean × 3000 away
        const Vector3 g = MapImageToGround(p, kRange, c);
        EXPECT_NEAR(g.X, exact.X, 0.01) << lean;
        EXPECT_NEAR(g.Y, exact.Y, 0.01) << lean;
    }
}

TEST(IsConvexPolygon, Cases) {
    const struct {
        const char* name;
        Corners c;
        bool convex;
    } cases[] = {
        {"the chart", kQuad, true},
        {"turned clockwise", {kQuad.UL, kQuad.UR, kQuad.LR, kQuad.LL}, true},
        {"LR and UR swapped", {kQuad.LL, kQuad.UL, kQuad.LR, kQuad.UR}, false},
        {"UL and LR swapped", {kQuad.LL, kQuad.LR, kQuad.UR, kQuad.UL}, true},
        {"LL and UL swapped", {kQuad.UL, kQuad.LL, kQuad.UR, kQuad.LR}, false},
        {"reflex LL", {Centroid(kQuad.UL, kQuad.UR, kQuad.LR), kQuad.UL, kQuad.UR, kQuad.LR}, false},
        {"reflex UL", {kQuad.LL, Centroid(kQuad.LL, kQuad.UR, kQuad.LR), kQuad.UR, kQuad.LR}, false},
        {"reflex UR", {kQuad.LL, kQuad.UL, Centroid(kQuad.LL, kQuad.UL, kQuad.LR), kQuad.LR}, false},
        {"reflex LR", {kQuad.LL, kQuad.UL, kQuad.UR, Centroid(kQuad.LL, kQuad.UL, kQuad.UR)}, false},
        {"LL on UL", {kQuad.UL, kQuad.UL, kQuad.UR, kQuad.LR}, false},
        {"UR on LR", {kQuad.LL, kQuad.UL, kQuad.LR, kQuad.LR}, false},
        {"UL on the line LL-UR", {kQuad.LL, Lerp(kQuad.LL, kQuad.UR, 0.5), kQuad.UR, kQuad.LR}, false},
        {"LR between LL and UR",
         {MakeVector(0, 4000, 0), MakeVector(0, 0, 0), MakeVector(4000, 0, 0), MakeVector(2000, 2000, 0)},
         false},
        {"all at one place", {kQuad.LL, kQuad.LL, kQuad.LL, kQuad.LL}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsConvex(c.c), c.convex) << c.name;
}

// Every order of the four clicks that makes sides cross fails.
TEST(IsConvexPolygon, CrossingOrdersFail) {
    std::array<Vector3, 4> corners{kQuad.LL, kQuad.UL, kQuad.UR, kQuad.LR};
    std::array<int, 4> order{0, 1, 2, 3};
    int convex = 0;
    do {
        const Corners c{corners[order[0]], corners[order[1]], corners[order[2]], corners[order[3]]};
        // The orders that walk round the outline (either way) are the convex ones; the others cross.
        const bool outline = [&] {
            for (int i = 0; i < 4; ++i) {
                const int step = (order[(i + 1) % 4] - order[i] + 4) % 4;
                if (step == 2)
                    return false;
            }
            return true;
        }();
        EXPECT_EQ(IsConvex(c), outline) << order[0] << order[1] << order[2] << order[3];
        convex += IsConvex(c) ? 1 : 0;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(convex, 8);
}

TEST(GuideLines, ArmsPointIntoAnUprightRectangle) {
    const Corners c{MakeVector(0, 5000, 0), MakeVector(0, 0, 0), MakeVector(5000, 0, 0),
                    MakeVector(5000, 5000, 0)};
    constexpr float h = 250;
    const auto lines4 = digitise::GuideLines(4, c, c, h, 1);
    ASSERT_TRUE(lines4[3].Visible);
    EXPECT_NEAR(lines4[2].X2 - lines4[2].X1, h, 1e-2); // at UL to the right
    EXPECT_NEAR(lines4[2].Y2 - lines4[2].Y1, 0, 1e-2);
    EXPECT_NEAR(lines4[3].X2 - lines4[3].X1, 0, 1e-2); // at LR upwards
    EXPECT_NEAR(lines4[3].Y2 - lines4[3].Y1, -h, 1e-2);
    const auto lines2 = digitise::GuideLines(2, c, c, h, 2);
    EXPECT_FLOAT_EQ(lines2[1].X2, 2 * h); // the horizontal arm scaled by r
    EXPECT_FALSE(lines2[2].Visible);
    for (int n : {0, 1, 6})
        for (const auto& line : digitise::GuideLines(n, c, c, h, 1))
            EXPECT_FALSE(line.Visible) << n;
    const auto outline = digitise::GuideLines(5, c, c, h, 1);
    EXPECT_FLOAT_EQ(outline[1].X2, 5000); // UL → UR
    EXPECT_FLOAT_EQ(outline[3].X2, 0);    // LR → LL
}

// While dragging, the arm directions come from the twips corners: on a box twice as wide as high in
// twips, a left side that is upright on screen gives horizontal arms.
TEST(GuideLines, DragAnglesFromTheOtherUnits) {
    const Corners user{MakeVector(1000, 4000, 0), MakeVector(1500, 1000, 0), {}, {}};
    const Corners twips{MakeVector(1000, 4000, 0), MakeVector(1000, 1000, 0), {}, {}};
    const auto lines = digitise::GuideLines(3, user, twips, 250, 1);
    EXPECT_NEAR(lines[1].Y2, lines[1].Y1, 1e-2);
    EXPECT_NEAR(lines[2].X2 - lines[2].X1, 250, 1e-2);
}

} // namespace
