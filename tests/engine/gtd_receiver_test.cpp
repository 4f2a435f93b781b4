// The receiving frame and the mirrored pair against the field vectors built by hand: a ray's pair is
// E1 theta-hat + E2 phi-hat of its own direction, and what is received is that vector's component
// along phi-hat of the direct ray (theta-hat of the direct ray beside it).
#include "geometry.h"
#include "gtd_receiver.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvd;

namespace {
constexpr double kDeg = 3.141592653589793 / 180;

struct CVec {
    Complex x, y, z;
};

Vec3 thetaHat(double th, double ph) {
    return {std::cos(th * kDeg) * std::cos(ph * kDeg), std::cos(th * kDeg) * std::sin(ph * kDeg), -std::sin(th * kDeg)};
}
Vec3 phiHat(double ph) {
    return {-std::sin(ph * kDeg), std::cos(ph * kDeg), 0};
}
CVec fieldVector(const FieldPair& E, double th, double ph) {
    const Vec3 t = thetaHat(th, ph), p = phiHat(ph);
    return {E.E1 * t.x + E.E2 * p.x, E.E1 * t.y + E.E2 * p.y, E.E1 * t.z + E.E2 * p.z};
}
Complex along(const CVec& v, const Vec3& a) {
    return v.x * a.x + v.y * a.y + v.z * a.z;
}
CVec mirror(const CVec& v, const Vec3& n) {
    const Complex s = 2.0 * along(v, n);
    return {v.x - s * n.x, v.y - s * n.y, v.z - s * n.z};
}

// Directions (theta, phi): along the direct ray's azimuth, from beyond the field point, across, and
// straight up and down (RAYDIR's phi for a vertical leg is 90).
const double kRays[][2] = {{80, 90}, {95, -90}, {60, 130}, {120, -35}, {0, 90}, {180, 90}};
const FieldPair kPair{{0.3, -0.2}, {-1.1, 0.4}};

} // namespace

TEST(ReceivingFrame, TakesTheFieldVectorAlongTheDirectRaysAxes) {
    const Vec3 A{0, 0, 28};
    for (const Vec3& P : {Vec3{0, 2000, 90}, Vec3{-300, 1500, 60}, Vec3{500, -800, 300}}) {
        const ReceivingFrame rx(A, P);
        const Vec3 d = P - A;
        const double phD = std::atan2(d.y, d.x) / kDeg, thD = std::atan2(std::hypot(d.x, d.y), d.z) / kDeg;
        for (const auto& ray : kRays) {
            SCOPED_TRACE(::testing::Message() << P.x << " " << P.y << ", ray " << ray[0] << " " << ray[1]);
            const CVec v = fieldVector(kPair, ray[0], ray[1]);
            const FieldPair got = rx.received(kPair, ray[0], ray[1]);
            EXPECT_NEAR(std::abs(got.E2 - along(v, phiHat(phD))), 0, 1e-12);
            EXPECT_NEAR(std::abs(got.E1 - along(v, thetaHat(thD, phD))), 0, 1e-12);
        }
    }
}

// A ray traced to the field point's image in a plate carries the field there: the field at the point is
// its mirror image, and the received component is that of the mirrored vector.
TEST(ReceivingFrame, MirroredTakesTheMirroredFieldVector) {
    const Vec3 A{0, 0, 28};
    const Vec3 plates[] = {{0, 0, 1}, {0, -1, 0}, {0, -0.6, 0.8}};
    for (const Vec3& P : {Vec3{0, 2000, 90}, Vec3{-300, 1500, 60}})
        for (const Vec3& n : plates) {
            const Vec3 d = P - A;
            const double phD = std::atan2(d.y, d.x) / kDeg;
            const ReceivingFrame once = ReceivingFrame(A, P).mirrored(n);
            const ReceivingFrame twice = once.mirrored(plates[2]);
            for (const auto& ray : kRays) {
                SCOPED_TRACE(::testing::Message() << P.x << ", plate " << n.y << " " << n.z << ", ray " << ray[0]);
                const CVec v = fieldVector(kPair, ray[0], ray[1]);
                EXPECT_NEAR(std::abs(once.received(kPair, ray[0], ray[1]).E2 - along(mirror(v, n), phiHat(phD))), 0,
                            1e-12);
                // Traced to the image in n, then to that image's image in the tilted plate: the field at
                // the point is mirrored back through the tilted plate first.
                EXPECT_NEAR(std::abs(twice.received(kPair, ray[0], ray[1]).E2 -
                                     along(mirror(mirror(v, plates[2]), n), phiHat(phD))),
                            0, 1e-12);
            }
        }
}

TEST(MirroredPair, IsTheReflectedVectorInTheReflectedRaysFrame) {
    struct Case {
        const char* name;
        Vec3 n;
        double th, ph;     // the incident direction
        double thR, phR;   // the reflected one
        double s1, s2;     // the signs the pair takes, where they are plain
    };
    const Case cases[] = {
        {"level ground", {0, 0, 1}, 110, 70, 70, 70, -1, 1},
        {"wall across the runway", {0, -1, 0}, 85, 80, 85, -80, 1, -1},
        {"tilted plate", {0, -0.6, 0.8}, 100, 75, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double thR = c.thR, phR = c.phR;
        if (c.s1 == 0) {
            // The reflected direction of the tilted plate, built from the incident one.
            const Vec3 r{std::sin(c.th * kDeg) * std::cos(c.ph * kDeg), std::sin(c.th * kDeg) * std::sin(c.ph * kDeg),
                         std::cos(c.th * kDeg)};
            const Vec3 m = r - 2 * dot(r, c.n) * c.n;
            thR = std::atan2(std::hypot(m.x, m.y), m.z) / kDeg;
            phR = std::atan2(m.y, m.x) / kDeg;
        }
        const FieldPair got = mirroredPair(kPair, c.th, c.ph, c.n, thR, phR);
        const CVec w = mirror(fieldVector(kPair, c.th, c.ph), c.n);
        EXPECT_NEAR(std::abs(got.E1 - along(w, thetaHat(thR, phR))), 0, 1e-12);
        EXPECT_NEAR(std::abs(got.E2 - along(w, phiHat(phR))), 0, 1e-12);
        if (c.s1 != 0) {
            EXPECT_NEAR(std::abs(got.E1 - c.s1 * kPair.E1), 0, 1e-12);
            EXPECT_NEAR(std::abs(got.E2 - c.s2 * kPair.E2), 0, 1e-12);
        }
    }
}
