#include "po_model.h"

#include "po_image_field.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace kelvd {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDeg = kPi / 180;

POGeometry Geometry(Vec3 P, Vec3 A, double freqMHz = 332.0) {
    POGeometry g;
    g.P = P;
    g.A = A;
    g.lambda = 983571200 / (freqMHz * 1000000);
    g.k = 2 * kPi / g.lambda;
    return g;
}

Profile MakeProfile(std::vector<Vec3> v) {
    Profile p;
    p.NV = static_cast<int>(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) p.v[i] = v[i];
    return p;
}

bool Finite(Complex c) { return std::isfinite(c.real()) && std::isfinite(c.imag()); }

// Over a flat perfect conductor the physical-optics field is the image-theory field (the two pi/4 phase
// turns of the step scaling and of the stationary phase make the reflected ray's factor -j).
struct FlatCase {
    double Xa, Za, Yf, elevationDeg;
};

class POFlatProfile : public ::testing::TestWithParam<FlatCase> {};

TEST_P(POFlatProfile, IsFlatEarthFieldTimesConstantFactor) {
    const FlatCase c = GetParam();
    const double Zf = c.Yf * std::tan(c.elevationDeg * kDeg);
    const POGeometry g = Geometry({0, c.Yf, Zf}, {c.Xa, 0, c.Za});
    const Profile flat = MakeProfile({{c.Xa, 0, 0}, {c.Xa, 100000, 0}});

    const Complex E = POFLD(g, flat);

    const Complex ratio = E / kelvd_test::ImageTheoryPO(g, {c.Xa, 0, -c.Za});
    EXPECT_NEAR(std::abs(ratio), 1.0, 0.01);
    EXPECT_NEAR(std::arg(ratio) / kDeg, 0.0, 1.0);
}

std::vector<FlatCase> FlatCases() {
    std::vector<FlatCase> cases;
    // Elevations clear of the lobe nulls of each height, where a ratio of small numbers says nothing.
    for (double Xa : {0.0, 400.0})
        for (double Yf : {3000.0, 10000.0, 40000.0}) {
            for (double el : {2.0, 3.0, 4.0}) cases.push_back({Xa, 14, Yf, el});
            for (double el : {1.0, 2.0, 3.0}) cases.push_back({Xa, 20, Yf, el});
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Approach, POFlatProfile, ::testing::ValuesIn(FlatCases()));

TEST(POFLD, ProfileBeyondFieldPointOrSingleVertexGivesDirectAndStartTermsOnly) {
    const POGeometry g = Geometry({0, 5000, 260}, {0, 0, 14});
    POSums none;
    const Complex bare = POFLD(g, Profile{}, &none);
    EXPECT_EQ(none.steps, 0);
    EXPECT_NE(none.Ga, 0.0); // the start term is there

    const Profile single = MakeProfile({{0, 0, 0}});
    POSums sums;
    const Complex E = POFLD(g, single, &sums);
    EXPECT_EQ(sums.steps, 0);
    EXPECT_DOUBLE_EQ(E.real(), bare.real());
    EXPECT_DOUBLE_EQ(E.imag(), bare.imag());

    // The start term lies at the first vertex, with the first segment's tangent (level for one vertex).
    const Profile beyond = MakeProfile({{0, 6000, 0}, {0, 9000, 0}, {0, 12000, -5}});
    const Complex atFirst = POFLD(g, MakeProfile({{0, 6000, 0}}));
    const Complex E2 = POFLD(g, beyond, &sums);
    EXPECT_EQ(sums.steps, 0);
    EXPECT_DOUBLE_EQ(E2.real(), atFirst.real());
    EXPECT_DOUBLE_EQ(E2.imag(), atFirst.imag());
    EXPECT_NE(E2, bare);
}

TEST(POFLD, DirectTermIsScaledFreeSpaceField) {
    // Antenna at the origin: no start term (rho + Za with Za = 0 is left out) and no profile.
    const POGeometry g = Geometry({30, 4000, 200}, {0, 0, 0});
    const Complex E = POFLD(g, Profile{});
    const double R = std::sqrt(30.0 * 30 + 4000.0 * 4000 + 200.0 * 200);
    const Complex expected = Complex(0, -0.5 / g.lambda) * (4000 / R) * std::exp(Complex(0, -g.k * R)) / R;
    EXPECT_NEAR(E.real(), expected.real(), 1e-9 * std::abs(expected));
    EXPECT_NEAR(E.imag(), expected.imag(), 1e-9 * std::abs(expected));
}

TEST(POFLD, SegmentHiddenBehindRidgeAddsNothing) {
    const POGeometry g = Geometry({0, 8000, 420}, {0, 0, 14});
    // Flat, then a bank rising to 10 ft at 2000 ft (below the antenna, so it casts a shadow); the next
    // segment falls and ends below the bank's shadow line.
    const Profile toRidge = MakeProfile({{0, 0, 0}, {0, 1000, 0}, {0, 2000, 10}});
    const Profile withHidden = MakeProfile({{0, 0, 0}, {0, 1000, 0}, {0, 2000, 10}, {0, 3000, 2}});
    POSums a, b;
    const Complex Ea = POFLD(g, toRidge, &a);
    const Complex Eb = POFLD(g, withHidden, &b);
    EXPECT_EQ(a.steps, b.steps);
    EXPECT_DOUBLE_EQ(Ea.real(), Eb.real());
    EXPECT_DOUBLE_EQ(Ea.imag(), Eb.imag());

    // Ending just above the shadow line instead, the same segment is integrated.
    const Profile withLit = MakeProfile({{0, 0, 0}, {0, 1000, 0}, {0, 2000, 10}, {0, 3000, 12}});
    POSums c;
    POFLD(g, withLit, &c);
    EXPECT_GT(c.steps, a.steps);
}

TEST(POFLD, PartlyLitSegmentIsIntegratedFromTheShadowLine) {
    const POGeometry g = Geometry({0, 8000, 420}, {0, 0, 14});
    // A bank rising to (1000, 10), seen from the antenna at depression slope (14 - 10) / 1000; a drop
    // behind it (hidden); then a slope that climbs from below the bank's shadow line through it.
    const Profile p = MakeProfile({{0, 0, 0}, {0, 1000, 10}, {0, 1000, 0}, {0, 3000, 20}});
    POSums all;
    POFLD(g, p, &all);

    const double prev = (14.0 - 10.0) / 1000;
    // The shadow line Z = 14 - prev Y meets the segment Z = (Y - 1000) / 100 at Y:
    const double Y = (14 + 10) / (prev + 0.01);
    const double Z = 14 - prev * Y;
    const double f = 1 / std::sqrt(2 * g.lambda);
    POSums pieces;
    POSEG(g, 0, 0, 1000, 10, pieces);
    POSEG(g, Y, Z, 3000, 20, pieces);
    // The start term (at the first vertex, along the bank): the profile up to the bank less the bank.
    POSums toBank, bank;
    POFLD(g, MakeProfile({{0, 0, 0}, {0, 1000, 10}}), &toBank);
    POSEG(g, 0, 0, 1000, 10, bank);
    POSums start;
    start.Ga = toBank.Ga - f * bank.Ga;
    start.Gb = toBank.Gb - f * bank.Gb;
    EXPECT_NEAR(all.Ga, start.Ga + f * pieces.Ga, 1e-9 * std::fabs(all.Ga));
    EXPECT_NEAR(all.Gb, start.Gb + f * pieces.Gb, 1e-9 * std::fabs(all.Gb));
    EXPECT_EQ(all.steps, pieces.steps);
}

TEST(POSEG, ShortSegmentTakesOneStepEndingAtItsEnd) {
    const POGeometry g = Geometry({0, 6000, 300}, {0, 0, 14});
    const double tiny = g.lambda / 24 / 100;
    POSums one, two;
    POSEG(g, 500, 0, 500 + tiny, 0, one);
    POSEG(g, 500, 0, 500 + 2 * tiny, 0, two);
    EXPECT_EQ(one.steps, 1);
    EXPECT_EQ(two.steps, 1);
    // The step ends on the segment's end, so the integral scales with the length.
    ASSERT_NE(one.Ga, 0.0);
    EXPECT_NEAR(two.Ga / one.Ga, 2.0, 1e-3);
    EXPECT_NEAR(two.Gb / one.Gb, 2.0, 1e-3);
}

TEST(POSEG, StepStaysWithinItsLimits) {
    const POGeometry g = Geometry({0, 6000, 300}, {0, 0, 14});
    const double Ls = 2000;
    POSums sums;
    POSEG(g, 1000, 0, 1000 + Ls, 0, sums);
    EXPECT_GE(sums.steps, static_cast<long>(Ls / (20 * g.lambda)));
    EXPECT_LE(sums.steps, static_cast<long>(Ls / (g.lambda / 24)) + 2);
}

TEST(POFLD, StepBudgetBoundsAbsurdWalks) {
    // 30 vertices zig-zagging over 3e10 feet: at lambda / 24 this would take some 1e12 steps.
    std::vector<Vec3> v;
    for (int i = 0; i < 30; ++i) v.push_back({0, i * 1e9, (i % 2) * 1e8});
    POSums sums;
    const Complex E = POFLD(Geometry({0, 4e10, 3e9}, {0, 0, 14}), MakeProfile(v), &sums);
    EXPECT_TRUE(Finite(E));
    EXPECT_LE(sums.steps, po::kStepBudget + 2 * 29);
}

// Runs f on its own thread and waits at most the given time: a stalled integration fails the test
// instead of hanging it (the thread is left behind; the process ends with the test run).
template <class F> std::optional<Complex> Within(std::chrono::seconds limit, F f) {
    auto task = std::make_shared<std::packaged_task<Complex()>>(f);
    std::future<Complex> result = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (result.wait_for(limit) != std::future_status::ready) return std::nullopt;
    return result.get();
}

struct GuardCase {
    const char* name;
    Vec3 P;
    Vec3 A;
    std::vector<Vec3> profile;
    double freqMHz;
};

class POGuards : public ::testing::TestWithParam<GuardCase> {};

TEST_P(POGuards, FinishesWithFiniteField) {
    const GuardCase c = GetParam();
    const POGeometry g = Geometry(c.P, c.A, c.freqMHz);
    const Profile p = MakeProfile(c.profile);
    const auto E = Within(std::chrono::seconds(10), [g, p] { return POFLD(g, p); });
    ASSERT_TRUE(E.has_value()) << c.name << " did not finish";
    EXPECT_TRUE(Finite(*E)) << c.name << ": " << E->real() << ", " << E->imag();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, POGuards,
    ::testing::Values(
        GuardCase{"antenna at ground height", {0, 6000, 300}, {0, 0, 0}, {{0, 0, 0}, {0, 10000, 0}}, 332},
        GuardCase{"antenna on a vertex", {0, 6000, 300}, {0, 500, 0}, {{0, 0, 0}, {0, 500, 0}, {0, 9000, 0}},
                  332},
        GuardCase{"field point on the profile", {0, 6000, 0}, {0, 0, 14}, {{0, 0, 0}, {0, 10000, 0}}, 332},
        GuardCase{"field point on a vertex", {0, 6000, 30}, {0, 0, 14}, {{0, 0, 0}, {0, 6000, 30}}, 332},
        GuardCase{"zero-length segment", {0, 6000, 300}, {0, 0, 14},
                  {{0, 0, 0}, {0, 0, 0}, {0, 2000, 0}, {0, 2000, 0}, {0, 9000, 0}}, 332},
        GuardCase{"field point at the origin", {0, 0, 0}, {0, 0, 14}, {{0, -100, 0}, {0, 10000, 0}}, 332},
        GuardCase{"field point above the origin", {0, 0, 300}, {0, 0, 14}, {{0, -100, 0}, {0, 10000, 0}}, 332},
        GuardCase{"field point at the antenna", {0, 0, 14}, {0, 0, 14}, {{0, -100, 0}, {0, 10000, 0}}, 332},
        GuardCase{"antenna below the ground", {0, 6000, 300}, {0, 0, -5}, {{0, 0, 0}, {0, 10000, 0}}, 332},
        GuardCase{"zero frequency", {0, 6000, 300}, {0, 0, 14}, {{0, 0, 0}, {0, 10000, 0}}, 0},
        GuardCase{"negative frequency", {0, 6000, 300}, {0, 0, 14}, {{0, 0, 0}, {0, 10000, 0}}, -332},
        GuardCase{"very long profile", {0, 1e12, 5e10}, {0, 0, 14}, {{0, 0, 0}, {0, 2e12, 0}}, 332},
        GuardCase{"very high frequency", {0, 60000, 3000}, {0, 0, 14}, {{0, 0, 0}, {0, 90000, 0}}, 3.3e6}),
    [](const ::testing::TestParamInfo<GuardCase>& info) {
        std::string s;
        for (const char* q = info.param.name; *q; ++q) s += std::isalnum(static_cast<unsigned char>(*q)) ? *q : '_';
        return s;
    });

TEST(POFLD, StraightAboveTheOriginIsTheLimitOfNearbyPoints) {
    const Profile flat = MakeProfile({{0, 0, 0}, {0, 10000, 0}});
    const Complex above = POFLD(Geometry({0, 0, 300}, {0, 0, 14}), flat);
    const Complex near = POFLD(Geometry({0, 1e-9, 300}, {0, 0, 14}), flat);
    EXPECT_NEAR(above.real(), near.real(), 1e-9 * std::abs(near));
    EXPECT_NEAR(above.imag(), near.imag(), 1e-9 * std::abs(near));
}

TEST(POFLD, ContextCallUsesCurrentAntennaAndProfile) {
    RunInputs in;
    in.FREQ = 332;
    in.lambda = 983571200 / (in.FREQ * 1000000);
    in.k = 2 * kPi / in.lambda;
    in.NA = 2;
    in.ant[0].pos = {0, 0, 14};
    in.ant[1].pos = {-30, 0, 28};
    FieldContext ctx(in);
    ctx.P = {0, 6000, 310};
    ctx.antenna = 1;
    ctx.profile = MakeProfile({{-30, 0, 0}, {-30, 3000, 5}, {-30, 9000, 0}});
    const Complex E = POFLD(ctx);
    POGeometry g;
    g.P = ctx.P;
    g.A = in.ant[1].pos;
    g.lambda = in.lambda;
    g.k = in.k;
    const Complex expected = POFLD(g, ctx.profile);
    EXPECT_DOUBLE_EQ(E.real(), expected.real());
    EXPECT_DOUBLE_EQ(E.imag(), expected.imag());
}

} // namespace
} // namespace kelvd
