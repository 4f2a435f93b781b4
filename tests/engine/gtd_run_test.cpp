// Whole runs by the GTD model: agreement with the flat-earth model over flat ground, the same files
// whatever the number of worker threads, and the coplanarity error.
#include "error_codes.h"

#include "engine_test_support.h"
#include "simrun_files.h"

#include <cmath>
#include <map>
#include <sstream>

using namespace kelvd;
using namespace kelvd_test;

namespace {

class GtdRun : public WorkDir {
protected:
    int run(const Model& m, const std::string& ground, int threads, const std::string& name) {
        writeFile(name + ".inp", paramFile(m));
        writeFile(name + ".3D", ground);
        RunControl c;
        c.threads = threads;
        const int rc = simrunFiles(name + ".inp", name + ".prn", name + ".3D", c);
        report[name] = readFile("FORT7");
        echo[name] = readFile("FORT10");
        return rc;
    }
    std::map<std::string, std::string> report, echo;
};

std::vector<double> plotColumn(const std::string& text) {
    std::istringstream s(text);
    std::vector<double> y;
    double a = 0, b = 0;
    while (s >> a >> b)
        y.push_back(b);
    return y;
}

Model threeAntennas() {
    Model m;
    Antenna lower, middle, upper;
    lower.z = 14, lower.sboMag = 0.25, lower.sboPha = 180, lower.csbMag = 0.5;
    middle.z = 28, middle.sboMag = 0.5, middle.csbMag = 1;
    upper.z = 42, upper.sboMag = 0.25, upper.sboPha = 180;
    m.antennas = {lower, middle, upper};
    m.yVar = 1;
    return m;
}

// A rolling terrain of 20 plates.
std::vector<std::pair<double, double>> rolling20() {
    std::vector<std::pair<double, double>> g;
    for (int i = 0; i <= 20; ++i)
        g.push_back({-300.0 + 1500.0 * i, i == 0 ? 0.0 : 12 * std::sin(0.9 * i) + 0.002 * 1500 * i});
    return g;
}

} // namespace

// On flat, perfectly conducting ground every antenna's GTD field is its flat-earth field times one
// factor, so the CDI of the two models agrees.
TEST_F(GtdRun, CdiAgreesWithTheFlatEarthModelOverFlatGround) {
    struct Case {
        const char* name;
        int type;
        double p1y, p1z, p2y, p2z;
    };
    const Case cases[] = {{"approach", 3, 30000, 3, 1200, 3}, {"level", 4, 40000, 1000, 6000, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Model m = threeAntennas();
        m.ground = {{-500, 0}, {800, 0}, {5000, 0}, {15000, 0}, {60000, 0}};
        m.flightType = c.type, m.points = 40;
        m.p1x = 0, m.p1y = c.p1y, m.p1z = c.p1z, m.p2x = 0, m.p2y = c.p2y, m.p2z = c.p2z;
        ASSERT_EQ(run(m, kDefaultGround, 1, std::string(c.name) + "_flat"), 0);
        m.fieldModel = 1;
        ASSERT_EQ(run(m, kDefaultGround, 1, std::string(c.name) + "_gtd"), 0);
        const auto flat = plotColumn(readFile(std::string(c.name) + "_flat.prn"));
        const auto gtd = plotColumn(readFile(std::string(c.name) + "_gtd.prn"));
        ASSERT_EQ(flat.size(), 40u);
        ASSERT_EQ(gtd.size(), 40u);
        double largest = 0;
        for (size_t i = 0; i < flat.size(); ++i) {
            EXPECT_NEAR(gtd[i], flat[i], 0.01) << i;
            largest = std::max(largest, std::fabs(flat[i]));
        }
        EXPECT_GT(largest, 1);
    }
}

// The points are evaluated on all cores, and the files are those of a one-thread run byte for byte,
// for a card profile and for profiles cut from a 3D ground file at every point.
TEST_F(GtdRun, FilesDoNotDependOnTheThreadCount) {
    Model m = threeAntennas();
    m.fieldModel = 1;
    m.flightType = 3, m.points = 24;
    m.p1x = 150, m.p1y = 28000, m.p1z = 3, m.p2x = -60, m.p2y = 900, m.p2z = 3;
    m.ground = rolling20();
    std::vector<double> ys;
    for (auto [y, z] : m.ground)
        ys.push_back(y);
    const auto terrain = m.ground;
    const std::string cuts = groundFile(ys, 9, -4000, 4000, [&](double y) {
        for (auto [yy, z] : terrain)
            if (yy == y)
                return z;
        return 0.0;
    });
    for (bool fromFile : {false, true}) {
        SCOPED_TRACE(fromFile);
        Model mm = m;
        if (fromFile)
            mm.ground.clear();
        const std::string base = fromFile ? "file" : "card";
        ASSERT_EQ(run(mm, cuts, 1, base + "1"), 0);
        ASSERT_EQ(run(mm, cuts, 8, base + "8"), 0);
        EXPECT_EQ(readFile(base + "8.prn"), readFile(base + "1.prn"));
        EXPECT_EQ(report[base + "8"], report[base + "1"]);
        EXPECT_EQ(echo[base + "8"], echo[base + "1"]);
        EXPECT_EQ(plotColumn(readFile(base + "1.prn")).size(), 24u);
    }
}

// A profile point entered twice is merged: the run gives the files of the profile without it.
TEST_F(GtdRun, RepeatedProfilePointRunsAsWithoutIt) {
    Model m = threeAntennas();
    m.fieldModel = 1;
    m.points = 3;
    m.ground = {{-500, 0}, {3000, 10}, {20000, 0}};
    ASSERT_EQ(run(m, kDefaultGround, 1, "once"), 0);
    m.ground = {{-500, 0}, {3000, 10}, {3000, 10}, {20000, 0}};
    for (int threads : {1, 4}) {
        ASSERT_EQ(run(m, kDefaultGround, threads, "twice"), 0);
        EXPECT_EQ(readFile("twice.prn"), readFile("once.prn"));
        EXPECT_EQ(report["twice"].find("NOT COPLANAR"), std::string::npos);
        EXPECT_EQ(plotColumn(readFile("twice.prn")).size(), 3u);
    }
}
