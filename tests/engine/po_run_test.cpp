// The physical-optics model through a whole run of the loaded library, against the flat-earth run.
#include "engine_test_support.h"
#include "loaded_engine.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include <dlfcn.h>

using namespace kelvd_test;

namespace {

std::vector<std::pair<double, double>> PlotRows(const std::string& text) {
    std::vector<std::pair<double, double>> rows;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        double x = 0, y = 0;
        if (std::sscanf(line.c_str(), "%lf %lf", &x, &y) == 2) rows.emplace_back(x, y);
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return rows;
}

class PORun : public WorkDir {};

// A null-reference array over flat, perfectly conducting ground: the physical-optics field of each
// antenna is its flat-earth field times one common factor, so DDM and CDI agree.
TEST_F(PORun, CdiAlongApproachAgreesWithFlatEarthRun) {
    LoadedEngine engine;
    ASSERT_TRUE(engine.loaded()) << dlerror();

    Model m;
    m.ground = {{0, 0}, {30000, 0}};
    Antenna lower{400, 0, 14.15};
    lower.csbMag = 1;
    lower.sboMag = 0.15;
    lower.sboPha = 180;
    Antenna upper{400, 0, 28.3};
    upper.csbMag = 0;
    upper.sboMag = 0.3;
    m.antennas = {lower, upper};
    m.points = 40;
    m.p1x = 0;
    m.p1y = 24000;
    m.p2x = 0;
    m.p2y = 2500;
    writeFile("temp.3D", kDefaultGround);

    const auto runWith = [&](int model, const char* plot) {
        m.fieldModel = model;
        writeFile("temp.inp", paramFile(m));
        EXPECT_EQ(engine.run("temp.inp", plot, "temp.3D", std::chrono::seconds(60)), 0) << "model " << model;
        return PlotRows(readFile(plot));
    };

    for (double angle : {2.6, 3.0, 3.4}) {
        m.p1z = angle;
        const auto flat = runWith(0, "flat.prn");
        const auto po = runWith(2, "po.prn");
        ASSERT_EQ(flat.size(), 40u);
        ASSERT_EQ(po.size(), 40u);
        for (std::size_t i = 0; i < flat.size(); ++i) {
            EXPECT_NEAR(po[i].first, flat[i].first, 1e-6) << "point " << i;
            EXPECT_NEAR(po[i].second, flat[i].second, 2.0) << "angle " << angle << ", point " << i;
        }
    }
    // Off the path the CDI is far from zero, so the agreement is not that of two zeros.
    EXPECT_GT(std::fabs(PlotRows(readFile("flat.prn")).front().second), 20.0);
}

} // namespace
