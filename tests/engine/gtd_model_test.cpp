#include "flat_earth.h"
#include "gtd_inputs.h"
#include "gtd_model.h"
#include "gtd_trace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace kelvd;
using kelvd_test::gtdInputs;
using kelvd_test::Points;

namespace {
constexpr double kPi = 3.14159265358979323846;

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
Complex gtdScale(const RunInputs& in) {
    return Complex(0, 6 * kPi) / (0.3048 * in.lambda * in.F0);
}

Complex spherical(const RunInputs& in, double R) {
    return std::polar(1.0, -in.k * R) / R;
}

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

namespace {
// A U-shaped valley and a bowl between them light every ray family at the points below.
const Points kValley = {{-300, 600}, {-200, 0},  {0, -5},    {200, 0},
                        {300, 600},  {330, 560}, {600, 500}, {900, 650}};
Points bowl() {
    Points p;
    for (int i = 0; i < 9; ++i) {
        const double a = (200 + 140.0 * i / 8) * kPi / 180;
        p.push_back({600 * std::cos(a), 600 + 600 * std::sin(a)});
    }
    for (auto q : Points{{900, 380}, {1400, 300}, {2500, 420}, {4000, 0}})
        p.push_back(q);
    return p;
}

struct Scene {
    RunInputs in;
    Vec3 P;
};

Scene scene(const Points& profile, const Vec3& antenna, const Vec3& P) {
    Scene s{gtdInputs(profile), P};
    s.in.ant[0].pos = antenna;
    return s;
}
} // namespace

// Each family contributes somewhere, and its switch alone takes it out; all twelve leave nothing.
TEST(GtdSwitches, EachFamilyContributesAndAllSwitchesLeaveNoField) {
    struct Case {
        Scene s;
        std::vector<int> switches; // one-based, those whose family is lit at this point
    };
    const Case cases[] = {
        {scene(kValley, {0, -150, 50}, {0, -190, 20 * std::pow(1.15, 16)}), {1, 2, 3, 4, 5, 6, 7, 8}},
        {scene(kValley, {0, -150, 50}, {0, -190, 20 * std::pow(1.15, 15)}), {6, 10, 12}},
        {scene(kValley, {0, -150, 50}, {0, 362, 20 * std::pow(1.15, 24)}), {11}},
        {scene(bowl(), {0, -100, 150}, {0, 462, 60 * std::pow(1.15, 12)}), {9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s.P.z);
        const Field all = gtd(c.s.in, c.s.P);
        ASSERT_EQ(all.rc, 0);
        for (int sw : c.switches) {
            RunInputs in = c.s.in;
            in.rayIgnore[static_cast<size_t>(sw - 1)] = 1;
            const Field without = gtd(in, c.s.P);
            EXPECT_GT(std::abs(without.E - all.E), 1e-5 * std::abs(all.E)) << "switch " << sw;
        }
        RunInputs none = c.s.in;
        none.rayIgnore.fill(1);
        EXPECT_EQ(gtd(none, c.s.P).E, Complex(0, 0));
    }
}

// Switches 5 and 6 are tested for 0, the others for 1: a 2 leaves out the former and keeps the latter.
TEST(GtdSwitches, ValuesOtherThanZeroAndOne) {
    const Scene s = scene(kValley, {0, -150, 50}, {0, -190, 20 * std::pow(1.15, 16)});
    auto withSwitch = [&](int sw, int value) {
        RunInputs in = s.in;
        in.rayIgnore[static_cast<size_t>(sw - 1)] = value;
        return gtd(in, s.P).E;
    };
    EXPECT_EQ(withSwitch(5, 2), withSwitch(5, 1));
    EXPECT_EQ(withSwitch(6, 2), withSwitch(6, 1));
    EXPECT_EQ(withSwitch(2, 2), withSwitch(2, 0));
    EXPECT_EQ(withSwitch(7, 2), withSwitch(7, 0));
}

// A repeated profile point is merged before the plates are built: the field is that of the profile
// without the repetition, and no plate is reported.
TEST(GtdPlates, RepeatedProfilePointIsMerged) {
    const Field once = gtd(gtdInputs({{0, 0}, {100, 0}, {200, 5}}), {0, 500, 50});
    for (const auto& twice : {std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {100, 0}, {200, 5}},
                              std::vector<std::pair<double, double>>{{0, 0}, {0, 0}, {100, 0}, {200, 5}, {200, 5}}}) {
        const Field f = gtd(gtdInputs(twice), {0, 500, 50});
        ASSERT_EQ(f.rc, 0);
        EXPECT_EQ(f.report, once.report);
        EXPECT_EQ(f.E, once.E);
    }
    ASSERT_EQ(once.rc, 0);
    EXPECT_NE(once.E, Complex(0, 0));
}

// A one-point profile has no plates: the direct ray alone, with the range error line of its blockage test.
TEST(GtdPlates, OnePointProfileGivesTheDirectRay) {
    RunInputs in = gtdInputs({{0, 0}});
    in.F0 = std::polar(0.5, 0.3);
    const Vec3 P{0, 900, 70};
    const Field f = gtd(in, P);
    ASSERT_EQ(f.rc, 0);
    const Complex want = gtdScale(in) * spherical(in, std::hypot(900.0, 70 - 14.0));
    EXPECT_NEAR(std::abs(f.E - want), 0, 1e-12 * std::abs(want));
    EXPECT_EQ(f.report, "   ERROR FROM VLOGI1, LSTART =         1 LSTOP =         0\r\n\r\n");
}

// With AMODE 2 the direct ray carries the element factor of the three-element antenna: (1, e3), (1, e2)
// and (1, e1) weight the elements at -2k cos psi, 0 and +2k cos psi.
TEST(GtdSource, ThreeElementFactor) {
    RunInputs in = gtdInputs({{0, 0}});
    in.ant[0].CANT = 10;
    const Vec3 P{300 / std::tan(60 * kPi / 180), 300, 14};
    const Complex plain = gtd(in, P).E;
    in.AMODE = 2;
    in.ant[0].elementFactor = {Complex(1, 0.1), Complex(1, 0.2), Complex(1, 0.3)};
    const Complex factored = gtd(in, P).E;
    const double c = std::cos(50 * kPi / 180);
    const Complex want =
        std::cos(0.4 * kPi * c) * (Complex(1, 0.2) + Complex(1, 0.1) * std::polar(1.0, 2 * in.k * c) +
                                   Complex(1, 0.3) * std::polar(1.0, -2 * in.k * c));
    EXPECT_NEAR(std::abs(factored / plain - want), 0, 1e-9);
}

TEST(GtdTrace, LinesByDebugLevel) {
    Scene s = scene(kValley, {0, -150, 50}, {0, -190, 20 * std::pow(1.15, 16)});
    EXPECT_EQ(gtd(s.in, s.P).report, "");

    s.in.DEBUG = 1;
    const std::string one = gtd(s.in, s.P).report;
    EXPECT_EQ(one.find("0     DRV(I,1,2,3)=      50000.000       -300.000        600.000I=    1J=    1\r\n"),
              0u);
    for (const char* line :
         {"\r\n   FIELD POINT     ", "\f  ****DIRECT FIELD .\r\n",
          "\r\n STARTING TO CALCULATE THE RAYS FROM PLATE              1\r\n",
          "\r\n  SI=", "\r\n  SII=", "\r\n  BETA0", "\r\n     S ", "\r\n  INCIDENT FIELD AT DIFFRACTED POINT",
          "\r\n  REFLECTED FROM PLATE   1\r\n", "\r\n  THE TOTAL FIELD IS\r\n"})
        EXPECT_NE(one.find(line), std::string::npos) << line;

    s.in.DEBUG = 2;
    const std::string two = gtd(s.in, s.P).report;
    for (const char* line :
         {"\f  ****DIRECT FIELD .\r\n", "\r\n     PHI ", "  DIFFRACTED OFF EDGE   4",
          "\r\n  THE FIELD CONTRIBUTED FROM DIRECT, R, RD, RR, RRD, RDR, RDD, AND RRR ARE\r\n",
          "\r\n  THE FIELD CONTRIBUTIONS FROM D, DR, DRD, DD, DDR, AND DRR ARE\r\n",
          "\r\n  THE TOTAL FIELD IS\r\n"})
        EXPECT_NE(two.find(line), std::string::npos) << line;
    for (const char* line : {"DRV(I", "FIELD POINT", "BETA0", "STARTING TO CALCULATE", "  SI="})
        EXPECT_EQ(two.find(line), std::string::npos) << line;
}

TEST(GtdTrace, PrintsMagnitudesAndPhases) {
    std::string sink;
    PRTFLD(sink, {Complex(0, 1), Complex(-2, 0)});
    EXPECT_EQ(sink, "                1.0000000      90.0000000       2.0000000     180.0000000\r\n");
}

// Which edges an antenna sees is kept between points only while the profile stays the same.
TEST(GtdEdgeCache, FollowsTheProfile) {
    const Points hill = {{-100, 0}, {500, 0}, {1000, 50}, {1500, 0}, {3000, 0}};
    const Points dip = {{-100, 0}, {500, 0}, {1000, -5}, {1500, 0}, {3000, 0}};
    RunInputs in = gtdInputs(hill);
    in.ant[0].pos = {0, 0, 10};
    const Vec3 P{0, 2500, 30};

    // A profile cut from the 3D ground file: the hill hides edge 3; the next point's dip does not.
    in.profileFromGround = true;
    FieldContext ctx(in);
    ctx.P = P;
    for (const Points* p : {&hill, &dip}) {
        ctx.profile.NV = static_cast<int>(p->size());
        for (size_t i = 0; i < p->size(); ++i)
            ctx.profile.v[i] = {0, (*p)[i].first, (*p)[i].second};
        Complex E;
        ASSERT_EQ(GTDFLD(ctx, E, 0), 0);
        RunInputs fresh = in;
        fresh.cardProfile = ctx.profile;
        EXPECT_EQ(E, gtd(fresh, P).E);
    }

    // A card profile: the same fields whichever point comes first.
    in = gtdInputs(hill);
    in.ant[0].pos = {0, 0, 10};
    const Vec3 points[] = {{0, 2500, 30}, {-400, 1200, 8}, {300, 700, 60}, {0, 1700, 3}};
    std::vector<Complex> forward, backward;
    FieldContext f(in), b(in);
    f.profile = b.profile = in.cardProfile;
    for (int i = 0; i < 4; ++i) {
        Complex E;
        f.P = points[i];
        GTDFLD(f, E, 0);
        forward.push_back(E);
        b.P = points[3 - i];
        GTDFLD(b, E, 0);
        backward.insert(backward.begin(), E);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(forward[i], backward[i]);
        EXPECT_EQ(forward[i], gtd(in, points[i]).E);
    }
}
