// One small run of each cut type, compared byte for byte with the report, plot and echo files kept in
// data/ (CR LF line ends throughout).
#include "error_codes.h"

#include "engine_test_support.h"
#include "simrun_files.h"

using namespace kelvd;
using namespace kelvd_test;
namespace fs = std::filesystem;

namespace {

struct GoldenCase {
    const char* name;
    Model model;
    std::string ground; // the 3D ground file
    bool echo;          // compare "FORT10" too
};

Antenna ant(double z, double sboMag, double sboPha, double csbMag, double csbPha, double clrMag = 0,
            double clrPha = 0) {
    Antenna a;
    a.z = z;
    a.sboMag = sboMag;
    a.sboPha = sboPha;
    a.csbMag = csbMag;
    a.csbPha = csbPha;
    a.clrMag = clrMag;
    a.clrPha = clrPha;
    return a;
}

std::vector<GoldenCase> cases() {
    std::vector<GoldenCase> v;
    Model base;
    base.ground = {{0, 0}, {20000, 0}};
    base.antennas = {ant(14, 0.5, 180, 1, 0), ant(28, 0.5, 0, 0, 0)};

    { // constant radius: alpha 1..5 degrees at radius 10000, phi 0..8
        Model m = base;
        m.flightType = 1;
        m.p1x = 10000, m.p1y = 1, m.p1z = 0, m.p2x = 10000, m.p2y = 5, m.p2z = 8;
        m.xVar = 2, m.yVar = 1;
        v.push_back({"cut1", m, kDefaultGround, false});
    }
    { // straight line across the course over a sloping ground file, DCDI against X
        Model m = base;
        m.ground.clear();
        m.flightType = 2;
        m.p1x = -500, m.p1y = 10000, m.p1z = 300, m.p2x = 500, m.p2y = 10000, m.p2z = 300;
        m.xVar = 4, m.yVar = 2;
        m.permRe = 15, m.conductivity = 0.005;
        const std::string g = groundFile({-100, 3000, 8000, 15000}, 3, -1000, 1000,
                                         [](double y) { return y <= 0 ? 0.0 : y / 1000.0; });
        v.push_back({"cut2", m, g, false});
    }
    { // approach, CDI against Y, three antennas with clearance
        Model m = base;
        m.antennas = {ant(14, 0.25, 180, 0.5, 0, 0.2, 90), ant(28, 0.5, 0, 1, 0, 0.1, 0), ant(42, 0.25, 180, 0, 0)};
        m.clrModDepth = 0.6;
        m.flightType = 3, m.points = 6;
        m.p1x = 100, m.p1y = 25000, m.p1z = 3, m.p2x = 0, m.p2y = 1500, m.p2z = 3;
        m.rays = {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        v.push_back({"cut3", m, kDefaultGround, false});
    }
    { // level run at 1000 ft between two elevation points, CDI against ALPHA
        Model m = base;
        m.flightType = 4, m.points = 6;
        m.p1x = 0, m.p1y = 25000, m.p1z = 1000, m.p2x = 0, m.p2y = 6000, m.p2z = 1000;
        m.xVar = 2, m.yVar = 1;
        v.push_back({"cut4", m, kDefaultGround, false});
    }
    { // fixed-angle level run: 84 points whatever the file says; echo compared in full
        Model m = base;
        m.antennas = {ant(14, 0.5, 180, 1, 0), ant(28, 0.5, 0, 0, 0), ant(42, 0.1, 0, 0.2, 0, 0.3, 45)};
        m.clrModDepth = 0.5;
        m.ground = {{-200, 0}, {5000, 10}, {20000, 20}};
        m.permRe = 12, m.permIm = 0.1, m.conductivity = 0.01;
        m.flightType = 5, m.points = 10;
        m.p1z = 1000;
        m.xVar = 2, m.yVar = 9;
        v.push_back({"cut5", m, kDefaultGround, true});
    }
    { // two-part approach, currents given as powers (A <= 0.0001), field magnitude of antenna 1
        Model m = base;
        m.aRatio = 0;
        m.flightType = 6, m.points = 8;
        m.p1x = 400, m.p1y = 30000, m.p1z = 3, m.p2x = 0, m.p2y = 2000, m.p2z = 3;
        m.xVar = 1, m.yVar = 3;
        v.push_back({"cut6", m, kDefaultGround, false});
    }
    { // orbit with four antennas (the extra report line), no width reference: DCDI 8888.0; |CDI|
        Model m = base;
        m.antennas = {ant(14, 0.5, 180, 1, 0), ant(28, 0.5, 0, 0, 0), ant(42, 0.1, 0, 0.1, 0), ant(56, 0.1, 180, 0, 0)};
        m.pathWidth = 0;
        m.flightType = 7, m.points = 5;
        m.p1x = 10000, m.p1y = -10, m.p1z = 500, m.p2x = 10000, m.p2y = 10, m.p2z = 500;
        m.xVar = 5, m.yVar = 11;
        v.push_back({"cut7", m, kDefaultGround, false});
    }
    return v;
}

// Names the first differing line, so that a failure says where.
void expectSameText(const std::string& actual, const fs::path& golden) {
    const std::string expected = readFile(golden);
    if (actual == expected) {
        SUCCEED();
        return;
    }
    std::istringstream a(actual), e(expected);
    std::string la, le;
    int line = 1;
    while (true) {
        const bool ga = static_cast<bool>(std::getline(a, la));
        const bool ge = static_cast<bool>(std::getline(e, le));
        if (!ga && !ge)
            break;
        if (la != le || ga != ge) {
            ADD_FAILURE() << golden.filename() << " line " << line << "\n  expected: " << le << "\n  actual:   " << la;
            return;
        }
        ++line;
    }
    ADD_FAILURE() << golden.filename() << " differs (size " << actual.size() << " vs " << expected.size() << ")";
}

class Golden : public WorkDir {};

} // namespace

TEST_F(Golden, EachCutTypeWritesReportPlotAndEcho) {
    for (const GoldenCase& c : cases()) {
        SCOPED_TRACE(c.name);
        writeFile("temp.inp", paramFile(c.model));
        writeFile("temp.3D", c.ground);
        RunControl control;
        control.threads = 1;
        ASSERT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D", control), 0);
        const fs::path data(TEST_DATA_DIR);
        const std::string out = std::string(c.name);
        fs::copy_file("FORT7", out + ".fort7", fs::copy_options::overwrite_existing);
        fs::copy_file("temp.prn", out + ".prn", fs::copy_options::overwrite_existing);
        fs::copy_file("FORT10", out + ".fort10", fs::copy_options::overwrite_existing);
        expectSameText(readFile("FORT7"), data / (out + ".fort7"));
        expectSameText(readFile("temp.prn"), data / (out + ".prn"));
        if (c.echo)
            expectSameText(readFile("FORT10"), data / (out + ".fort10"));
    }
}
