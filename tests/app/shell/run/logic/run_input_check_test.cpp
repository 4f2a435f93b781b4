// What a run refuses before writing: the antenna boxes in use and the counted ground rows that hold
// no number, a frequency of 0 or less, a ground profile whose distances do not increase.
#include "shell/run/logic/RunInputCheck.h"
#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>

using namespace editors;
using namespace shell;

namespace {

struct Row {
    const char* y;
    const char* z;
    const char* mark;
};

// A ground grid as the window keeps it: row 0 the headings, columns 1 X, 2 Y, 3 Z, 4 the mark.
void FillGround(plat::GridModel& g, const std::vector<Row>& rows) {
    g.SetCols(5);
    g.SetRows(static_cast<int>(rows.size()) + 2);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.SetTextMatrix(r, 1, "0");
        g.SetTextMatrix(r, 2, rows[i].y);
        g.SetTextMatrix(r, 3, rows[i].z);
        g.SetTextMatrix(r, 4, rows[i].mark);
    }
}

AntennaPanelTexts Sound() {
    AntennaPanelTexts a;
    a.ArrayFreq = "330.0";
    return a;
}

TEST(RunInputCheck, AntennaBoxesInUse) {
    plat::GridModel ground;
    FillGround(ground, {{"0", "0", " X "}, {"1000", "5", " X "}});
    EXPECT_EQ(RunInputProblem(Sound(), 3, ground, false), std::nullopt);

    struct Case {
        std::function<void(AntennaPanelTexts&)> edit;
        std::uint8_t numAnts;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {[](AntennaPanelTexts& a) { a.ArrayFreq = "0"; }, 3,
         "Frequency (MHz) must be greater than 0; it is 0."},
        {[](AntennaPanelTexts& a) { a.ArrayFreq = " -108.5 "; }, 3,
         "Frequency (MHz) must be greater than 0; it is -108.5."},
        {[](AntennaPanelTexts& a) { a.ArrayFreq = "33O"; }, 3,
         "Frequency (MHz) does not hold a number: \"33O\"."},
        {[](AntennaPanelTexts& a) { a.ArrayModDepth = ""; }, 3,
         "Modulation Depth does not hold a number: \"\"."},
        {[](AntennaPanelTexts& a) { a.CSBSBOPhase = "x"; }, 1,
         "CSB-SBO Phase does not hold a number: \"x\"."},
        {[](AntennaPanelTexts& a) { a.AntZ[0] = "12ft"; }, 1,
         "Lower Antenna Height does not hold a number: \"12ft\"."},
        {[](AntennaPanelTexts& a) { a.AntAtten[2] = "abc"; }, 2,
         "Upper Antenna Attenuate does not hold a number: \"abc\"."},
        {[](AntennaPanelTexts& a) { a.AntCLRPhase[1] = "-"; }, 3,
         "Middle Antenna CLR Phase does not hold a number: \"-\"."},
        // Columns not in use are not looked at.
        {[](AntennaPanelTexts& a) { a.AntAtten[2] = "abc"; }, 1, std::nullopt},
        {[](AntennaPanelTexts& a) { a.AntX[1] = "abc"; }, 2, std::nullopt},
        // Numbers as the strict conversion reads them pass.
        {[](AntennaPanelTexts& a) {
             a.AntY[0] = " 1,000.5 ";
             a.AntRot[0] = "-1e2";
         },
         1, std::nullopt},
    };
    for (const Case& c : cases) {
        AntennaPanelTexts a = Sound();
        c.edit(a);
        EXPECT_EQ(RunInputProblem(a, c.numAnts, ground, false), c.problem)
            << (c.problem ? *c.problem : "none");
    }
}

TEST(RunInputCheck, CountedGroundRows) {
    struct Case {
        std::vector<Row> rows;
        bool use3D;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {{{"0", "0", " X "}, {"abc", "3", " X "}},
         false,
         "Ground profile row 2 Y does not hold a number: \"abc\"."},
        {{{"0", "0", " X "}, {"100", "3m", " X "}},
         false,
         "Ground profile row 2 Z does not hold a number: \"3m\"."},
        {{{"0", "0", " X "}, {"100", "3", " X "}, {"50", "3", " X "}},
         false,
         "Ground profile row 3: the distance Y (50) must be greater than row 2's (100)."},
        {{{"-200", "0", " X "}, {"-200", "3", " X "}},
         false,
         "Ground profile row 2: the distance Y (-200) must be greater than row 1's (-200)."},
        // Rows after the first unmarked one are not written, so not looked at; neither is the grid in
        // 3D ground mode.
        {{{"0", "0", " X "}, {"100", "3", ""}, {"abc", "3", " X "}}, false, std::nullopt},
        {{{"0", "0", " X "}, {"abc", "3", " X "}}, true, std::nullopt},
        {{{"-5000", "0", " X "}, {"0", "1", " X "}, {"12000.5", "2", " X "}}, false, std::nullopt},
    };
    for (const Case& c : cases) {
        plat::GridModel ground;
        FillGround(ground, c.rows);
        EXPECT_EQ(RunInputProblem(Sound(), 3, ground, c.use3D), c.problem)
            << (c.problem ? *c.problem : "none");
    }
}

// Terrain beyond what the engine keeps: 30 profile points, 30 ground-file cuts. The ground file counts
// only where the profile comes from it (3D ground mode, or at most one row).
TEST(RunCapacity, ProfilePointsAndGroundCutsBeyondTheEngine) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(TEST_OUTPUT_DIR) / "run_capacity";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto ground = [&](const std::string& name, const std::string& counts) {
        std::ofstream(dir / name, std::ios::binary) << counts << "\r\n 0.000    0.000    0.000\r\n";
        return (dir / name).string();
    };
    const std::string cuts30 = ground("c30.3D", "  1           30"), cuts31 = ground("c31.3D", "  1           31");
    const std::string words = ground("words.3D", "a b");
    const std::string pipe = (dir / "pipe.3D").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const auto rows = [](int n) {
        std::vector<Row> r;
        for (int i = 0; i < n; ++i)
            r.push_back({i == 0 ? "0" : "1000", "0", " X "});
        return r;
    };
    struct Case {
        int rows;
        bool use3D;
        std::string file3D;
        std::optional<std::string> problem;
    };
    const Case cases[] = {
        {30, false, cuts31, std::nullopt},
        {31, false, cuts30, "The parameter file site.inp would hold 31 ground profile points; a run keeps at most 30."},
        {31, true, cuts30, std::nullopt},
        {0, true, cuts31, "The 3D ground file " + cuts31 + " has 31 cuts; a run reads at most 30."},
        {1, false, cuts31, "The 3D ground file " + cuts31 + " has 31 cuts; a run reads at most 30."},
        {2, false, cuts31, std::nullopt},
        // A file the run creates, or whose counts the engine refuses itself; a pipe is not read.
        {0, true, (dir / "none.3D").string(), std::nullopt},
        {0, true, words, std::nullopt},
        {0, true, pipe, std::nullopt},
        {0, true, cuts30, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows, " + c.file3D);
        plat::GridModel g;
        FillGround(g, rows(c.rows));
        EXPECT_EQ(RunCapacityProblem(g, c.use3D, "site.inp", c.file3D), c.problem);
    }
    // Nothing else that is no regular file is read either, nor blocks.
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(dir / "special.3D")) {
        SCOPED_TRACE(special.kind);
        plat::GridModel g;
        EXPECT_EQ(RunCapacityProblem(g, true, "site.inp", special.path.string()), std::nullopt);
    }
}

} // namespace
