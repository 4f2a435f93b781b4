#ifndef KELVD_ENGINE_TEST_SUPPORT_H
#define KELVD_ENGINE_TEST_SUPPORT_H

// Shared by the engine's tests: file helpers, a parameter-file writer in the modelling program's layout,
// and a per-test working folder (the engine writes "FORT7" and "FORT10" in the current directory).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace kelvd_test {

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << text;
}

inline std::string fmt(const char* format, double v) {
    char b[64];
    std::snprintf(b, sizeof b, format, v);
    return b;
}

inline std::string n3(double v) { return fmt("%.3f", v); }
inline std::string rj(size_t w, const std::string& s) { return s.size() >= w ? s.substr(0, w) : std::string(w - s.size(), ' ') + s; }
inline std::string lj(size_t w, const std::string& s) { return s.size() >= w ? s.substr(0, w) : s + std::string(w - s.size(), ' '); }

struct Antenna {
    double x = 0, y = 0, z = 0, alpha = 0, phi1 = 0, phi2 = 0, phi3 = 0;
    double sboMag = 0, sboPha = 0, csbMag = 1, csbPha = 0, clrMag = 0, clrPha = 0;
};

// A model as the program writes it: the defaults are a small flat-earth approach.
struct Model {
    std::string title = "site1";
    int fieldModel = 0;
    double permRe = 0, permIm = 0, conductivity = 0;
    // Ground rows (Y, Z); none means the 3D ground file gives the profile (count 1, one zero line).
    std::vector<std::pair<double, double>> ground;
    double thX = 0, thY = -1000, thZ = 10, pathAngle = 3, pathWidth = 0.7, originShift = 0;
    double freq = 332, modDepth = 0.4, aRatio = 1, clrModDepth = 0;
    int orient = 0;
    std::vector<Antenna> antennas;
    int flightType = 3, points = 5, angFlag = 0;
    double p1x = 0, p1y = 20000, p1z = 3, p2x = 0, p2y = 2000, p2z = 3;
    int plotOn = 1, xVar = 1, yVar = 1;
    std::vector<int> rays = std::vector<int>(12, 0);
    std::string file3D = "temp.3D";
};

inline std::string paramFile(const Model& m) {
    const std::string crlf = "\r\n";
    std::string s = "'*' '" + m.title + " INPUT A' 0" + crlf;
    s += "'SECTION'\t1 0 0" + crlf;
    const size_t n = m.ground.empty() ? 1 : m.ground.size();
    s += "\t\t" + std::to_string(n) + "\t" + std::to_string(m.fieldModel) + "\t0\t(\t" + n3(m.permRe) + ",\t" +
         n3(m.permIm) + ")\t" + n3(m.conductivity) + crlf;
    if (m.ground.empty())
        s += "\t\t 0.000\t0.000\t0.000" + crlf;
    for (auto [y, z] : m.ground)
        s += "\t\t 0.000" + std::string(10, ' ') + lj(15, n3(y - m.originShift)) + n3(z) + crlf;
    s += "'SECTION'\t2 0 0" + crlf;
    s += "\t\t\t" + n3(m.thX) + "\t" + n3(m.thY) + "\t" + n3(m.thZ) + "\t" + n3(m.pathAngle) + "\t" +
         n3(m.pathWidth) + "\t" + n3(m.originShift) + crlf;
    s += "'SECTION'\t3 0 0" + crlf;
    s += "\t\t" + std::to_string(m.antennas.size()) + "\t" + n3(m.freq) + "\t" + n3(m.modDepth) + "\t" +
         n3(m.aRatio) + "\t" + n3(m.clrModDepth) + "\t" + std::to_string(m.orient) + crlf;
    int i = 1;
    for (const Antenna& a : m.antennas) {
        s += "\t\t" + std::to_string(i++) + "\t" + n3(a.x) + "\t" + n3(a.y) + "\t" + n3(a.z) + "\t" + n3(a.alpha) +
             "\t" + n3(a.phi1) + "\t" + n3(a.phi2) + "\t" + n3(a.phi3) + crlf;
        s += "\t\t" + n3(a.sboMag) + "\t" + n3(a.sboPha) + "\t" + n3(a.csbMag) + "\t" + n3(a.csbPha) + "\t" +
             n3(a.clrMag) + "\t" + n3(a.clrPha) + crlf;
    }
    s += "'SECTION'\t4 0 0" + crlf;
    s += "\t\t" + std::to_string(m.flightType) + "\t" + std::to_string(m.points) + "\t" + std::to_string(m.angFlag) +
         "\t\t" + rj(10, n3(m.p1x)) + rj(10, n3(m.p1y)) + rj(10, n3(m.p1z)) + crlf;
    s += rj(58, n3(m.p2x)) + rj(10, n3(m.p2y)) + rj(10, n3(m.p2z)) + crlf;
    s += "'SECTION'\t5 0 0" + crlf;
    s += "\t\t" + std::to_string(m.plotOn) + "\t" + std::to_string(m.xVar) + "\t" + std::to_string(m.yVar) +
         " \t0.000\t0.000\t0.000\t0.000  ";
    for (int r : m.rays)
        s += std::to_string(r) + " ";
    s += crlf;
    s += "'SECTION'\t6 0 0" + crlf;
    s += "\t\t0.0   0.0   0.0   0.0   0.0   0.0" + crlf;
    s += "\t\t0.0   0.0   0.0" + crlf;
    s += "'...' 0 0 0" + crlf;
    if (!m.file3D.empty())
        s += m.file3D + crlf;
    return s;
}

// The program's one-point default ground file.
inline const char* kDefaultGround = "  1           1\r\n 0.000    0.000    0.000\r\n";

// A ground file of flat cuts: cuts cuts at the given Ys, nodes nodes from x0 to x1, height z(y).
template <class HeightOfY>
std::string groundFile(const std::vector<double>& ys, int nodes, double x0, double x1, HeightOfY z) {
    std::string s = "  " + std::to_string(nodes) + "           " + std::to_string(ys.size()) + "\r\n";
    for (double y : ys)
        for (int i = 0; i < nodes; ++i) {
            const double x = x0 + (x1 - x0) * i / (nodes - 1);
            char b[128];
            std::snprintf(b, sizeof b, " %.3f    %.3f    %.3f\r\n", x, y, z(y));
            s += b;
        }
    return s;
}

// Makes a fresh folder for the running test and makes it the current directory.
class WorkDir : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::path(TEST_OUTPUT_DIR) / "engine" / info->test_suite_name() / info->name();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
    }
    std::filesystem::path dir_;
};

} // namespace kelvd_test

#endif
