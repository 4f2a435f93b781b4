// The parameter file, and the ground file it names, when a folder, a FIFO, an endless device or a
// file that fails to read lies under the name: the reader refuses a parameter file at once and
// changes nothing; a ground-file line naming one loads the model with one message at most.

#include "GoldenFiles.h"
#include "ModelIoFakes.h"

#include "platform/text/testing/SpecialFiles.h"

#include <chrono>

using namespace shell;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
using ParamSpecialFiles = InFreshFolder;

TEST_F(ParamSpecialFiles, AParameterFileThatIsNoRegularFileIsRefusedAtOnce) {
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        SCOPED_TRACE(kind.kind);
        plat::testing::MakeSpecialFile(kind, "site1.inp");
        ModelVariables m;
        m.InFile = "site1.inp";
        m.Ant(1).Z = 12;
        const ModelVariables before = m;
        FakeMainWindow w(m);
        const auto start = Clock::now();
        const std::optional<std::string> error = LoadParamFile(m.InFile, m, w);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(*error, "The file cannot be opened.");
        EXPECT_TRUE(m == before);
        EXPECT_FALSE(w.groundModeSet);
        EXPECT_TRUE(w.boxes.Shown().empty());
    }
}

// The ground file is only named at load: what cannot be a file counts as missing (the default
// beside it is offered), a name the system lists as a regular file is taken as it is, and nothing is
// read from it.
TEST_F(ParamSpecialFiles, AGroundFileLineNamingOneLoadsWithOneMessageAtMost) {
    WriteBytes("site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    WriteBytes("site1.inp", GoldenText("three_antennas_2d.inp"));
    std::string text = plat::testing::FileBytes("site1.inp");
    text.replace(text.find("site1.3D\r\n"), 10, "odd.3D\r\n");
    WriteBytes("site1.inp", text);
    for (const plat::testing::SpecialKind& kind : plat::testing::SpecialKinds()) {
        SCOPED_TRACE(kind.kind);
        plat::testing::MakeSpecialFile(kind, "odd.3D");
        const bool listedAsFile = fs::is_regular_file("odd.3D");
        ModelVariables m;
        m.InFile = "site1.inp";
        FakeMainWindow w(m);
        if (!listedAsFile)
            w.boxes.Expect("odd.3D not found.\r\n but a file by that name is in this folder. Use this file?",
                           plat::vbYes);
        const auto start = Clock::now();
        ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        EXPECT_EQ(m.File3D, listedAsFile ? "odd.3D" : "site1.3D");
        EXPECT_EQ(w.boxes.Shown().size(), listedAsFile ? 0U : 1U);
    }
}

} // namespace
