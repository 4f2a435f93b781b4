#include "flat_earth.h"

#include "engine_test_support.h"
#include "simrun_files.h"

#include <cmath>
#include <numbers>

using namespace kelvd;
using namespace kelvd_test;

namespace {

constexpr double kLambda = 983571200.0 / 332e6;
const double kK = 2 * std::numbers::pi / kLambda;
const Complex kJ(0, 1);

double dist(const Vec3& a, const Vec3& b) { return std::sqrt(std::pow(a.x - b.x, 2) + std::pow(a.y - b.y, 2) + std::pow(a.z - b.z, 2)); }

Complex ray(double R) { return std::exp(-kJ * kK * R) / R; }

struct OneAntenna {
    RunInputs in{};
    FieldContext ctx{in};
    OneAntenna(const Vec3& antenna, std::vector<Vec3> vertices) {
        in.k = kK;
        in.NA = 1;
        in.ant[0].pos = antenna;
        ctx.profile.NV = static_cast<int>(vertices.size());
        for (size_t i = 0; i < vertices.size(); ++i)
            ctx.profile.v[i] = vertices[i];
    }
    Complex field(const Vec3& P, Complex eps) {
        ctx.P = P;
        Complex E;
        FLATEF(ctx, E, eps);
        return E;
    }
};

void expectNear(Complex a, Complex b, double tol) {
    EXPECT_NEAR(a.real(), b.real(), tol);
    EXPECT_NEAR(a.imag(), b.imag(), tol);
}

} // namespace

TEST(FLATEF, PerfectConductorIsDirectMinusImageRay) {
    const Vec3 A{3, 0, 14};
    const Vec3 I{3, 0, -14};
    const Vec3 points[] = {{0, 10000, 500}, {-200, 3000, 20}, {50, 50000, 3000}, {0, 100, 1}};
    // A flat profile at height 0 whatever its two Ys.
    for (auto ys : {std::pair{0.0, 20000.0}, std::pair{-500.0, 7.0}}) {
        OneAntenna s(A, {{0, ys.first, 0}, {0, ys.second, 0}});
        for (const Vec3& P : points) {
            const Complex expected = ray(dist(P, A)) - ray(dist(P, I));
            expectNear(s.field(P, {0, 0}), expected, 1e-12 * std::abs(ray(dist(P, A))));
        }
    }
}

TEST(FLATEF, LossyGroundReflectsWithTheHorizontalFresnelCoefficient) {
    const Vec3 A{0, 0, 14};
    const Vec3 I{0, 0, -14};
    const Complex grounds[] = {{15, -18000 * 0.005 / 332}, {4, -0.5}, {80, -18000 * 4.0 / 332}, {10, 0}};
    const Vec3 points[] = {{0, 10000, 524}, {100, 2000, 50}, {0, 30000, 30}, {0, 50, 300}};
    for (Complex eps : grounds)
        for (const Vec3& P : points) {
            OneAntenna s(A, {{0, 0, 0}, {0, 1000, 0}});
            const double R2 = dist(P, I);
            const double psi = std::asin((P.z - I.z) / R2); // grazing angle over the ground plane
            const Complex root = std::sqrt(eps - std::cos(psi) * std::cos(psi));
            const Complex fresnel = (std::sin(psi) - root) / (std::sin(psi) + root);
            const Complex reflected = s.field(P, eps) - ray(dist(P, A));
            expectNear(reflected, fresnel * ray(R2), 1e-12 / R2);
            EXPECT_LE(std::abs(fresnel), 1.0 + 1e-12);
        }
    // Near grazing incidence the coefficient of any real ground tends to -1.
    EXPECT_NEAR(FresnelReflection(1e-6, {15, -0.3}).real(), -1.0, 1e-4);
}

TEST(FLATEF, ImageIsTheMirrorInTheFirstSegment) {
    struct Case {
        const char* what;
        std::vector<Vec3> vertices;
        Vec3 image; // of the antenna at (2, 100, 14)
    } cases[] = {
        {"flat, raised", {{0, 0, 5}, {0, 1000, 5}}, {2, 100, -4}},
        // z = y / 10 - 10 + 20: the mirror of (100, 14) in the line z = 0.1 y + 10
        {"sloped", {{0, 0, 10}, {0, 1000, 110}}, {2, 100 + 2 * (-0.1 * 100 + 14 - 10) * 0.1 / 1.01, 14 - 2 * (-0.1 * 100 + 14 - 10) / 1.01}},
        // Fewer than two vertices (the one-point default ground file): the horizontal plane of vertex 0.
        {"one vertex", {{2, 30, 3}}, {2, 100, -8}},
        {"no vertex", {}, {2, 100, -14}},
        {"two equal vertices", {{0, 40, 1}, {0, 40, 1}}, {2, 100, -12}},
        // A vertical first segment mirrors in the plane Y = Y0.
        {"vertical", {{0, 300, 0}, {0, 300, 50}}, {2, 500, 14}},
    };
    const Vec3 A{2, 100, 14};
    const Vec3 P{-30, 9000, 400};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OneAntenna s(A, c.vertices);
        const Complex E = s.field(P, {0, 0});
        ASSERT_TRUE(std::isfinite(E.real()) && std::isfinite(E.imag()));
        expectNear(E, ray(dist(P, A)) - ray(dist(P, c.image)), 1e-12);
    }
}

TEST(FLATEF, GroundFileOfFlatCutsGivesTheSamePlotAsTheCardProfile) {
    struct Terrain {
        const char* what;
        double (*z)(double);
    } terrains[] = {
        {"level", [](double) { return 0.0; }},
        // Vertex 0 of a cut profile always has height 0, so the rise starts at the first cut.
        {"rising", [](double y) { return (y + 300.0) / 500.0; }},
    };
    for (const Terrain& t : terrains) {
        SCOPED_TRACE(t.what);
        const std::vector<double> ys = {-300, 4000, 12000};
        Model m;
        m.antennas = {Antenna{0, 0, 14, 0, 0, 0, 0, 0.5, 180, 1, 0}, Antenna{0, 0, 28, 0, 0, 0, 0, 0.5, 0, 0, 0},
                      Antenna{0, 0, 42, 0, 0, 0, 0, 0.1, 0, 0.1, 0}};
        m.permRe = 15, m.conductivity = 0.005;
        m.flightType = 2, m.points = 9;
        m.p1x = -800, m.p1y = 12000, m.p1z = 400, m.p2x = 900, m.p2y = 3000, m.p2z = 150;
        m.yVar = 1;
        for (double y : ys)
            m.ground.push_back({y, t.z(y)});
        const std::string dir = std::string(TEST_OUTPUT_DIR) + "/engine/FlatCuts";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        writeFile("card.inp", paramFile(m));
        m.ground.clear();
        writeFile("file.inp", paramFile(m));
        writeFile("cuts.3D", groundFile(ys, 5, -2000, 2000, t.z));

        ASSERT_EQ(simrunFiles("card.inp", "card.prn", "cuts.3D"), 0);
        ASSERT_EQ(simrunFiles("file.inp", "file.prn", "cuts.3D"), 0);
        const std::string plot = readFile("card.prn");
        EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), 9);
        EXPECT_EQ(readFile("file.prn"), plot);
    }
}
