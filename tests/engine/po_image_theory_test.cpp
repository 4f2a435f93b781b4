// The physical-optics model over flat, perfectly conducting ground, where image theory (the flat-earth
// model) is exact: the standard arrays set back and offset, field points off the centre line and on an
// orbit, through whole runs; and the convergence of its integral when every step is halved.
#include "engine_test_support.h"
#include "ground_file.h"
#include "po_model.h"
#include "simrun_files.h"

#include <cmath>

using namespace kelvd_test;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;
constexpr double kFreq = 332;

Antenna feed(double x, double y, double z, double sboMag, double sboPha, double csbMag, double csbPha) {
    Antenna a;
    a.x = x, a.y = y, a.z = z;
    a.sboMag = sboMag, a.sboPha = sboPha, a.csbMag = csbMag, a.csbPha = csbPha;
    return a;
}

// The three standard arrays for a 3-degree path at 332 MHz, the reference antenna at (x, y); the others
// are moved in X as the presets move them.
struct Array {
    const char* name;
    std::vector<Antenna> (*antennas)(double x, double y);
};
const double kH = 492 / (kFreq * std::sin(3 * kDeg));
const Array kArrays[] = {
    {"Null Ref.",
     [](double x, double y) {
         return std::vector<Antenna>{feed(x, y, kH / 2, 0, 0, 1, 0),
                                     feed(x - std::copysign((kH * kH - kH * kH / 4) / (2 * x), x), y, kH, 1, 0, 0, 0)};
     }},
    {"SB Ref.",
     [](double x, double y) {
         const double zl = 1.47 / std::sin(4 * 3 * kDeg), zu = 1.47 / std::sin(1.33 * 3 * kDeg);
         return std::vector<Antenna>{feed(x, y, zl, 1, 180, 1, 0),
                                     feed(x - std::copysign((zu * zu - zl * zl) / (2 * x), x), y, zu, 1, 0, 0, 0)};
     }},
    {"CEGS",
     [](double x, double y) {
         return std::vector<Antenna>{feed(x + (kH * kH - kH * kH / 4) / (2 * x), y, kH / 2, 0.5, 180, 1, 0),
                                     feed(x, y, kH, 1, 0, 0.5, 180),
                                     feed(x - (9 * kH * kH / 4 - kH * kH) / (2 * x), y, 1.5 * kH, 0.5, 180, 0, 0)};
     }},
};

struct Site {
    const char* name;
    double x, y; // the reference antenna's offset and setback
};
const Site kSites[] = {{"offset 400", 400, 0}, {"offset 400, set back 200", 400, -200}, {"offset -300, forward 150", -300, 150}};

struct Cut {
    const char* name;
    void (*set)(Model&);
};
const Cut kCuts[] = {
    {"level run 2-4 deg at 1000 ft",
     [](Model& m) {
         m.flightType = 4, m.points = 41;
         m.p1x = 0, m.p1y = 1000 / std::tan(2 * kDeg), m.p1z = 1000;
         m.p2x = 0, m.p2y = 1000 / std::tan(4 * kDeg), m.p2z = 1000;
     }},
    {"approach", [](Model& m) {
         m.flightType = 3, m.points = 40;
         m.p1x = 0, m.p1y = 24000, m.p1z = 3, m.p2x = 0, m.p2y = 2500, m.p2z = 3;
     }},
    {"approach off the centre line", [](Model& m) {
         m.flightType = 3, m.points = 40;
         m.p1x = 2500, m.p1y = 24000, m.p1z = 3, m.p2x = 400, m.p2y = 2500, m.p2z = 3;
     }},
    {"orbit", [](Model& m) {
         m.flightType = 7, m.points = 31;
         m.p1x = 10000, m.p1y = -30, m.p1z = 520, m.p2x = 10000, m.p2y = 30, m.p2z = 520;
     }},
};

std::vector<double> cdiOfRun(Model m, int model) {
    m.fieldModel = model;
    return plotValuesOfRun(m);
}

class POImageTheory : public WorkDir {};

TEST_F(POImageTheory, CdiOverFlatGroundIsThatOfTheFlatEarthModel) {
    for (const Array& array : kArrays)
        for (const Site& site : kSites)
            for (const Cut& cut : kCuts) {
                SCOPED_TRACE(::testing::Message() << array.name << ", " << site.name << ", " << cut.name);
                Model m;
                m.freq = kFreq;
                m.thX = 0, m.thY = 0, m.thZ = 0;
                m.ground = {{-5000, 0}, {80000, 0}};
                m.antennas = array.antennas(site.x, site.y);
                cut.set(m);
                m.xVar = 1, m.yVar = 1;
                const std::vector<double> flat = cdiOfRun(m, 0), po = cdiOfRun(m, 2);
                ASSERT_EQ(flat.size(), static_cast<size_t>(m.points));
                ASSERT_EQ(po.size(), flat.size());
                double worst = 0;
                for (size_t i = 0; i < flat.size(); ++i)
                    worst = std::max(worst, std::fabs(po[i] - flat[i]));
                EXPECT_LE(worst, 1.0);
            }
}

// The benchmark's terrain: 30 lateral cuts 1100 ft apart, rising and rolling, 200 nodes each.
kelvd::GroundData benchmarkGround() {
    kelvd::GroundData g;
    g.nodesPerCut = 200;
    g.cuts = 30;
    for (int c = 0; c < g.cuts; ++c)
        for (int i = 0; i < g.nodesPerCut; ++i) {
            const double x = -5000.0 + 50.0 * i, y = 1100.0 * c;
            const double z = c == 0 ? 0.0 : 0.002 * y + 4.0 * std::sin(0.002 * x + 0.3 * c) + 6.0 * std::sin(0.7 * c);
            g.nodes.push_back({x, y, z});
        }
    return g;
}

// The CDI of the antennas' physical-optics fields at P, every step times stepScale: DDM is 2 M times the
// real part of the SBO sum over the CSB sum (M = 0.4, no clearance correction).
double cdiAt(const kelvd::GroundData& ground, const std::vector<Antenna>& antennas, const kelvd::Vec3& P,
             double stepScale) {
    using kelvd::Complex;
    kelvd::POGeometry g;
    g.lambda = 983571200 / (kFreq * 1e6);
    g.k = 2 * kPi / g.lambda;
    g.stepScale = stepScale;
    g.P = P;
    Complex sbo, csb;
    for (const Antenna& a : antennas) {
        g.A = {a.x, a.y, a.z};
        kelvd::Profile profile;
        kelvd::PROFIL(ground, g.A, P, profile);
        const Complex E = kelvd::POFLD(g, profile);
        sbo += E * std::polar(a.sboMag, a.sboPha * kDeg);
        csb += E * std::polar(a.csbMag, a.csbPha * kDeg);
    }
    return 2 * 0.4 * (sbo / csb).real() * 150 / 0.175;
}

TEST(POConvergence, HalvingEveryStepChangesNoCdiByMoreThanATenthOfAMicroamp) {
    const kelvd::GroundData ground = benchmarkGround();
    // The benchmark's array and approach: three antennas 400 ft beside the centre line, 30000 to 1000 ft.
    const std::vector<Antenna> antennas = {feed(400, 0, 14, 0.25, 180, 0.5, 0), feed(400, 0, 28, 0.5, 0, 1, 0),
                                           feed(400, 0, 42, 0.25, 180, 0, 0)};
    double worst = 0;
    for (int i = 0; i < 250; ++i) {
        const double y = 30000 + (1000 - 30000) * i / 249.0;
        const kelvd::Vec3 P{0, y, std::tan(3 * kDeg) * y};
        worst = std::max(worst, std::fabs(cdiAt(ground, antennas, P, 1) - cdiAt(ground, antennas, P, 0.5)));
    }
    EXPECT_LE(worst, 0.1);
}

} // namespace
