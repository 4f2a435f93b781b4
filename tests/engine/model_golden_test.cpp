// Physical-optics and GTD runs compared byte for byte with the report and plot files kept in data/. The
// profiles start at (0, 0) with a level first segment, where the physical-optics start term is the
// classic one at the origin; GTD points lie off every shadow and reflection boundary.
#include "engine_test_support.h"
#include "simrun_files.h"

using namespace kelvd;
using namespace kelvd_test;
namespace fs = std::filesystem;

namespace {

struct ModelCase {
    const char* name;
    Model model;
};

Antenna ant(double x, double z, double sboMag, double sboPha, double csbMag) {
    Antenna a;
    a.x = x;
    a.z = z;
    a.sboMag = sboMag;
    a.sboPha = sboPha;
    a.csbMag = csbMag;
    return a;
}

std::vector<ModelCase> cases() {
    Model base;
    base.antennas = {ant(400, 14, 0.25, 180, 0.5), ant(400, 28, 0.5, 0, 1), ant(400, 42, 0.25, 180, 0)};
    base.ground = {{0, 0}, {3000, 0}, {8000, 12}, {14000, -4}, {30000, 6}};
    std::vector<ModelCase> v;
    { // approach over a card profile
        Model m = base;
        m.fieldModel = 2;
        m.flightType = 3, m.points = 12;
        m.p1x = 0, m.p1y = 26000, m.p1z = 3, m.p2x = 0, m.p2y = 1500, m.p2z = 3;
        v.push_back({"po_approach", m});
    }
    { // level run over the one-point default ground file (a single vertex at the origin)
        Model m = base;
        m.fieldModel = 2;
        m.ground.clear();
        m.flightType = 4, m.points = 10;
        m.p1x = 0, m.p1y = 36000, m.p1z = 1000, m.p2x = 0, m.p2y = 12000, m.p2z = 1000;
        m.xVar = 2;
        v.push_back({"po_level", m});
    }
    { // orbit passing beside and behind the array (field points with negative Y)
        Model m = base;
        m.fieldModel = 2;
        m.flightType = 7, m.points = 9;
        m.p1x = 3000, m.p1y = 60, m.p1z = 300, m.p2x = 3000, m.p2y = 120, m.p2z = 300;
        m.xVar = 5;
        v.push_back({"po_orbit", m});
    }
    { // approach over a step and a rolling stretch by GTD
        Model m = base;
        m.fieldModel = 1;
        m.ground = {{0, 0}, {2000, 0}, {2000.5, -20}, {9000, -15}, {15000, 5}, {30000, 0}};
        m.flightType = 3, m.points = 9;
        m.p1x = 0, m.p1y = 24000, m.p1z = 3, m.p2x = 0, m.p2y = 2500, m.p2z = 3;
        v.push_back({"gtd_approach", m});
    }
    { // GTD points far beyond the plates' first ends, where the diffraction point searches report that
      // their angles disagree
        Model m = base;
        m.fieldModel = 1;
        m.flightType = 3, m.points = 6;
        m.p1x = -80000, m.p1y = 24000, m.p1z = 3, m.p2x = -80000, m.p2y = 2500, m.p2z = 3;
        v.push_back({"gtd_beyond_edges", m});
    }
    return v;
}

class ModelGolden : public WorkDir {};

} // namespace

TEST_F(ModelGolden, RunsWriteTheKeptReportAndPlotFiles) {
    for (const ModelCase& c : cases()) {
        SCOPED_TRACE(c.name);
        writeFile("temp.inp", paramFile(c.model));
        writeFile("temp.3D", kDefaultGround);
        RunControl control;
        control.threads = 1;
        ASSERT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D", control), 0);
        const std::string out = c.name;
        fs::copy_file("FORT7", out + ".fort7", fs::copy_options::overwrite_existing);
        fs::copy_file("temp.prn", out + ".prn", fs::copy_options::overwrite_existing);
        const fs::path data(TEST_DATA_DIR);
        EXPECT_EQ(readFile("FORT7"), readFile(data / (out + ".fort7")));
        EXPECT_EQ(readFile("temp.prn"), readFile(data / (out + ".prn")));
    }
}
