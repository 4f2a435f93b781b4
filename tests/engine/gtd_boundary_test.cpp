// GTD field points exactly on a shadow or reflection boundary: the diffracted field jumps there by the
// field of the ray that the boundary switches on or off, and the total must take the value that both
// sides approach, not a spike at the one point.
#include "engine_test_support.h"
#include "gtd_diffcoef.h"
#include "simrun_files.h"

using namespace kelvd_test;

namespace {

struct Coefficients {
    kelvd::Complex Ds, Dh;
};

Coefficients difcof(double phi, double phip, double WA, kelvd::OnBoundary onBoundary) {
    Coefficients c;
    double A = 0;
    std::string sink;
    kelvd::DIFCOF(phi, phip, 70, 40, 90, WA, 0, A, 3, c.Ds, c.Dh, 0, sink, onBoundary);
    return c;
}

// Exactly on a boundary the coefficient as the ray tracers need it is the limit from the side they count
// the point to: the lit side of the incident ray's boundary, the shadow side of a reflected ray's; on
// its own it is the mean of both sides.
TEST(DifcofOnBoundary, TakesTheSideTheRayTracersCountThePointTo) {
    using kelvd::OnBoundary;
    struct Case {
        const char* boundary;
        double phi, phip, WA;
        double towardsCountedSide; // the direction of phi that leads into the counted side
    };
    const Case cases[] = {{"incident", 210, 30, 90, -1},
                          {"reflected by the first face", 150, 30, 90, +1},
                          {"reflected by the second face", 260, 100, 90, -1},
                          {"incident, obtuse wedge", 230, 50, 160, -1},
                          {"reflected by the first face, obtuse wedge", 130, 50, 160, +1}};
    const double delta = 1e-9; // degrees
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boundary);
        const Coefficients traced = difcof(c.phi, c.phip, c.WA, OnBoundary::AsTraced);
        const Coefficients mean = difcof(c.phi, c.phip, c.WA, OnBoundary::Mean);
        const Coefficients counted =
            difcof(c.phi + c.towardsCountedSide * delta, c.phip, c.WA, OnBoundary::Mean);
        const Coefficients other =
            difcof(c.phi - c.towardsCountedSide * delta, c.phip, c.WA, OnBoundary::Mean);
        const double size = std::abs(counted.Dh - other.Dh);
        ASSERT_GT(size, 1.0); // a boundary indeed: the coefficient jumps
        EXPECT_NEAR(std::abs(traced.Dh - counted.Dh), 0, 1e-6 * size);
        EXPECT_NEAR(std::abs(traced.Ds - counted.Ds), 0, 1e-6 * size);
        EXPECT_NEAR(std::abs(mean.Dh - 0.5 * (counted.Dh + other.Dh)), 0, 1e-6 * size);
        EXPECT_NEAR(std::abs(mean.Ds - 0.5 * (counted.Ds + other.Ds)), 0, 1e-6 * size);
    }
}

struct BoundaryCase {
    const char* name;
    std::vector<std::pair<double, double>> ground;
    double y;          // the vertical cut at this Y ...
    double zFrom, zTo; // ... from zFrom to zTo, its middle point on the lower antenna's boundary
};

void PrintTo(const BoundaryCase& c, std::ostream* os) {
    *os << c.name;
}

// A level top ending at 2000 ft, a cliff, level ground 20 ft lower: from the lower antenna (14 ft) the
// reflection boundary of the top passes Y = 6000 ft at 28 ft, the shadow boundary of its edge Y = 4000 ft
// at -14 ft. Over flat ground with a vertex at 2000 ft the reflection moves from one plate to the next
// on that same line.
const std::vector<std::pair<double, double>> kStep{{0, 0}, {2000, 0}, {2000.5, -20}, {20000, -20}};
const std::vector<std::pair<double, double>> kFlat{{0, 0}, {2000, 0}, {20000, 0}};

class GtdBoundary : public WorkDir, public ::testing::WithParamInterface<BoundaryCase> {};

TEST_P(GtdBoundary, CdiOnTheBoundaryLiesBetweenItsNeighbours) {
    const BoundaryCase c = GetParam();
    Model m;
    m.fieldModel = 1;
    m.ground = c.ground;
    Antenna lower, upper;
    lower.z = 14, lower.csbMag = 1;
    upper.z = 28, upper.csbMag = 0, upper.sboMag = 0.25;
    m.antennas = {lower, upper};
    // Five points 0.25 ft apart (exact in binary), the middle one on the boundary.
    m.flightType = 2, m.points = 5;
    m.p1x = 0, m.p1y = c.y, m.p1z = c.zFrom, m.p2x = 0, m.p2y = c.y, m.p2z = c.zTo;
    m.xVar = 1, m.yVar = 1;
    const std::vector<double> cdi = plotValuesOfRun(m);
    ASSERT_EQ(cdi.size(), 5u);
    for (size_t i = 1; i + 1 < cdi.size(); ++i) {
        EXPECT_GE(cdi[i], std::min(cdi[i - 1], cdi[i + 1])) << "point " << i;
        EXPECT_LE(cdi[i], std::max(cdi[i - 1], cdi[i + 1])) << "point " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Profiles, GtdBoundary,
                         ::testing::Values(BoundaryCase{"step_reflection", kStep, 6000, 27.5, 28.5},
                                           BoundaryCase{"step_shadow", kStep, 4000, -14.5, -13.5},
                                           BoundaryCase{"flat_vertex_reflection", kFlat, 6000, 27.5, 28.5}),
                         [](const ::testing::TestParamInfo<BoundaryCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
