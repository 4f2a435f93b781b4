// The physical-optics model over plane, perfectly conducting ground against image theory (the flat-earth
// model reflects the antennas in the line of the first two vertices): the CDI and the path angle must not
// depend on where the profile begins or on extra vertices along the same line.
#include "engine_test_support.h"
#include "po_image_field.h"
#include "po_model.h"
#include "simrun_files.h"

#include <cmath>
#include <optional>

using namespace kelvd_test;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;

// The field of one antenna: over a perfectly conducting plane Z = slope Y the physical-optics field is
// the image-theory field, wherever the profile of that plane begins behind the antenna's foot and
// whatever vertices lie along it.
TEST(POFLDOnAPlane, IsImageTheoryWhereverTheProfileBegins) {
    using namespace kelvd;
    POGeometry g;
    g.lambda = 983571200 / 332e6;
    g.k = 2 * kPi / g.lambda;
    for (double slope : {0.0, 0.005, -0.005})
        for (double from : {0.0, -500.0, -5000.0})
            for (double Xa : {0.0, 400.0})
                for (double Yf : {3000.0, 20000.0})
                    for (double elevation : {2.0, 3.0, 4.0}) {
                        SCOPED_TRACE(::testing::Message()
                                     << "slope " << slope << ", from " << from << ", Xa " << Xa << ", Yf "
                                     << Yf << ", elevation " << elevation);
                        g.A = {Xa, 0, 14};
                        g.P = {0, Yf, Yf * (slope + std::tan(elevation * kDeg))};
                        Profile p;
                        p.NV = 3;
                        p.v[0] = {Xa, from, slope * from};
                        p.v[1] = {Xa, 1000, slope * 1000};
                        p.v[2] = {Xa, 90000, slope * 90000};
                        const Complex E = POFLD(g, p);

                        // The antenna's image in the plane.
                        const double c = 1 / std::sqrt(1 + slope * slope);
                        const double d = g.A.z * c;
                        const Vec3 I{Xa, 2 * d * slope * c, g.A.z - 2 * d * c};
                        const Complex ratio = E / ImageTheoryPO(g, I);
                        EXPECT_NEAR(std::abs(ratio), 1.0, 0.01);
                        EXPECT_NEAR(std::arg(ratio) / kDeg, 0.0, 1.0);
                    }
}

std::vector<std::pair<double, double>> plotRows(const std::string& text) {
    std::istringstream s(text);
    std::vector<std::pair<double, double>> rows;
    double x = 0, y = 0;
    while (s >> x >> y)
        rows.emplace_back(x, y);
    return rows;
}

// The angle (x) where the CDI (y) first changes sign, interpolated between the two points.
std::optional<double> pathAngle(const std::vector<std::pair<double, double>>& rows) {
    for (size_t i = 1; i < rows.size(); ++i) {
        const auto [x0, y0] = rows[i - 1];
        const auto [x1, y1] = rows[i];
        if ((y0 < 0) != (y1 < 0))
            return x0 + (x1 - x0) * y0 / (y0 - y1);
    }
    return std::nullopt;
}

// A null-reference array for a 3-degree path at 332 MHz, 400 ft beside the centre line: CSB on the lower
// antenna, SBO on the upper one at twice its height.
Model nullReference() {
    Model m;
    Antenna lower;
    lower.x = 400, lower.z = 14.15, lower.csbMag = 1;
    Antenna upper;
    upper.x = 399.25, upper.z = 28.3, upper.csbMag = 0, upper.sboMag = 0.25;
    m.antennas = {lower, upper};
    m.thX = 0, m.thY = 0, m.thZ = 0;
    return m;
}

// A level run at 1000 ft from 1.5 to 4.5 degrees (CDI against the angle) and a 3-degree approach.
void levelRun(Model& m) {
    m.flightType = 4, m.points = 61;
    m.p1x = 0, m.p1y = 1000 / std::tan(1.5 * kDeg), m.p1z = 1000;
    m.p2x = 0, m.p2y = 1000 / std::tan(4.5 * kDeg), m.p2z = 1000;
    m.xVar = 2, m.yVar = 1;
}
void approach(Model& m) {
    m.flightType = 3, m.points = 40;
    m.p1x = 0, m.p1y = 24000, m.p1z = 3, m.p2x = 0, m.p2y = 2500, m.p2z = 3;
    m.xVar = 1, m.yVar = 1;
}

struct PlaneCase {
    const char* name;
    std::vector<std::pair<double, double>> ground;
    double cdiTolerance; // microamps
};

// Vertices of the line Z = slope Y from `from` to 60000 ft, with extra vertices at `extra`.
std::vector<std::pair<double, double>> plane(double from, double slope, std::vector<double> extra = {}) {
    std::vector<std::pair<double, double>> g{{from, slope * from}};
    for (double y : extra)
        g.push_back({y, slope * y});
    g.push_back({60000, slope * 60000});
    return g;
}

void PrintTo(const PlaneCase& c, std::ostream* os) {
    *os << c.name;
}

class POStartTerm : public WorkDir, public ::testing::WithParamInterface<PlaneCase> {
protected:
    std::vector<std::pair<double, double>> run(Model m, int model) {
        m.fieldModel = model;
        writeFile("temp.inp", paramFile(m));
        writeFile("temp.3D", kDefaultGround);
        EXPECT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D"), 0);
        return plotRows(readFile("temp.prn"));
    }
};

TEST_P(POStartTerm, AgreesWithImageTheoryWhereverTheProfileStarts) {
    const PlaneCase c = GetParam();
    for (void (*cut)(Model&) : {levelRun, approach}) {
        Model m = nullReference();
        m.ground = c.ground;
        cut(m);
        SCOPED_TRACE(m.flightType == 4 ? "level run" : "approach");
        const auto flat = run(m, 0);
        const auto po = run(m, 2);
        ASSERT_EQ(flat.size(), static_cast<size_t>(m.points));
        ASSERT_EQ(po.size(), flat.size());
        double largest = 0;
        for (size_t i = 0; i < flat.size(); ++i) {
            EXPECT_NEAR(po[i].second, flat[i].second, c.cdiTolerance)
                << "point " << i << " at " << flat[i].first;
            largest = std::max(largest, std::fabs(flat[i].second));
        }
        if (m.flightType != 4)
            continue;
        // The run crosses the path: its angle is where the CDI changes sign, far from it the CDI is large.
        EXPECT_GT(largest, 100.0);
        const auto flatAngle = pathAngle(flat), poAngle = pathAngle(po);
        ASSERT_TRUE(flatAngle && poAngle);
        EXPECT_NEAR(*poAngle, *flatAngle, 0.005);
    }
}

INSTANTIATE_TEST_SUITE_P(Planes, POStartTerm,
                         ::testing::Values(PlaneCase{"flat_from_0", plane(0, 0), 3},
                                           PlaneCase{"flat_from_minus500", plane(-500, 0), 3},
                                           PlaneCase{"flat_from_minus1000", plane(-1000, 0), 3},
                                           PlaneCase{"flat_from_minus5000", plane(-5000, 0), 3},
                                           PlaneCase{"flat_collinear_vertices",
                                                     plane(-3000, 0, {-1200, -150, 0, 350, 2600, 9000}), 3},
                                           PlaneCase{"rising_from_0", plane(0, 0.005), 4},
                                           PlaneCase{"rising_from_minus1000", plane(-1000, 0.005), 4},
                                           PlaneCase{"falling_from_0", plane(0, -0.005), 4},
                                           PlaneCase{"falling_from_minus1000", plane(-1000, -0.005), 4}),
                         [](const ::testing::TestParamInfo<PlaneCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
