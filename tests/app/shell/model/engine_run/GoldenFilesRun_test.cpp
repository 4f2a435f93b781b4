// Every golden parameter file, as the program writes it, runs through the engine without error.

#include "platform/engine/testing/RunToEnd.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int CountLines(const fs::path& p) {
    std::ifstream in(p);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            ++n;
    return n;
}

TEST(GoldenFilesRun, EngineReadsEveryFile) {
    plat::DynamicEngine engine(KELVD_LIBRARY);

    struct Case {
        const char* golden;
        const char* ground; // the ground file the model names
        int points;         // field points of its flight profile
    };
    const Case cases[] = {
        {"three_antennas_2d.inp", "site1.3D", 11},
        {"two_antennas.inp", "site1.3D", 11},
        {"metres.inp", "metres.3D", 5},
        {"ground_3d.inp", "site1.3D", 11},
        {"flight_type_2.inp", "site1.3D", 11},
        {"flight_type_7.inp", "site1.3D", 11},
        {"no_ground_file.inp", "site1.3D", 11},
        {"renamed.inp", "site1.3D", 11},
    };
    const fs::path root = fs::path(TEST_OUTPUT_DIR) / "GoldenFilesRun";
    const fs::path previous = fs::current_path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const fs::path dir = root / fs::path(c.golden).stem();
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        fs::copy_file(fs::path(GOLDEN_DIR) / c.golden, "model.inp");
        fs::copy_file(fs::path(GOLDEN_DIR) / "default.3D", c.ground);

        EXPECT_EQ(plat::testing::RunToEnd(engine, "model.inp", "model.prn", c.ground), 100);
        EXPECT_EQ(engine.Kelv_getLastError(), 0);
        EXPECT_EQ(CountLines("model.prn"), c.points);
        fs::current_path(previous);
    }
}

} // namespace
