// Runs that compute nothing, and field points where no model has a field, fail with code 7 and say why in
// "FORT7"; a field point just clear of them, and a profile with a repeated vertex, run under every model.
#include "error_codes.h"

#include "engine_test_support.h"
#include "simrun_files.h"

#include <cmath>

using namespace kelvd_test;

namespace {

struct Outcome {
    int code = -1;
    std::string fort7, plot;
};

Outcome runModel(const Model& m, const std::string& ground = kDefaultGround) {
    writeFile("temp.inp", paramFile(m));
    writeFile("temp.3D", ground);
    // A refused run leaves an earlier plot file as it was: start each without one.
    std::filesystem::remove("temp.prn");
    Outcome o;
    o.code = simrunFiles("temp.inp", "temp.prn", "temp.3D");
    o.fort7 = readFile("FORT7");
    o.plot = readFile("temp.prn");
    return o;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

Model twoAntennas() {
    Model m;
    m.antennas = {Antenna{0, 0, 14, 0, 0, 0, 0, 0.5, 180, 1, 0}, Antenna{0, 0, 28, 0, 0, 0, 0, 0.5, 0, 0, 0}};
    m.ground = {{-500, 0}, {3000, 10}, {20000, 0}};
    return m;
}

// A one-point straight-line cut at (x, y, z).
Model atPoint(Model m, double x, double y, double z) {
    m.flightType = 2, m.points = 1;
    m.p1x = m.p2x = x, m.p1y = m.p2y = y, m.p1z = m.p2z = z;
    return m;
}

class DegenerateRuns : public WorkDir {};

} // namespace

TEST_F(DegenerateRuns, RunsThatComputeNothingFailWithCode7AndTheReason) {
    struct Case {
        const char* what;
        void (*change)(Model&);
        const char* line;
    } cases[] = {
        {"no antennas", [](Model& m) { m.antennas.clear(); },
         "  NO FIELD COMPUTED: THE NUMBER OF ANTENNAS IS         0\r\n"},
        {"no points", [](Model& m) { m.points = 0; },
         "  NO FIELD COMPUTED: THE NUMBER OF POINTS IS         0\r\n"},
        {"negative point count", [](Model& m) { m.points = -3; },
         "  NO FIELD COMPUTED: THE NUMBER OF POINTS IS        -3\r\n"},
        {"model 7", [](Model& m) { m.fieldModel = 7; },
         "  NO FIELD COMPUTED: THERE IS NO FIELD MODEL         7\r\n"},
        {"model -1", [](Model& m) { m.fieldModel = -1; },
         "  NO FIELD COMPUTED: THERE IS NO FIELD MODEL        -1\r\n"},
        {"frequency 0", [](Model& m) { m.freq = 0; },
         "  NO FIELD COMPUTED: THE FREQUENCY IS     0.000 MHZ\r\n"},
        {"negative frequency", [](Model& m) { m.freq = -332; },
         "  NO FIELD COMPUTED: THE FREQUENCY IS  -332.000 MHZ\r\n"},
        {"pattern cut type 8", [](Model& m) { m.flightType = 8; },
         "  NO FIELD COMPUTED: THERE IS NO PATTERN CUT         8\r\n"},
        {"two-part approach of 7 points", [](Model& m) { m.flightType = 6, m.points = 7; },
         "  NO FIELD COMPUTED: THE PATTERN CUT HAS A POINT WITHOUT A POSITION\r\n"},
        // Starting straight above a theodolite that stands aside: the first point has no real Y.
        {"level run without a solution",
         [](Model& m) {
             m.flightType = 4, m.thX = 5000, m.thY = 9000, m.thZ = 0;
             m.p1x = 5000, m.p1y = 9000, m.p1z = 1000, m.p2x = 0, m.p2y = 3000, m.p2z = 1000;
         },
         "  NO FIELD COMPUTED: THE PATTERN CUT HAS A POINT WITHOUT A POSITION\r\n"},
    };
    for (const auto& c : cases) {
        for (int model : {0, 1, 2}) {
            SCOPED_TRACE(std::string(c.what) + ", model " + std::to_string(model));
            Model m = twoAntennas();
            m.fieldModel = model;
            c.change(m);
            const Outcome o = runModel(m);
            EXPECT_EQ(o.code, kelvd::errors::kCard);
            // The whole header, then the reason.
            EXPECT_NE(o.fort7.find("THE PATTERN CUT FOR THIS SIM. IS:"), std::string::npos);
            EXPECT_TRUE(endsWith(o.fort7, c.line))
                << o.fort7.substr(o.fort7.size() - std::min<size_t>(200, o.fort7.size()));
            EXPECT_EQ(o.fort7.find("THE OUTPUT DATA"), std::string::npos);
            EXPECT_EQ(o.plot, "");
        }
    }
    // Two reasons at once: both lines.
    Model m = twoAntennas();
    m.antennas.clear();
    m.points = 0;
    EXPECT_TRUE(
        endsWith(runModel(m).fort7,
                 "ANTENNAS IS         0\r\n  NO FIELD COMPUTED: THE NUMBER OF POINTS IS         0\r\n"));
}

// One rule for all three models: no field at an antenna (within the element's half-length, 0.05 ft) or on
// the ground profile (within 0.001 ft); the point is named in "FORT7" and the run fails with code 7.
TEST_F(DegenerateRuns, FieldPointsAtAnAntennaOrOnTheGroundFailUnderEveryModel) {
    const std::string sloped =
        groundFile({-500, 3000, 20000}, 2, -1000, 1000, [](double y) { return y == 3000 ? 10.0 : 0.0; });
    struct Case {
        const char* what;
        double x, y, z;
        bool profileFromFile;
        const char* line; // empty: the run finishes
    } cases[] = {
        {"at antenna 1", 0, 0, 14, false,
         "  FIELD POINT      0.000      0.000     14.000 IS AT ANTENNA 1\r\n"},
        {"0.04 ft from antenna 2", 0.04, 0, 28, false,
         "  FIELD POINT      0.040      0.000     28.000 IS AT ANTENNA 2\r\n"},
        {"on a profile vertex", 0, 3000, 10, false,
         "  FIELD POINT      0.000   3000.000     10.000 LIES ON THE GROUND PROFILE\r\n"},
        {"on a profile vertex, off the centreline", 700, 3000, 10, false,
         "  FIELD POINT    700.000   3000.000     10.000 LIES ON THE GROUND PROFILE\r\n"},
        {"inside a profile segment", 0, 11500, 5, false,
         "  FIELD POINT      0.000  11500.000      5.000 LIES ON THE GROUND PROFILE\r\n"},
        {"on the first vertex", 0, -500, 0, false,
         "  FIELD POINT      0.000   -500.000      0.000 LIES ON THE GROUND PROFILE\r\n"},
        {"on a vertex of a profile cut from the ground file", 0, 3000, 10, true,
         "  FIELD POINT      0.000   3000.000     10.000 LIES ON THE GROUND PROFILE\r\n"},
        {"0.06 ft from antenna 1", 0.06, 0, 14, false, ""},
        {"0.01 ft above a vertex", 0, 3000, 10.01, false, ""},
        {"0.01 ft above a segment", 0, 11500, 5.01, false, ""},
        {"beyond the profile's end at its height", 0, 20500, 0, false, ""},
    };
    for (const auto& c : cases) {
        for (int model : {0, 1, 2}) {
            SCOPED_TRACE(std::string(c.what) + ", model " + std::to_string(model));
            Model m = atPoint(twoAntennas(), c.x, c.y, c.z);
            m.fieldModel = model;
            if (c.profileFromFile)
                m.ground.clear();
            const Outcome o = runModel(m, c.profileFromFile ? sloped : kDefaultGround);
            if (c.line[0] != '\0') {
                EXPECT_EQ(o.code, kelvd::errors::kCard);
                EXPECT_TRUE(endsWith(o.fort7, c.line))
                    << o.fort7.substr(o.fort7.size() - std::min<size_t>(300, o.fort7.size()));
                EXPECT_EQ(o.plot, "");
            } else {
                EXPECT_EQ(o.code, 0);
                EXPECT_EQ(std::count(o.plot.begin(), o.plot.end(), '\n'), 1);
                EXPECT_EQ(o.fort7.find("ERROR FROM SUBROUTINE"), std::string::npos);
            }
        }
    }
}

// Just clear of a ground vertex (0.01 ft above it) GTD is evaluated without a diffraction point on the
// field point itself, and agrees with flat earth over this gently sloped ground.
TEST_F(DegenerateRuns, JustAboveAGroundVertexGtdAgreesWithFlatEarth) {
    double cdi[2] = {};
    for (int model : {0, 1}) {
        SCOPED_TRACE(model);
        Model m = atPoint(twoAntennas(), 0, 3000, 10.01);
        m.fieldModel = model;
        const Outcome o = runModel(m);
        ASSERT_EQ(o.code, 0);
        double x = 0;
        ASSERT_EQ(std::sscanf(o.plot.c_str(), "%lf %lf", &x, &cdi[model]), 2);
    }
    EXPECT_NEAR(cdi[1], cdi[0], 0.05 * std::fabs(cdi[0]));
    EXPECT_GT(std::fabs(cdi[0]), 100);
}

// A profile vertex entered twice runs under every model as the profile without the repetition.
TEST_F(DegenerateRuns, RepeatedProfileVertexRunsAsWithoutIt) {
    for (int model : {0, 1, 2}) {
        SCOPED_TRACE(model);
        Model m = twoAntennas();
        m.fieldModel = model;
        m.points = 3;
        const Outcome once = runModel(m);
        ASSERT_EQ(once.code, 0);
        m.ground = {{-500, 0}, {3000, 10}, {3000, 10}, {20000, 0}};
        const Outcome twice = runModel(m);
        EXPECT_EQ(twice.code, 0);
        EXPECT_EQ(twice.plot, once.plot);
    }
}
