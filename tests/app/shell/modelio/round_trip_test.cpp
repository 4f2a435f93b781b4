// Every parameter file the writer makes comes back byte for byte through load, show, collect and
// write.

#include "GoldenFiles.h"
#include "ModelIoFakes.h"

#include "shell/model/ParamFile.h"

using namespace shell;

namespace fs = std::filesystem;

namespace {

using RoundTrip = InFreshFolder;

TEST_F(RoundTrip, GoldenFilesComeBackByteForByte) {
    struct Case {
        const char* golden;
        std::string groundLineAdded; // the writer names the ground file that the load chose
        const char* message = nullptr;
    };
    const std::vector<Case> cases = {
        {"three_antennas_2d.inp", ""},
        {"two_antennas.inp", ""},
        {"metres.inp", ""},
        {"ground_3d.inp", ""},
        {"flight_type_2.inp", ""},
        {"flight_type_7.inp", ""},
        {"renamed.inp", ""},
        {"no_ground_file.inp", "site1.3D\r\n",
         "No 3D File Associated with this INP file,\r\nBut a 3D file of the same name was found.\r\n"
         "This file will be used."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const fs::path sub = dir_ / fs::path(c.golden).stem();
        fs::create_directories(sub / "out");
        fs::current_path(sub);
        const std::string golden = GoldenText(c.golden);
        const std::string title = TitleOf(golden);
        WriteBytes(title + ".inp", golden);
        for (const char* ground : {"site1.3D", "metres.3D"})
            WriteBytes(ground, "  1           1\r\n 0.000    0.000    0.000\r\n");

        ModelVariables m;
        m.InFile = title + ".inp";
        FakeMainWindow w(m);
        if (c.message)
            w.boxes.Expect(c.message, plat::vbOK);
        ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
        ShowParameters(m, w);
        CollectParameters(w.texts, w.grid, m);
        m.InFile = "out/" + title + ".inp";
        const ParamFileView view{w.grid, w.texts.mnuUseSI, w.texts.mnuUse3D};
        ASSERT_EQ(WriteParamFile(m, view, {}), WriteStatus::Written);
        EXPECT_EQ(plat::testing::FileBytes(m.InFile), golden + c.groundLineAdded);
        EXPECT_TRUE(w.boxes.Unanswered().empty());
    }
}

} // namespace
