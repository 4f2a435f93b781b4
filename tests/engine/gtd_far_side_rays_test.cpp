// The aircraft's antenna takes one component of the total field, whatever direction each ray arrives
// from: rays that reach the field point from beyond it (off a face turned towards the array, or off an
// edge the aircraft has passed) keep their true sign.
#include "cegs_array.h"
#include "engine_test_support.h"
#include "geometry.h"
#include "gtd_inputs.h"
#include "gtd_model.h"
#include "simrun_files.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace kelvd;
using namespace kelvd_test;

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kFreq = 332;

Complex gtdField(const RunInputs& in, const Vec3& P) {
    FieldContext ctx(in);
    ctx.profile = in.cardProfile;
    ctx.P = P;
    Complex E;
    EXPECT_EQ(GTDFLD(ctx, E, 0), 0);
    return E;
}

// The far field at P of a short element along X at S carrying current sign s, as the GTD source gives
// it (-j 60 pi times the element's 0.1 ft, over lambda * 0.3048), taken along the horizontal axis
// across the line from the antenna A to P.
Complex elementAlongAxis(const RunInputs& in, const Vec3& A, const Vec3& S, double s, const Vec3& P) {
    const Vec3 d = P - S;
    const double R = length(d);
    const Vec3 r = (1 / R) * d;
    const Vec3 u{1, 0, 0};
    const Vec3 e = u - dot(u, r) * r;
    const double az = std::atan2(P.y - A.y, P.x - A.x);
    const Vec3 axis{-std::sin(az), std::cos(az), 0};
    return Complex(0, -6 * kPi) / (0.3048 * in.lambda) * s * dot(axis, e) * std::polar(1.0, -in.k * R) / R;
}

class GtdFarSideRays : public WorkDir {};

} // namespace

// Level ground meeting a 300-ft wall at Y = 3000 ft: for a right-angle corner image theory is exact,
// the antenna and its three images (in the ground, in the wall, in both) with their currents mirrored.
// Only the direct and the once and twice reflected rays are traced. On the centre line the field lies
// along the corner's edge; off it the rays' theta-hat components count too.
TEST(GtdCorner, IsTheAntennaAndItsThreeImages) {
    const Vec3 A{0, 0, 28};
    RunInputs in = gtdInputs({{-500, 0}, {3000, 0}, {3000, 300}}, kFreq);
    in.ant[0].pos = A;
    in.rayIgnore = {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    struct Image {
        Vec3 at;
        double current;
    };
    const Image images[] = {{A, 1}, {{0, 0, -28}, -1}, {{0, 6000, 28}, -1}, {{0, 6000, -28}, 1}};
    for (double x : {0.0, -250.0, 400.0})
        for (double y = 1500; y <= 2500; y += 100) {
            const Vec3 P{x, y, 40};
            SCOPED_TRACE(::testing::Message() << "X " << x << ", Y " << y);
            Complex want = 0;
            for (const Image& i : images)
                want += elementAlongAxis(in, A, i.at, i.current, P);
            const Complex direct = elementAlongAxis(in, A, A, 1, P);
            EXPECT_NEAR(std::abs(gtdField(in, P) - want) / std::abs(direct), 0, 1e-9);
        }
}

// Over level ground every ray shares its antenna's azimuth, behind the mast too: GTD is the flat-earth
// model all the way round an orbit.
TEST_F(GtdFarSideRays, OrbitRoundTheMastOverLevelGroundIsTheFlatEarthField) {
    Model m;
    m.thX = 0, m.thY = 0, m.thZ = 0;
    m.antennas = cegsArray();
    m.antennas[0].x = m.antennas[1].x = m.antennas[2].x = 400;
    m.ground = {{-90000, 0}, {90000, 0}};
    m.flightType = 7, m.points = 73;
    m.p1x = 6000, m.p1y = -180, m.p1z = 400, m.p2x = 6000, m.p2y = 180, m.p2z = 400;
    const std::vector<double> flat = plotValuesOfRun(m);
    m.fieldModel = 1;
    const std::vector<double> gtd = plotValuesOfRun(m);
    ASSERT_EQ(flat.size(), 73u);
    ASSERT_EQ(gtd.size(), flat.size());
    for (size_t i = 0; i < flat.size(); ++i)
        EXPECT_NEAR(gtd[i], flat[i], 1e-5 * std::max(1.0, std::fabs(flat[i]))) << "point " << i;
}

// An approach at 2.5 degrees, 0.05 ft between points, through the point above the top edge of a berm
// and of a step: the rays diffracted there turn from travelling away from the array to travelling
// towards it as the aircraft passes over the edge, and the CDI must not jump. The curve is steep there
// (up to 3 uA between neighbours) but smooth: from one pair of neighbours to the next its step changes
// by well under 1 uA, while a jump of J shows as a change of J.
TEST_F(GtdFarSideRays, CdiIsContinuousOverAnEdgeTheAircraftPasses) {
    struct Site {
        const char* name;
        std::vector<std::pair<double, double>> ground;
        double edgeY;
    };
    const Site sites[] = {
        {"30-ft berm", {{-500, 0}, {1500, 0}, {1510, 30}, {1530, 30}, {1540, 0}, {30000, 0}}, 1510},
        {"10-ft step", {{-500, 0}, {1500, 0}, {1500.5, 10}, {30000, 10}}, 1500.5},
    };
    for (const Site& site : sites) {
        SCOPED_TRACE(site.name);
        Model m;
        m.fieldModel = 1;
        m.thX = 0, m.thY = 0, m.thZ = 0;
        m.antennas = cegsArray();
        m.ground = site.ground;
        m.flightType = 3, m.points = 201;
        m.p1x = 0, m.p1y = site.edgeY + 5, m.p1z = 2.5, m.p2x = 0, m.p2y = site.edgeY - 5, m.p2z = 2.5;
        const std::vector<double> cdi = plotValuesOfRun(m);
        ASSERT_EQ(cdi.size(), 201u);
        for (size_t i = 1; i + 1 < cdi.size(); ++i)
            EXPECT_LT(std::fabs(cdi[i + 1] - 2 * cdi[i] + cdi[i - 1]), 1.0) << "point " << i;
    }
}
