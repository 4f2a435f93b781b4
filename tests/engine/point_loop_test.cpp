#include "card_reader.h"
#include "error_codes.h"
#include "point_loop.h"

#include "engine_test_support.h"
#include "simrun_files.h"

#include <atomic>
#include <cmath>

using namespace kelvd;
using namespace kelvd_test;
namespace fs = std::filesystem;

namespace {

struct RunOutput {
    int code = -1;
    std::string fort7, fort10, plot;
};

RunOutput run(int threads, std::function<void(int)> afterPoint = {}, std::atomic<std::uint8_t>* stop = nullptr,
              PointHelpers* helpers = nullptr) {
    RunControl c;
    c.threads = threads;
    c.helpers = helpers;
    c.afterPoint = std::move(afterPoint);
    c.stopRequested = stop;
    RunOutput o;
    o.code = simrunFiles("temp.inp", "temp.prn", "temp.3D", c);
    o.fort7 = readFile("FORT7");
    o.fort10 = readFile("FORT10");
    o.plot = readFile("temp.prn");
    return o;
}

size_t lines(const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); }

Model threeAntennaApproach(int points) {
    Model m;
    m.antennas = {Antenna{0, 0, 14, 0, 0, 0, 0, 0.5, 180, 1, 0, 0.1, 0}, Antenna{0, 0, 28, 0, 0, 0, 0, 0.5, 0, 0, 0},
                  Antenna{0, 0, 42, 0, 0, 0, 0, 0.1, 0, 0.1, 0, 0.2, 90}};
    m.clrModDepth = 0.5;
    m.permRe = 15, m.conductivity = 0.005;
    m.flightType = 3, m.points = points;
    m.p1x = 300, m.p1y = 30000, m.p2x = 0, m.p2y = 1000;
    return m;
}

std::string roughGround() {
    std::vector<double> ys;
    for (int c = 0; c < 12; ++c)
        ys.push_back(-200.0 + 2500.0 * c);
    std::string s = "  9           12\r\n";
    for (size_t c = 0; c < ys.size(); ++c)
        for (int i = 0; i < 9; ++i) {
            char b[96];
            const double x = -2000 + 500.0 * i;
            std::snprintf(b, sizeof b, " %.3f    %.3f    %.3f\r\n", x, ys[c], c == 0 ? 0.0 : 3 * std::sin(0.001 * x + static_cast<double>(c)) + static_cast<double>(c));
            s += b;
        }
    return s;
}

class PointLoop : public WorkDir {};

} // namespace

TEST_F(PointLoop, ParallelRunWritesTheSameFilesAsOneThread) {
    writeFile("temp.inp", paramFile(threeAntennaApproach(250)));
    writeFile("temp.3D", roughGround());
    const RunOutput one = run(1);
    ASSERT_EQ(one.code, 0);
    EXPECT_EQ(lines(one.plot), 250u);
    for (int threads : {2, 8, 0}) {
        SCOPED_TRACE(threads);
        const RunOutput many = run(threads);
        EXPECT_EQ(many.code, 0);
        EXPECT_EQ(many.fort7, one.fort7);
        EXPECT_EQ(many.fort10, one.fort10);
        EXPECT_EQ(many.plot, one.plot);
    }
}

TEST_F(PointLoop, StopTakesEffectBeforeTheNextPointIsWritten) {
    writeFile("temp.inp", paramFile(threeAntennaApproach(40)));
    writeFile("temp.3D", roughGround());
    const RunOutput full = run(1);
    std::string firstRows;
    RunOutput ref;
    for (int threads : {1, 8}) {
        SCOPED_TRACE(threads);
        std::atomic<std::uint8_t> stop{0};
        const RunOutput o = run(threads, [&](int i) { if (i == 2) stop = 1; }, &stop);
        EXPECT_EQ(o.code, errors::kStopped);
        EXPECT_EQ(stop.load(), 0); // the request is taken
        // The finished run's plot file stays; the report and the echo hold the first three points.
        EXPECT_EQ(o.plot, full.plot);
        EXPECT_EQ(lines(full.fort10) - lines(o.fort10), (40u - 3u) * 3u);
        EXPECT_EQ(o.fort10, full.fort10.substr(0, o.fort10.size()));
        const std::string stopped = "  RUN STOPPED ON REQUEST\r\n";
        ASSERT_GT(o.fort7.size(), stopped.size());
        EXPECT_EQ(o.fort7.substr(o.fort7.size() - stopped.size()), stopped);
        const std::string rows = o.fort7.substr(0, o.fort7.size() - stopped.size());
        EXPECT_EQ(rows, full.fort7.substr(0, rows.size()));
        if (threads == 1)
            ref = o;
        else
            EXPECT_EQ(o.fort7, ref.fort7);
    }
    // A request made before the first point: the header only.
    std::atomic<std::uint8_t> early{1};
    const RunOutput o = run(8, {}, &early);
    EXPECT_EQ(o.code, errors::kStopped);
    EXPECT_EQ(o.plot, full.plot);
    EXPECT_EQ(o.fort7.find("THE OUTPUT DATA"), std::string::npos);
}

TEST_F(PointLoop, KeptHelpersServeEachRunWhateverTheRunBeforeDid) {
    writeFile("temp.3D", roughGround());
    PointHelpers helpers;
    struct Step {
        int points, threads, stopAfter; // stopAfter -1: the run goes to its end
    };
    // Runs stopped part-way, on fewer threads than the helpers, with fewer points than threads, then on
    // every core again.
    const Step steps[] = {{40, 8, -1}, {40, 8, 2}, {40, 3, -1}, {3, 8, -1}, {40, 0, 30}, {40, 0, -1}, {1, 8, -1}};
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.points << " points, " << step.threads << " threads");
        writeFile("temp.inp", paramFile(threeAntennaApproach(step.points)));
        std::atomic<std::uint8_t> stop{0};
        const auto stopAt = [&](int i) { if (i == step.stopAfter) stop = 1; };
        const RunOutput one = run(1, stopAt, &stop);
        const RunOutput kept = run(step.threads, stopAt, &stop, &helpers);
        EXPECT_EQ(kept.code, step.stopAfter < 0 ? 0 : errors::kStopped);
        EXPECT_EQ(kept.code, one.code);
        EXPECT_EQ(kept.fort7, one.fort7);
        EXPECT_EQ(kept.fort10, one.fort10);
        EXPECT_EQ(kept.plot, one.plot);
    }
}

TEST_F(PointLoop, AFailingPointWritesWhatOneThreadWouldHaveWritten) {
    // The line runs through one antenna at its middle point (the third of five, among the last points a
    // loop shares out by antenna; the 21st of 41, among those it takes whole): no field is defined there.
    // The antennas before it have written their parts of that point, the ones after it nothing.
    writeFile("temp.3D", kDefaultGround);
    PointHelpers helpers;
    for (const int points : {5, 41})
        for (const double z : {14.0, 28.0, 42.0}) {
            SCOPED_TRACE(testing::Message() << points << " points, antenna at " << z);
            Model m = threeAntennaApproach(points);
            m.flightType = 2;
            m.p1x = 0, m.p1y = -200, m.p1z = z, m.p2x = 0, m.p2y = 200, m.p2z = z;
            writeFile("temp.inp", paramFile(m));
            const RunOutput one = run(1);
            EXPECT_EQ(one.code, errors::kCard);
            // A refused run leaves no plot file where there was none; the echo holds the points before
            // and the failing point's antennas before the one it lies on.
            EXPECT_FALSE(fs::exists("temp.prn"));
            const size_t before = static_cast<size_t>(z / 14) - 1;
            EXPECT_EQ(lines(one.fort10.substr(one.fort10.find("\n", one.fort10.rfind("...")) + 1)),
                      static_cast<size_t>(points / 2) * 3u + before);
            EXPECT_NE(one.fort7.find("IS AT ANTENNA " + std::to_string(before + 1)), std::string::npos);
            EXPECT_EQ(one.fort7.find("nan"), std::string::npos);
            EXPECT_EQ(one.fort7.find("inf"), std::string::npos);
            for (PointHelpers* kept : {static_cast<PointHelpers*>(nullptr), &helpers}) {
                const RunOutput many = run(8, {}, nullptr, kept);
                EXPECT_EQ(many.code, errors::kCard);
                EXPECT_EQ(many.fort7, one.fort7);
                EXPECT_EQ(many.fort10, one.fort10);
                EXPECT_EQ(many.plot, one.plot);
            }
        }
    // Kept helpers then serve a whole run with another count of antennas.
    Model m = threeAntennaApproach(40);
    m.antennas.resize(2);
    writeFile("temp.inp", paramFile(m));
    const RunOutput one = run(1);
    ASSERT_EQ(one.code, 0);
    const RunOutput kept = run(8, {}, nullptr, &helpers);
    EXPECT_EQ(kept.code, 0);
    EXPECT_EQ(kept.fort7, one.fort7);
    EXPECT_EQ(kept.fort10, one.fort10);
    EXPECT_EQ(kept.plot, one.plot);
}

TEST_F(PointLoop, MalformedGroundFileFailsWhenTheProfileComesFromIt) {
    Model m = threeAntennaApproach(5);
    m.ground.clear();
    writeFile("temp.inp", paramFile(m));
    writeFile("temp.3D", "3 2\n0 0 0\n");
    EXPECT_EQ(run(0).code, errors::kBadGroundFile);
    // A card profile does not read the file, only opens it.
    m.ground = {{0, 0}, {20000, 0}};
    writeFile("temp.inp", paramFile(m));
    EXPECT_EQ(run(0).code, 0);
}

TEST(FlightPoints, CountsAndGeometriesWithoutAFieldPointFail) {
    struct Case {
        const char* what;
        int type, npts;
        std::array<double, 6> P;
        Vec3 th;
        int code;
        size_t count;
    } cases[] = {
        {"one-point radius cut", 1, 1, {10000, 2, 0, 10000, 5, 0}, {}, 0, 1},
        {"one-point line", 2, 1, {0, 9000, 300, 0, 1000, 50}, {}, 0, 1},
        {"one-point approach", 3, 1, {0, 9000, 3, 0, 1000, 3}, {}, 0, 1},
        {"one-point level run", 4, 1, {0, 9000, 1000, 0, 3000, 1000}, {}, 0, 1},
        {"one-point orbit", 7, 1, {10000, -5, 500, 10000, 5, 500}, {}, 0, 1},
        {"two-part approach of 8", 6, 8, {0, 30000, 3, 0, 2000, 3}, {}, 0, 8},
        {"two-part approach of 7", 6, 7, {0, 30000, 3, 0, 2000, 3}, {}, errors::kCard, 0},
        {"two-part approach along Y 10000", 6, 20, {0, 10000, 3, 500, 10000, 3}, {}, errors::kCard, 0},
        {"unknown type", 8, 5, {0, 9000, 300, 0, 1000, 50}, {}, errors::kCard, 0},
        {"negative type", -1, 5, {0, 9000, 300, 0, 1000, 50}, {}, errors::kCard, 0},
        // Starting straight above a theodolite that stands aside: the first point has no real Y.
        {"level run without a real solution", 4, 5, {5000, 9000, 1000, 0, 3000, 1000}, {5000, 9000, 0}, errors::kCard, 0},
        {"level run at theodolite height", 4, 5, {0, 9000, 10, 0, 3000, 10}, {0, 0, 10}, errors::kCard, 0},
        {"no points", 3, 0, {0, 9000, 3, 0, 1000, 3}, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunInputs in{};
        in.TYPE = c.type;
        in.NPTS = c.npts;
        in.P = c.P;
        in.theodolite = c.th;
        std::vector<FlightPoint> points;
        EXPECT_EQ(FlightPoints(in, points), c.code);
        if (c.code == 0) {
            EXPECT_EQ(points.size(), c.count);
        }
    }
    // The single point is the start point.
    RunInputs in{};
    in.TYPE = 2, in.NPTS = 1, in.P = {10, 9000, 300, 0, 1000, 50};
    std::vector<FlightPoint> points;
    ASSERT_EQ(FlightPoints(in, points), 0);
    EXPECT_NEAR(points[0].P.x, 10, 1e-12);
    EXPECT_NEAR(points[0].P.y, 9000, 1e-12);
    EXPECT_NEAR(points[0].P.z, 300, 1e-12);
}

TEST(FlightPoints, AzimuthIsInDegreesForEveryCutType) {
    struct Case {
        int type;
        std::array<double, 6> P;
        double azimuth; // at the first point
    } cases[] = {
        {1, {10000, 3, 30, 10000, 3, 40}, 30},
        {2, {-1000, 1000, 100, 0, 1000, 100}, 45},
        {3, {-1000, 1000, 3, 0, 1000, 3}, 45},
        {6, {1000, 30000, 3, 1000, 2000, 3}, -std::atan2(1000, 30000) * 180 / std::numbers::pi},
        {7, {10000, -20, 500, 10000, 20, 500}, -20},
        {4, {0, 9000, 1000, 0, 3000, 1000}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        RunInputs in{};
        in.TYPE = c.type, in.NPTS = 8, in.P = c.P;
        std::vector<FlightPoint> points;
        ASSERT_EQ(FlightPoints(in, points), 0);
        EXPECT_NEAR(points[0].azimuth, c.azimuth, 1e-9);
    }
}

TEST(CLRCOR, LeavesDdmWithoutClearanceAndCorrectsWithIt) {
    // No clearance signal: r = 0, the value is unchanged.
    for (double ddm : {-0.8, -0.3, 0.0, 0.2, 0.8})
        EXPECT_NEAR(CLRCOR(0.6, ddm, {1, 0}, {0, 0}, 0.4), ddm, 1e-15);
    // Equal clearance and CSB: q = 1/4, c1 = c2 = 1/2, so |0.6/2 + (0.8 + 0.1)/4| - (0.8 - 0.1)/4.
    EXPECT_NEAR(CLRCOR(0.6, 0.1, {0, 2}, {2, 0}, 0.4), 0.35, 1e-12);
}

TEST(EvaluatePoint, DdmCdiAndPlotSelection) {
    // One antenna: ESB / ECSB is ISS / ICS, so t = Re(ISS / ICS) with A = 1.
    struct Case {
        const char* what;
        double sboMag, sboPha, csbMag;
        int plotOn, ysel;
        double y;
    } cases[] = {
        {"inside the clamp", 0.5, 0, 1, 1, 1, 2 * 0.4 * 0.5 * 150 / 0.175},
        {"clamped high", 2, 0, 1, 1, 1, 2 * 0.4 * 150 / 0.175},
        {"clamped low", 2, 180, 1, 1, 1, -2 * 0.4 * 150 / 0.175},
        {"|CDI|", 2, 180, 1, 1, 11, 2 * 0.4 * 150 / 0.175},
        {"no CSB: CDI 0", 0.5, 0, 0, 1, 1, 0},
        {"no CSB: DCDI 0", 0.5, 0, 0, 1, 2, 0},
        {"selector out of range", 0.5, 0, 1, 1, 12, 0},
        {"plot off", 0.5, 0, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunInputs in{};
        in.NA = 1, in.M = 0.4, in.A = 1, in.k = 2 * std::numbers::pi / 2.963;
        in.ant[0].pos = {0, 0, 14};
        in.ant[0].issMag = c.sboMag, in.ant[0].issPha = c.sboPha, in.ant[0].icsMag = c.csbMag;
        in.cardProfile.NV = 2, in.cardProfile.v[1] = {0, 1000, 0};
        in.widthRefAngle = 0.7, in.pathRefAngle = 3;
        in.PLOTON = c.plotOn, in.XSEL = 1, in.YSEL = c.ysel;
        FieldContext ctx(in);
        PointResult r;
        EvaluatePoint(in, GroundData{}, FlightPoint{{0, 9000, 500}, 3, 0}, 3, ctx, r);
        ASSERT_EQ(r.error, 0);
        double x = -1, y = -1;
        ASSERT_EQ(std::sscanf(r.plot.c_str(), "%lf %lf", &x, &y), 2);
        EXPECT_NEAR(x, c.plotOn == 0 ? 0 : 9000, 1e-9);
        EXPECT_NEAR(y, c.y, 1e-3 * std::max(1.0, std::fabs(c.y)));
        EXPECT_EQ(lines(r.fort7), 1u); // only the row: no headers after point 0
        EXPECT_EQ(lines(r.fort10), 1u);
    }
}

TEST(EvaluatePoint, PlotXSelection) {
    const FlightPoint fp{{-120, 9000, 500}, 3.2, -0.76};
    const std::pair<int, double> cases[] = {{1, 9000}, {2, 3.2}, {3, 120}, {4, -120}, {5, -0.76}, {0, 0}, {6, 0}};
    for (auto [xsel, expected] : cases) {
        SCOPED_TRACE(xsel);
        RunInputs in{};
        in.NA = 1, in.M = 0.4, in.A = 1, in.k = 2;
        in.ant[0].pos = {0, 0, 14};
        in.ant[0].icsMag = 1;
        in.cardProfile.NV = 2, in.cardProfile.v[1] = {0, 1000, 0};
        in.PLOTON = 1, in.XSEL = xsel, in.YSEL = 1;
        FieldContext ctx(in);
        PointResult r;
        EvaluatePoint(in, GroundData{}, fp, 1, ctx, r);
        double x = -1, y = -1;
        ASSERT_EQ(std::sscanf(r.plot.c_str(), "%lf %lf", &x, &y), 2);
        EXPECT_NEAR(x, expected, 1e-9);
    }
}

TEST(ReportHeader, AntennaColumnHeadsOnlyAboveTheRatioThreshold) {
    const std::string heads = "     ANTENNA   X(COORD.)";
    for (auto [A, shown] : {std::pair{0.0001, false}, std::pair{0.0, false}, std::pair{0.00011, true}, std::pair{1.0, true}}) {
        SCOPED_TRACE(A);
        RunInputs in{};
        in.A = A;
        in.NA = 1;
        std::string header;
        ReportHeader(in, header);
        EXPECT_EQ(header.find(heads) != std::string::npos, shown);
        EXPECT_NE(header.find("        1       0.000       0.000"), std::string::npos);
    }
}

TEST(EvaluatePoint, CurrentsAreUsedUnchangedFromTheRatioThresholdAndAsPowersBelow) {
    // One antenna with SBO = CSB / 2 in magnitude: above the threshold t = 0.5; below it the magnitudes are
    // powers, so with an SBO power of 0.04 t = (sqrt(0.04) / 0.80235) / (sqrt(1) M) with A' = 1.
    const double M = 0.4;
    const std::pair<double, double> cases[] = {{0.0001, 0.5}, {1, 0.5}, {0.00009, 0.2 / 0.80235 / M}};
    for (auto [A, t] : cases) {
        SCOPED_TRACE(A);
        RunInputs in{};
        in.NA = 1, in.M = M, in.A = A, in.k = 2;
        in.ant[0].pos = {0, 0, 14};
        in.ant[0].issMag = A < 0.0001 ? 0.04 : 0.5;
        in.ant[0].icsMag = 1;
        in.cardProfile.NV = 2, in.cardProfile.v[1] = {0, 1000, 0};
        in.PLOTON = 1, in.XSEL = 1, in.YSEL = 1;
        FieldContext ctx(in);
        PointResult r;
        EvaluatePoint(in, GroundData{}, FlightPoint{{0, 9000, 500}, 3, 0}, 1, ctx, r);
        double x = 0, y = 0;
        ASSERT_EQ(std::sscanf(r.plot.c_str(), "%lf %lf", &x, &y), 2);
        const double A1 = A > 0.0001 ? A : 1.0;
        EXPECT_NEAR(y, 2 * M * A1 * t * 150 / 0.175, 1e-3);
    }
}
