#include "flat_earth.h"
#include "gtd_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace kelvd;

namespace {
constexpr double kPi = 3.14159265358979323846;

using Points = std::vector<std::pair<double, double>>; // profile (Y, Z), feet

RunInputs gtdInputs(const Points& profile, double freq = 330) {
    RunInputs in;
    in.MODEL = 1;
    in.FREQ = freq;
    in.lambda = 983571200 / (freq * 1000000);
    in.k = 2 * kPi / in.lambda;
    in.F0 = {1, 0};
    in.NA = 1;
    in.ant[0].pos = {0, 0, 14};
    in.cardProfile.NV = static_cast<int>(profile.size());
    for (size_t i = 0; i < profile.size(); ++i)
        in.cardProfile.v[i] = {0, profile[i].first, profile[i].second};
    return in;
}

struct Field {
    Complex E;
    int rc = 0;
    std::string report;
};

Field gtd(const RunInputs& in, const Vec3& P, int antenna = 0) {
    FieldContext ctx(in);
    ctx.profile = in.cardProfile;
    ctx.antenna = antenna;
    ctx.P = P;
    Field f;
    f.rc = GTDFLD(ctx, f.E, in.ant[static_cast<size_t>(antenna)].CANT);
    f.report = ctx.fort7;
    return f;
}

Complex flatEarth(const RunInputs& in, const Vec3& P, int antenna = 0) {
    FieldContext ctx(in);
    ctx.profile = in.cardProfile;
    ctx.antenna = antenna;
    ctx.P = P;
    Complex E;
    FLATEF(ctx, E, {0, 0});
    return E;
}

// The GTD model's scale against exp(-jkR)/R: the source's -j 60 pi times 0.1/lambda, the phi-hat sign of a
// ray arriving along +Y, the output's division by lambda * 0.3048 and the first-plate factor.
Complex gtdScale(const RunInputs& in) { return Complex(0, 6 * kPi) / (0.3048 * in.lambda * in.F0); }

Complex spherical(const RunInputs& in, double R) { return std::polar(1.0, -in.k * R) / R; }

// A terrain with hills and a valley that lights every ray family somewhere.
const Points kRolling = {{-800, 0},   {1500, 0},   {2600, 30},   {3400, -10}, {4200, 25},
                         {5600, -20}, {7000, 40},  {8200, 0},    {9900, -35}, {12000, 10}};
} // namespace

TEST(GtdFlatGround, IsTheFlatEarthFieldTimesOneFactor) {
    struct Case {
        const char* name;
        Points profile;
        Complex F0;
    };
    const Case cases[] = {
        {"one plate", {{-500, 0}, {90000, 0}}, std::polar(std::pow(10, -3.0 / 20), -45 * kPi / 180)},
        {"several plates", {{-500, 0}, {700, 0}, {3100, 0}, {9000, 0}, {25000, 0}, {90000, 0}}, {1, 0}},
    };
    const Vec3 antennas[] = {{0, 0, 14}, {0, 0, 29.5}, {0, -250, 41}};
    const Vec3 points[] = {{0, 800, 55}, {0, 4000, 210}, {0, 11000, 640}, {0, 23000, 1203}, {0, 52000, 2755}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunInputs in = gtdInputs(c.profile);
        in.F0 = c.F0;
        in.NA = 3;
        for (int a = 0; a < 3; ++a)
            in.ant[a].pos = antennas[a];
        const Complex K = gtdScale(in);
        for (int a = 0; a < 3; ++a)
            for (const Vec3& P : points) {
                const Field g = gtd(in, P, a);
                ASSERT_EQ(g.rc, 0);
                EXPECT_EQ(g.report, "");
                const Complex want = K * flatEarth(in, P, a);
                EXPECT_NEAR(std::abs(g.E - want), 0, 1e-9 * std::abs(want)) << a << " " << P.y;
            }
    }
}

// Two plates at right angles: the field is that of the antenna and its three images (the double image
// through the two walls in turn), with no contribution of the corner.
TEST(GtdValley, RightAngleValleyIsFourImages) {
    RunInputs in = gtdInputs({{-1000, 1000}, {0, 0}, {1000, 1000}});
    in.ant[0].pos = {0, -100, 300};
    const Complex K = gtdScale(in);
    const Vec3 points[] = {{0, 400, 700}, {0, 350, 900}, {0, 600, 950}, {0, 320, 500}};
    for (const Vec3& P : points) {
        auto dist = [&](double y, double z) { return std::hypot(P.y - y, P.z - z); };
        // Images of (y, z) = (-100, 300) in z = -y, in z = y, and in both.
        const Complex want = K * (spherical(in, dist(-100, 300)) - spherical(in, dist(-300, 100)) -
                                  spherical(in, dist(300, -100)) + spherical(in, dist(100, -300)));
        const Field g = gtd(in, P);
        ASSERT_EQ(g.rc, 0);
        EXPECT_NEAR(std::abs(g.E - want), 0, 1e-7 * std::abs(want)) << P.y << " " << P.z;
    }
}

// Across the shadow boundary of the direct ray and the reflection boundary of the first plate beyond a
// convex edge, the geometrical-optics field jumps while the total field stays continuous.
TEST(GtdEdge, TotalFieldIsContinuousAcrossShadowAndReflectionBoundaries) {
    RunInputs in = gtdInputs({{-1000, 0}, {3000, 0}, {20000, -1000}});
    in.ant[0].pos = {0, 0, 20};
    // At Y 8000 the line from the antenna over the edge passes Z -33.3; the ray reflected at the edge Z 33.3.
    const double boundaries[] = {-20 * 8000 / 3000.0 + 20, 20 * 8000 / 3000.0 - 20};
    for (double zb : boundaries) {
        SCOPED_TRACE(zb);
        RunInputs geometric = in;
        for (int f = 3; f < 12; ++f)
            geometric.rayIgnore[static_cast<size_t>(f)] = 1;
        double largestGoStep = 0;
        double last = -1, lastGo = -1;
        for (double z = zb - 12.05; z <= zb + 12; z += 0.1) {
            const double m = std::abs(gtd(in, {0, 8000, z}).E);
            const double go = std::abs(gtd(geometric, {0, 8000, z}).E);
            ASSERT_GT(m, 0);
            if (last > 0) {
                EXPECT_NEAR(m / last, 1, 0.01) << z;
                largestGoStep = std::max(largestGoStep, std::fabs(go / lastGo - 1));
            }
            last = m;
            lastGo = go;
        }
        EXPECT_GT(largestGoStep, 0.2);
    }
}
