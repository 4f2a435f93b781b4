// A "Null Ref." array over flat ground, run by the real engine: the level run's path angle is where
// image theory puts the null of the upper (SBO) antenna, and the echo file's spacing is the run's.

#include "plot/logic/CDIFilter.h"
#include "plot/logic/LevelRun.h"
#include "plot/logic/PlotFileReader.h"

#include "platform/engine/testing/RunToEnd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace plot;

namespace {

constexpr double kDeg = 3.14159265358979 / 180;

// Two antennas over the theodolite: CSB at h/2, SBO at h, h = 492 / (f sin 3 deg). The SBO is
// phased so that the CDI falls through the path as the angle grows.
std::string NullReferenceModel(const std::string& flightCard, int xSel) {
    const double f = 330.0;
    const double h = 492.0 / (f * std::sin(3.0 * kDeg));
    char ants[512];
    std::snprintf(ants, sizeof ants,
                  "\t\t1\t0.000\t0.000\t%.3f\t0.000\t0.000\t0.000\t0.000\n"
                  "\t\t0.000\t0.000\t1.000\t0.000\t0.000\t0.000\n"
                  "\t\t2\t0.000\t0.000\t%.3f\t0.000\t0.000\t0.000\t0.000\n"
                  "\t\t0.300\t0.000\t0.000\t0.000\t0.000\t0.000\n",
                  h / 2, h);
    return std::string("'*' 'null reference INPUT A' 0\n") +
           "'SECTION'\t1 0 0\n\t\t2\t0\t0\t(\t15.000,\t0.000)\t0.005\n"
           "\t\t 0.000   -2000.000   0.000\n\t\t 0.000   60000.000   0.000\n"
           "'SECTION'\t2 0 0\n\t\t\t0.000\t0.000\t0.000\t3.000\t0.700\t0.000\n"
           "'SECTION'\t3 0 0\n\t\t2\t330.000\t0.400\t1.000\t0.000\t0\n" +
           ants + "'SECTION'\t4 0 0\n" + flightCard + "'SECTION'\t5 0 0\n\t\t1\t" + std::to_string(xSel) +
           "\t1 \t0.000\t0.000\t0.000\t0.000  0 0 0 0 0 0 0 0 0 0 0 0 \n"
           "'SECTION'\t6 0 0\n\t\t0.0   0.0   0.0   0.0   0.0   0.0\n\t\t0.0   0.0   0.0\n"
           "'...' 0 0 0\nflat.3D\n";
}

// Runs the model in its own folder, which becomes the current one as for the program; returns the
// folder.
fs::path RunEngine(const std::string& name, const std::string& model) {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "plot_engine_run" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "model.inp", std::ios::binary) << model;
    std::ofstream(dir / "flat.3D", std::ios::binary) << "  1           1\n 0.000    0.000    0.000\n";
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    plat::DynamicEngine engine(KELVD_LIBRARY);
    EXPECT_EQ(plat::testing::RunToEnd(engine, "model.inp", "model.prn", "flat.3D"), 100)
        << "engine error " << engine.Kelv_getLastError();
    fs::current_path(previous);
    return dir;
}

} // namespace

TEST(EngineLevelRun, NullReferenceOverFlatGroundHasItsPathAtThreeDegrees) {
    // A level run at 1000 ft from 2 to 4 degrees as seen from the theodolite, 0.01 degree apart.
    const double y1 = 1000 / std::tan(2.0 * kDeg), y2 = 1000 / std::tan(4.0 * kDeg);
    char card[256];
    std::snprintf(card, sizeof card, "\t\t4\t201\t0\t\t0.000 %.3f 1000.000\n\t\t\t0.000 %.3f 1000.000\n", y1,
                  y2);
    const fs::path dir = RunEngine("level", NullReferenceModel(card, 2));
    PlotTrace t;
    ASSERT_EQ(ReadPlotFile((dir / "model.prn").string(), {4, 0, -1, -1}, t), PlotReadStatus::Read);
    ASSERT_EQ(t.Count(), 201U);
    const LevelRunResult r = PatternBAnalysis(t.X, t.Y);
    // sin(path) = lambda / 2h; the 492 of the array's height takes the wavelength as 984 / f.
    EXPECT_NEAR(r.LevelRunPathAngle, 3.00, 0.01);
    EXPECT_NE(r.LevelRunWidth, kNotFound);
}

TEST(EngineLevelRun, EchoFileSpacingIsTheRunsSpacing) {
    // An approach at 3 degrees from 31005.5 to 3005.5 ft in 101 points: 280 ft apart along the
    // runway, 280 / cos 3deg in space.
    const fs::path dir = RunEngine(
        "approach",
        NullReferenceModel("\t\t3\t101\t0\t\t0.000 31005.500 3.000\n\t\t\t0.000 3005.500 3.000\n", 1));
    const SampleRate rate = GetSampleRate((dir / kFort10Name).string(), 200);
    EXPECT_EQ(rate.Message, "");
    const double spacing = 280 / std::cos(3.0 * kDeg);
    EXPECT_NEAR(rate.T, spacing / (200 * 6076.0 / 3600), 1e-4);
}
