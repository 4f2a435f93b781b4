// The parameter-file reader: files that are not quite what the writer makes, files it cannot read
// (which change nothing), and the ground-file resolution with its "3D file Error" boxes.

#include "GoldenFiles.h"
#include "ModelIoFakes.h"

#include <functional>

using namespace shell;

namespace fs = std::filesystem;

namespace {

// Replaces the first occurrence of `from`, which must be there.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "missing: " << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

const std::string kCard1 = "\t\t3\t0\t0\t(\t15.000,\t0.000)\t0.005\r\n";
const std::string kGround3 =
    "\t\t 0.000          1000.000       0.000\r\n\t\t 0.000          3000.000       -5.500\r\n"
    "\t\t 0.000          5000.250       -12.250\r\n";

// A profile of n points at Y = 100 i, Z = i.
std::string WithGroundPoints(int n) {
    std::string lines;
    for (int i = 1; i <= n; ++i)
        lines +=
            "\t\t 0.000          " + std::to_string(100 * i) + ".000       " + std::to_string(i) + ".000\r\n";
    return Replace(Replace(GoldenText("three_antennas_2d.inp"), kCard1,
                           "\t\t" + std::to_string(n) + "\t0\t0\t(\t15.000,\t0.000)\t0.005\r\n"),
                   kGround3, lines);
}

using Reader = InFreshFolder;

TEST_F(Reader, FilesNotQuiteAsWrittenLoad) {
    WriteBytes("site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    const std::string base = GoldenText("three_antennas_2d.inp");
    struct Case {
        const char* what;
        std::string text;
        std::function<void(const FakeMainWindow&, const ModelVariables&)> check;
    };
    const std::vector<Case> cases = {
        {"six card 2 values: the sixth is the origin shift", base,
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_FLOAT_EQ(m.OriginShift, -1000);
             EXPECT_FLOAT_EQ(m.Ant(1).Y, 1000);
             EXPECT_FLOAT_EQ(m.Ant(3).Y, 1005.5F);
             EXPECT_FLOAT_EQ(m.ThY, 1000);
             EXPECT_EQ(w.texts.path.ThY, "1000.00");
             EXPECT_FLOAT_EQ(m.FltPoint1.Y, 30000);
             EXPECT_EQ(w.grid.TextMatrix(1, 2), "0.000");
             EXPECT_EQ(w.grid.TextMatrix(3, 2), "4000.250");
             EXPECT_FLOAT_EQ(m.RefAntY, 1000);
         }},
        {"five card 2 values: no origin shift", Replace(base, "\t0.700\t-1000.000", "\t0.700"),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_FLOAT_EQ(m.OriginShift, 0);
             EXPECT_FLOAT_EQ(m.PathWidth, 0.7F);
             EXPECT_FLOAT_EQ(m.Ant(1).Y, 0);
             EXPECT_FLOAT_EQ(m.ThY, 0);
             EXPECT_FLOAT_EQ(m.FltPoint1.Y, 31000);
             EXPECT_EQ(w.grid.TextMatrix(1, 2), "1000.000");
         }},
        {"no card 6: adjustments keep their values",
         Replace(base,
                 "'SECTION'\t6 0 0\r\n\t\t0.0   0.0   1.5   -10.0   0.0   2.3\r\n\t\t0.0   -1.5   0.0\r\n",
                 ""),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_FLOAT_EQ(m.Ant(2).Atten, 7);
             EXPECT_FLOAT_EQ(m.Ant(3).PhaseAdj, -4);
             EXPECT_FLOAT_EQ(m.SBOPowerAdj, 2);
             EXPECT_FLOAT_EQ(m.CSBSBOPhase, 3);
             EXPECT_EQ(m.File3D, "site1.3D");
             EXPECT_EQ(w.file3DLabel, "site1.3D");
         }},
        {"card 6 read", base,
         [](const FakeMainWindow&, const ModelVariables& m) {
             EXPECT_FLOAT_EQ(m.Ant(2).Atten, 1.5F);
             EXPECT_FLOAT_EQ(m.Ant(2).PhaseAdj, -10);
             EXPECT_FLOAT_EQ(m.Ant(3).PhaseAdj, 2.3F);
             EXPECT_FLOAT_EQ(m.SBOPowerAdj, 0);
             EXPECT_FLOAT_EQ(m.CLRPowerAdj, -1.5F);
         }},
        {"title ending in 1: metres shown, numbers in feet",
         Replace(base, "'site1 INPUT A' 0", "'site1 INPUT A' 1"),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_TRUE(w.texts.mnuUseSI);
             EXPECT_FLOAT_EQ(m.Ant(1).Z, 14.244F);
             EXPECT_EQ(w.grid.TextMatrix(2, 2), "2000.000");
             EXPECT_EQ(m.LengthUnit, 0);
         }},
        {"one ground line: 3D ground mode", WithGroundPoints(1),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_TRUE(w.texts.mnuUse3D);
             EXPECT_EQ(m.NumGroundPts, 1);
             EXPECT_EQ(w.grid.TextMatrix(1, 4), " X ");
             EXPECT_EQ(w.grid.TextMatrix(2, 2), "");
         }},
        {"two ground lines: two-dimensional", WithGroundPoints(2),
         [](const FakeMainWindow& w, const ModelVariables&) {
             EXPECT_FALSE(w.texts.mnuUse3D);
             EXPECT_TRUE(w.groundModeSet);
             EXPECT_EQ(w.grid.TextMatrix(2, 3), "2.000");
         }},
        {"30 ground lines reload as 30 rows", WithGroundPoints(30),
         [](const FakeMainWindow& w, const ModelVariables&) {
             EXPECT_EQ(w.grid.Rows(), 31);
             EXPECT_EQ(w.grid.TextMatrix(30, 2), "2000.000");
             EXPECT_EQ(w.grid.TextMatrix(30, 4), " X ");
             EXPECT_TRUE(w.grid.Redraw());
         }},
        {"50 ground lines: the grid grows to hold them", WithGroundPoints(50),
         [](const FakeMainWindow& w, const ModelVariables&) {
             EXPECT_EQ(w.grid.Rows(), 51);
             EXPECT_EQ(w.grid.TextMatrix(50, 2), "4000.000");
         }},
        {"LF line ends", ReplaceAll(base, "\r\n", "\n"),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_FLOAT_EQ(m.OriginShift, -1000);
             EXPECT_EQ(m.RayIgnore(12), 1);
             EXPECT_FLOAT_EQ(m.CLRPowerAdj, -1.5F);
             EXPECT_EQ(m.File3D, "site1.3D");
             EXPECT_EQ(w.grid.TextMatrix(3, 3), "-12.250");
         }},
        {"a title holding a comma", Replace(base, "'site1 INPUT A' 0", "'site,1 INPUT A' 0"),
         [](const FakeMainWindow&, const ModelVariables& m) { EXPECT_EQ(m.NumGroundPts, 3); }},
        {"two antennas: the second is Ant(3), Ant(2) is cleared", GoldenText("two_antennas.inp"),
         [](const FakeMainWindow& w, const ModelVariables& m) {
             EXPECT_EQ(m.NumAnts, 2);
             EXPECT_FLOAT_EQ(m.Ant(3).Z, 42.731F);
             EXPECT_FLOAT_EQ(m.Ant(3).CLRPhase, -90);
             EXPECT_FLOAT_EQ(m.Ant(2).Z, 0);
             EXPECT_FLOAT_EQ(m.Ant(2).SBOMag, 0);
             EXPECT_FLOAT_EQ(m.Ant(2).Rot, 9);
             EXPECT_FLOAT_EQ(m.Ant(2).Atten, 1.5F);
             EXPECT_FLOAT_EQ(m.RefAntY, m.Ant(3).Y);
             EXPECT_DOUBLE_EQ(w.base.BaseCSBMag[1], 0.25); // column 1 not loaded: kept
             EXPECT_NEAR(w.base.BaseCLRPhase[2], -92.3, 1e-4);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes("site1.inp", c.text);
        ModelVariables m;
        m.InFile = "site1.inp";
        m.Ant(2).Atten = 7;
        m.Ant(2).Rot = 9;
        m.Ant(3).PhaseAdj = -4;
        m.SBOPowerAdj = 2;
        m.CSBSBOPhase = 3;
        FakeMainWindow w(m);
        w.base.BaseCSBMag[1] = 0.25;
        ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
        c.check(w, m);
        EXPECT_TRUE(w.boxes.Shown().empty());
    }
}

TEST_F(Reader, FileThatCannotBeReadChangesNothing) {
    const std::string base = GoldenText("three_antennas_2d.inp");
    struct Case {
        const char* what;
        std::string text; // empty: no file at all
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"no file", "", "cannot be opened"},
        {"title without a unit digit", Replace(base, "'site1 INPUT A' 0", "'site1 INPUT A'"), "unit digit"},
        {"51 ground points", WithGroundPoints(51), "ground points"},
        {"4 antennas", Replace(base, "\t\t3\t330.500", "\t\t4\t330.500"), "more than 3 antennas"},
        {"a number beyond its kind", Replace(base, "\t\t3\t0\t0\t(", "\t\t3\t300\t0\t("), "out of range"},
        {"a number beyond any", Replace(base, "\t\t3\t330.500", "\t\t3\t1e999"), "out of range"},
        {"orientation beyond the list", Replace(base, "\t0.500\t2\r\n", "\t0.500\t9\r\n"), "orientation"},
        {"early end", base.substr(0, base.find("'SECTION'\t4 0 0")), "ends early (card 4)"},
        {"card 6 without its end card", base.substr(0, base.find("'...'")), "ends early (end card)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove("site1.inp");
        if (!c.text.empty())
            WriteBytes("site1.inp", c.text);
        ModelVariables m;
        m.InFile = "site1.inp";
        m.NumAnts = 1;
        m.ArrayFreq = 108;
        m.Ant(1).Z = 12;
        m.File3D = "kept.3D";
        const ModelVariables before = m;
        FakeMainWindow w(m);
        w.grid.FillRow(1, "5.000", "6.000", " X ");
        const int rowsBefore = w.grid.Rows();
        const std::optional<std::string> error = LoadParamFile(m.InFile, m, w);
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(error->find(c.reason), std::string::npos) << *error;
        EXPECT_TRUE(m == before);
        EXPECT_EQ(w.grid.Rows(), rowsBefore);
        EXPECT_EQ(w.grid.TextMatrix(1, 2), "5.000");
        EXPECT_FALSE(w.groundModeSet);
        EXPECT_TRUE(w.file3DLabel.empty());
        EXPECT_TRUE(w.boxes.Shown().empty());
    }
    EXPECT_EQ(LoadFailedText("a.inp", "The file ends early (card 4)."),
              "File Error: a.inp cannot be read.\r\nThe file ends early (card 4).\r\nNothing was loaded.");
}

TEST_F(Reader, GroundFileErrorsAskAndTell) {
    const std::string base = GoldenText("three_antennas_2d.inp");
    const std::string named = Replace(base, "site1.3D\r\n", "gone.3D\r\n");
    const std::string noLine = Replace(base, "site1.3D\r\n", "");
    struct Case {
        const char* what;
        std::string text;
        bool defaultExists;
        std::string message; // empty: no box
        int answer;
        int dialogs;
    };
    const std::vector<Case> cases = {
        {"named file exists", base, true, "", 0, 0},
        {"named missing, default missing", named, false, "site1.3D not found.\r\nCreating blank 3D file",
         plat::vbOK, 0},
        {"named missing, default exists, Yes", named, true,
         "gone.3D not found.\r\n but a file by that name is in this folder. Use this file?", plat::vbYes, 0},
        {"named missing, default exists, No", named, true,
         "gone.3D not found.\r\n but a file by that name is in this folder. Use this file?", plat::vbNo, 1},
        {"no line, default exists", noLine, true,
         "No 3D File Associated with this INP file,\r\nBut a 3D file of the same name was found.\r\nThis "
         "file "
         "will be used.",
         plat::vbOK, 0},
        {"no line, default missing", noLine, false,
         "No 3D File Associated with this INP file.\r\nCreating blank 3D file", plat::vbOK, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove("site1.3D");
        if (c.defaultExists)
            WriteBytes("site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
        WriteBytes("site1.inp", c.text);
        ModelVariables m;
        m.InFile = "site1.inp";
        FakeMainWindow w(m);
        if (!c.message.empty())
            w.boxes.Expect(c.message, c.answer);
        ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
        EXPECT_EQ(m.File3D, "site1.3D");
        EXPECT_EQ(w.file3DLabel, "site1.3D");
        EXPECT_EQ(w.groundDialogs, c.dialogs);
        ASSERT_EQ(w.boxes.Shown().size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_EQ(w.boxes.Shown()[0].title, "3D file Error");
            EXPECT_EQ(w.boxes.Shown()[0].buttons, c.answer == plat::vbOK ? plat::vbOKOnly : plat::vbYesNo);
        }
    }
}

TEST_F(Reader, RelativeGroundFileIsTheParameterFilesNeighbour) {
    fs::create_directory("site");
    WriteBytes("site/site1.inp", GoldenText("three_antennas_2d.inp"));
    WriteBytes("site/site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    ModelVariables m;
    m.InFile = "site/site1.inp";
    FakeMainWindow w(m);
    ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
    EXPECT_EQ(m.File3D, "site/site1.3D");

    // A file of the same name in the current directory is another site's.
    WriteBytes("site1.3D", "  1           1\r\n 0.000    0.000    0.000\r\n");
    ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
    EXPECT_EQ(m.File3D, "site/site1.3D");

    // From the parameter file's own folder the name stays as written.
    fs::current_path("site");
    m.InFile = (fs::current_path() / "site1.inp").string();
    ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
    EXPECT_EQ(m.File3D, "site1.3D");
    EXPECT_TRUE(w.boxes.Shown().empty());

    // Missing beside the parameter file, the name is missing, though the current directory has one.
    fs::current_path("..");
    fs::remove("site/site1.3D");
    m.InFile = "site/site1.inp";
    w.boxes.Expect("site/site1.3D not found.\r\nCreating blank 3D file", plat::vbOK);
    ASSERT_EQ(LoadParamFile(m.InFile, m, w), std::nullopt);
    EXPECT_EQ(m.File3D, "site/site1.3D");
}

} // namespace
