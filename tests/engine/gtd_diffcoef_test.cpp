#include "gtd_diffcoef.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace kelvd;

namespace {
constexpr double kPi = 3.14159265358979323846;

struct Coefficient {
    Complex Ds, Dh;
    double A = 0;
};

Coefficient difcof(double phi, double phip, double beta0, double s, double sp, double WA) {
    Coefficient c;
    std::string sink;
    DIFCOF(phi, phip, beta0, s, sp, WA, 0, c.A, 3, c.Ds, c.Dh, 0, sink);
    EXPECT_EQ(sink, "");
    return c;
}
} // namespace

// Published values of the Fresnel integrals in the pi/2 t^2 form, C(u) and S(u); the engine's argument
// is x = pi u^2 / 2.
TEST(Fresnl, AgreesWithPublishedTables) {
    struct Row {
        double u, C, S;
    };
    const Row rows[] = {
        {0.1, 0.0999975326, 0.0005235895}, {0.5, 0.4923442259, 0.0647324329},
        {1.0, 0.7798934004, 0.4382591474}, {1.5, 0.4452611760, 0.6975049601},
        {2.0, 0.4882534061, 0.3434156784}, {2.5, 0.4574130096, 0.6191817558},
        {3.0, 0.6057207893, 0.4963129990}, {4.0, 0.4984260330, 0.4205157543},
        {5.0, 0.5636311887, 0.4991913819},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.u);
        const double x = kPi * r.u * r.u / 2;
        double C = 0, S = 0;
        FRESNL(C, S, x);
        EXPECT_NEAR(C, r.C, 2e-6);
        EXPECT_NEAR(S, r.S, 2e-6);
        // The argument is taken as |x|.
        double Cn = 0, Sn = 0;
        FRESNL(Cn, Sn, -x);
        EXPECT_EQ(Cn, C);
        EXPECT_EQ(Sn, S);
    }
    double C = 1, S = 1;
    FRESNL(C, S, 0);
    EXPECT_EQ(C, 0);
    EXPECT_EQ(S, 0);
}

// Exact values of F(X) = 2j sqrt(X) e^{jX} int_sqrt(X)^inf e^{-j t^2} dt, each with the accuracy of the
// branch that serves it (series below 0.005, Fresnel integrals up to 30, asymptotic series above).
TEST(Fernel, MatchesTheTransitionFunction) {
    struct Row {
        double X, re, im, tol;
    };
    const Row rows[] = {
        {0.0, 0.0, 0.0, 1e-15},
        {0.001, 0.0395949532, 0.0376728870, 1e-9},
        {0.01, 0.1242051858, 0.1065789738, 5e-7},
        {0.1, 0.3681035678, 0.2344529623, 3e-4},
        {0.19, 0.4812358635, 0.2633004424, 2e-3},
        {0.2, 0.4910623881, 0.2649362842, 1e-6},
        {0.5, 0.6767627067, 0.2682329534, 2e-6},
        {1.0, 0.8095254817, 0.2321993901, 3e-6},
        {3.0, 0.9472422587, 0.1325782618, 8e-6},
        {5.0, 0.9761552711, 0.0896845855, 2e-6},
        {8.0, 0.9894988661, 0.0594588873, 2e-6},
        {8.01, 0.9895226743, 0.0593911125, 1e-3},
        {20.0, 0.9981637382, 0.0247741355, 2e-5},
        {100.0, 0.9999250655, 0.0049981279, 1e-7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.X);
        const Complex F = FERNEL(r.X);
        EXPECT_NEAR(F.real(), r.re, r.tol);
        EXPECT_NEAR(F.imag(), r.im, r.tol);
    }
}

TEST(Cotan, PolesAndSign) {
    EXPECT_NEAR(COTAN(kPi / 4), 1, 1e-15);
    EXPECT_NEAR(COTAN(-kPi / 3), -1 / std::sqrt(3.0), 1e-15);
    EXPECT_EQ(COTAN(0), 1e50);
    EXPECT_EQ(COTAN(-0.0), 1e50);
    EXPECT_EQ(SGN(-2), -1);
    EXPECT_EQ(SGN(0), 0);
    EXPECT_EQ(SGN(3), 1);
}

// A flat continuation (180 degrees, n = 1) diffracts nothing, in the uniform and the non-uniform form,
// and at the shadow and reflection boundaries where the small-argument terms serve.
TEST(Difcof, StraightWedgeGivesNothing) {
    struct Case {
        double phi, phip, s;
    };
    const Case cases[] = {{150, 30, 10}, {100, 60, 1e5},     {150, 30, 1e6},
                          {210, 30, 50}, {150, 30.0001, 50}, {45, 90, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phi);
        const Coefficient d = difcof(c.phi, c.phip, 80, c.s, 2 * c.s, 180);
        EXPECT_NEAR(std::abs(d.Ds), 0, 1e-12);
        EXPECT_NEAR(std::abs(d.Dh), 0, 1e-12);
    }
}

// A 90-degree valley (270 degrees of ground, n = 1/2) is solved exactly by images: its edge must not
// diffract anywhere in the air, which needs the nearest integers of negative arguments.
TEST(Difcof, RightAngleValleyGivesNothing) {
    const double angles[][2] = {{10, 20}, {80, 5}, {45, 45}, {60, 30}, {89, 1}, {5, 85}};
    for (const auto& a : angles) {
        SCOPED_TRACE(a[0]);
        const Coefficient d = difcof(a[0], a[1], 70, 40, 90, 270);
        EXPECT_NEAR(std::abs(d.Ds), 0, 1e-9);
        EXPECT_NEAR(std::abs(d.Dh), 0, 1e-9);
    }
}

// Exchanging the incidence and observation directions leaves the coefficients unchanged.
TEST(Difcof, ReciprocalInTheAngles) {
    struct Case {
        double a, b, WA, s;
    };
    const Case cases[] = {{30, 200, 60, 20}, {10, 250, 90, 5},    {40, 160, 120, 200},
                          {5, 300, 30, 1},   {70, 130, 150, 1e4}, {20, 60, 200, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.WA);
        const Coefficient d1 = difcof(c.a, c.b, 65, c.s, c.s, c.WA);
        const Coefficient d2 = difcof(c.b, c.a, 65, c.s, c.s, c.WA);
        EXPECT_GT(std::abs(d1.Dh), 1e-6);
        EXPECT_NEAR(std::abs(d1.Ds - d2.Ds), 0, 1e-9 * std::abs(d1.Ds) + 1e-12);
        EXPECT_NEAR(std::abs(d1.Dh - d2.Dh), 0, 1e-9 * std::abs(d1.Dh) + 1e-12);
    }
}

TEST(Difcof, GrazingIncidenceHalvesHardAndZeroesSoft) {
    const Coefficient graze = difcof(120, 0.001, 90, 30, 60, 90);
    const Coefficient near = difcof(120, 0.0011, 90, 30, 60, 90);
    EXPECT_EQ(graze.Ds, Complex(0, 0));
    EXPECT_NEAR(std::abs(graze.Dh / near.Dh), 0.5, 1e-4);
}

// Across the switch from the uniform to the non-uniform form, and across the band where a term takes
// its small-argument form, the coefficients change smoothly.
TEST(Difcof, FormsJoinSmoothly) {
    // Far from the boundaries all four transition arguments pass 50 as the distance grows.
    double lastUniform = 0;
    for (double s = 1; s < 1e4; s *= 1.01) {
        const Coefficient d = difcof(200, 40, 90, s, s, 60);
        const double L = s / 2;
        const double b = (200 + 40) * kPi / 180;
        const double n = 300.0 / 180;
        const double X3 =
            2 * kPi * L * 2 *
            std::pow(std::cos(n * kPi * std::floor((kPi + b) / (2 * kPi * n) + 0.5) - b / 2), 2);
        if (X3 > 55) {
            EXPECT_NEAR(std::abs(d.Dh) / lastUniform, 1, 0.02);
            break;
        }
        lastUniform = std::abs(d.Dh);
    }
    EXPECT_GT(lastUniform, 0);
    // phi - phip = 180 is the shadow boundary of the incident ray, where the coefficient jumps; on
    // either side the sweep crosses the pole distance 0.001 at which a term changes form.
    const double WA = 90, n = (360 - WA) / 180;
    for (int side : {-1, 1}) {
        Complex last;
        for (int i = 1; i <= 40; ++i) {
            const double phi = 210 + side * i * 0.0001 * 2 * n * 180 / kPi;
            const Coefficient d = difcof(phi, 30, 90, 100, 100, WA);
            if (i > 1) {
                EXPECT_NEAR(std::abs(d.Dh - last), 0, 0.01 * std::abs(last));
            }
            last = d.Dh;
        }
    }
}

TEST(Difcof, DegenerateGeometryGivesNothing) {
    const Coefficient edgeOn = difcof(120, 40, 0, 30, 60, 90);
    EXPECT_EQ(edgeOn.Dh, Complex(0, 0));
    EXPECT_EQ(edgeOn.A, 0);
    const Coefficient atEdge = difcof(120, 40, 90, 0, 60, 90);
    EXPECT_EQ(atEdge.Ds, Complex(0, 0));
    EXPECT_TRUE(std::isfinite(atEdge.A));
}

TEST(Difcof, TraceLinesAtDebugOne) {
    std::string sink;
    double A = 0;
    Complex Ds, Dh;
    DIFCOF(120, 40, 90, 30, 60, 90, 0, A, 3, Ds, Dh, 1, sink);
    EXPECT_EQ(sink.find("  BETA0       90.0000000000BETAP"), 0u);
    EXPECT_NE(sink.find("\r\n  ANG1"), std::string::npos);
    EXPECT_NE(sink.find("\r\n  ARG1"), std::string::npos);
    EXPECT_NE(sink.find("\r\n  NPN"), std::string::npos);
    EXPECT_NE(sink.find("\r\n  GH        1.0000000000 GS        1.0000000000 C0"), std::string::npos);
    std::string quiet;
    DIFCOF(120, 40, 90, 30, 60, 90, 0, A, 3, Ds, Dh, 2, quiet);
    EXPECT_EQ(quiet, "");
}

// Beside a shadow or reflection boundary each term changes between its exact form and its expansion
// about the pole somewhere: walking towards the boundary on either side the coefficient must stay a
// smooth function of the distance, each value within 1e-3 of what its neighbours give, also at the long
// distances (L = 1000 wavelengths) where the transition function's phase factor matters.
TEST(Difcof, EachSideOfABoundaryIsSmoothUpToIt) {
    struct Case {
        const char* boundary;
        double phib, phip, WA;
    };
    const Case cases[] = {{"incident", 210, 30, 90},
                          {"reflected by the first face", 150, 30, 90},
                          {"incident, obtuse wedge", 230, 50, 160},
                          {"reflected by the first face, obtuse wedge", 130, 50, 160}};
    for (const Case& c : cases) {
        const double n = (360 - c.WA) / 180;
        for (int side : {-1, 1}) {
            SCOPED_TRACE(::testing::Message() << c.boundary << ", side " << side);
            // d is the distance from the cotangent's pole; phi moves 2 n d radians from the boundary.
            const auto at = [&](double d) {
                return difcof(c.phib + side * 2 * n * d * 180 / kPi, c.phip, 90, 2000, 2000, c.WA).Dh;
            };
            for (double d = 3e-3; d > 1e-9; d /= 1.02) {
                const double d0 = d * 1.02, d2 = d / 1.02;
                const Complex mid = at(d0) + (at(d2) - at(d0)) * ((d - d0) / (d2 - d0));
                const Complex D = at(d);
                ASSERT_LT(std::abs(D - mid), 1e-3 * std::abs(D)) << "d " << d;
            }
        }
    }
}

// Through the incident ray's shadow boundary the diffracted field takes over the incident field: the
// coefficient jumps by sqrt(L) (a real number; edge-on incidence, spherical wave), so that the diffracted
// field D A e^(-jks) times the field e^(-jks')/s' at the edge changes by the incident field
// e^(-jk(s + s'))/(s + s') at the observer, and the total stays continuous.
TEST(Difcof, JumpAtTheShadowBoundaryIsTheIncidentField) {
    for (double WA : {30.0, 90.0, 160.0})
        for (double s : {50.0, 1000.0}) {
            SCOPED_TRACE(::testing::Message() << "WA " << WA << ", s " << s);
            const double sp = 2 * s, L = s * sp / (s + sp);
            const double delta = 1e-9; // degrees
            const Coefficient lit = difcof(210 - delta, 30, 90, s, sp, WA);
            const Coefficient shadow = difcof(210 + delta, 30, 90, s, sp, WA);
            const Complex jump = shadow.Dh - lit.Dh;
            EXPECT_NEAR(jump.real(), std::sqrt(L), 1e-3 * std::sqrt(L));
            EXPECT_NEAR(jump.imag(), 0, 1e-3 * std::sqrt(L));
            EXPECT_NEAR(std::abs(jump * lit.A / sp), 1 / (s + sp), 1e-3 / (s + sp));
        }
}
