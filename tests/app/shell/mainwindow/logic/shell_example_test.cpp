// The shipped sample model: exactly what the program writes for it, and a model the engine runs.
#include "shell/model/ParamFile.h"
#include "platform/ui/testing/ScratchFolder.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

using namespace shell;

namespace fs = std::filesystem;

namespace {

// The profile grid of 30 data rows holding the given (Y, Z) points from row 1, each marked.
class ProfileGrid : public plat::GridModel {
public:
    explicit ProfileGrid(std::vector<std::pair<const char*, const char*>> rows) {
        SetRows(31);
        SetCols(5);
        int r = 1;
        for (const auto& [y, z] : rows) {
            SetTextMatrix(r, 1, "0.000");
            SetTextMatrix(r, 2, y);
            SetTextMatrix(r, 3, z);
            SetTextMatrix(r, 4, " X ");
            ++r;
        }
    }
};

// The three-antenna capture-effect array at 330 MHz for a 3 degree path, the middle antenna 400 ft off
// the centreline and 1000 ft back from the threshold, the theodolite placed for a 5 ft eyepiece.
ModelVariables CaptureEffectSite(const fs::path& folder) {
    ModelVariables m;
    m.InFile = (folder / "cegs_site.inp").string();
    m.File3D = "cegs_site.3D";
    m.FieldModel = 1;
    m.PermittivityRe = 15.0F;
    m.Conductivity = 0.01F;
    m.ThX = 364.57F;
    m.ThY = 911.42F;
    m.ThZ = 5.0F;
    m.PathAngle = 3.0F;
    m.PathWidth = 0.67F;
    m.NumAnts = 3;
    m.ArrayFreq = 330.0F;
    m.ArrayModDepth = 0.4F;
    m.ArrayARatio = 0.3F;
    m.ArrayCLRModDepth = 0.9F;
    m.Ant(1) = {400.761F, 1000, 14.244F, 0, 0, 0, 0, 0, 0.5F, 180, 1, 0, 0.484F, 0, 0, 0};
    m.Ant(2) = {400.0F, 1000, 28.487F, 0, 0, 0, 0, 0, 1, 0, 0.5F, 180, 0, 0, 0, 0};
    m.Ant(3) = {398.732F, 1000, 42.731F, 0, 0, 0, 0, 0, 0.5F, 180, 0, 0, 0.484F, 0, 0, 0};
    m.RefAntX = 400.0F;
    m.RefAntY = 1000.0F;
    m.FlightType = 3;
    m.FltPoint1 = {0, 30380, 3};
    m.FltPoint2 = {0, 0, 0};
    m.FltNumPoints = 200;
    m.PlotOn = 2;
    m.XAxisVar = 1;
    m.YAxisVar = 2;
    return m;
}

fs::path Scratch(const char* name) {
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "shell_example" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return fs::canonical(dir);
}

class InFolder {
public:
    explicit InFolder(const fs::path& dir) : home_(fs::current_path()) { fs::current_path(dir); }
    ~InFolder() { fs::current_path(home_); }

private:
    fs::path home_;
};

} // namespace

TEST(ShellExample, ParameterFileIsWhatTheProgramWritesForTheModel) {
    const fs::path dir = Scratch("writer");
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir / "cegs_site.3D");
    InFolder in(dir);
    ModelVariables m = CaptureEffectSite(dir);
    const ProfileGrid grid({{"-1000.000", "0.000"},
                            {"0.000", "0.000"},
                            {"1500.000", "-3.000"},
                            {"3000.000", "-8.000"},
                            {"5000.000", "-10.000"},
                            {"8000.000", "-6.000"},
                            {"12000.000", "0.000"},
                            {"20000.000", "5.000"}});
    ASSERT_EQ(WriteParamFile(m, ParamFileView{grid, false, false}, ParamFileUi{}), WriteStatus::Written);
    EXPECT_EQ(plat::testing::FileBytes(dir / "cegs_site.inp"), plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp"));
}

TEST(ShellExample, SettingsFileNamesTheShippedModel) {
    const std::string ini = plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "Pellic.ini");
    EXPECT_EQ(ini, "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n,,,,\r\n");
    for (const char* file : {"cegs_site.inp", "cegs_site.3D"})
        EXPECT_TRUE(fs::is_regular_file(fs::path(PELLON_EXAMPLES_DIR) / file)) << file;
}

// The shipped file names GTD; the same site is run by each of the three field models.
TEST(ShellExample, EngineRunsTheSiteToTheEnd) {
    void* lib = dlopen(KELVD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    using Start = int (*)(const char*, const char*, const char*);
    using Poll = int (*)();
    const auto start = reinterpret_cast<Start>(dlsym(lib, "Kelv_start"));
    const auto progress = reinterpret_cast<Poll>(dlsym(lib, "Kelv_getProgress"));
    const auto lastError = reinterpret_cast<Poll>(dlsym(lib, "Kelv_getLastError"));
    ASSERT_TRUE(start && progress && lastError);
    const std::string shipped = plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp");
    const std::string card1 = "\t\t8\t1\t0\t(";
    ASSERT_NE(shipped.find(card1), std::string::npos);
    for (const char model : {'0', '1', '2'}) {
        SCOPED_TRACE(model);
        const fs::path dir = Scratch(model == '0' ? "engine-flat" : model == '1' ? "engine-gtd" : "engine-po");
        std::string text = shipped;
        text[text.find(card1) + 4] = model;
        std::ofstream(dir / "cegs_site.inp", std::ios::binary) << text;
        fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir / "cegs_site.3D");
        InFolder in(dir);
        ASSERT_EQ(start("cegs_site.inp", "cegs_site.prn", "cegs_site.3D"), 0);
        int p = 1;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while ((p = progress()) > 0 && p < 100 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(p, 100) << "engine error " << lastError();
        std::ifstream plot(dir / "cegs_site.prn");
        int rows = 0;
        for (std::string line; std::getline(plot, line);)
            rows += line.find_first_not_of(" \t\r") != std::string::npos ? 1 : 0;
        EXPECT_EQ(rows, 200);
    }
    dlclose(lib);
}
