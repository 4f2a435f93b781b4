#include "shell/model/ParamFile.h"

#include "platform/text/TextFile.h"
#include "platform/text/testing/FileSizeLimit.h"
#include "platform/ui/testing/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

using namespace shell;

namespace fs = std::filesystem;

namespace {

// The main window's ground grid: row 0 headings, columns 0 (row heading) to 4 (profile mark).
class GroundRows : public plat::GridModel {
public:
    explicit GroundRows(int rows) {
        SetRows(rows);
        SetCols(5);
    }
    void FillRow(int row, const std::string& y, const std::string& z, const std::string& mark) {
        SetTextMatrix(row, 1, y.empty() ? "" : "0.000");
        SetTextMatrix(row, 2, y);
        SetTextMatrix(row, 3, z);
        SetTextMatrix(row, 4, mark);
    }
};

// Three profile rows, then a row without the mark and a marked row after the gap (not written).
class ProfileGrid : public GroundRows {
public:
    ProfileGrid() : GroundRows(31) {
        FillRow(1, "0", "0", " X ");
        FillRow(2, "2000", "-5.5", " X ");
        FillRow(3, "4000.25", "-12.25", " X ");
        FillRow(4, "6000", "-20", "");
        FillRow(5, "8000", "-30", " X ");
    }
};

void SetAntenna(AntennaRec& a, float x, float y, float z, float sboMag, float sboPhase, float csbMag,
                float csbPhase, float clrMag, float clrPhase, float atten, float phaseAdj) {
    a.X = x;
    a.Y = y;
    a.Z = z;
    a.SBOMag = sboMag;
    a.SBOPhase = sboPhase;
    a.CSBMag = csbMag;
    a.CSBPhase = csbPhase;
    a.CLRMag = clrMag;
    a.CLRPhase = clrPhase;
    a.Atten = atten;
    a.PhaseAdj = phaseAdj;
}

// A three-antenna model as loaded from a file (ground constants and card 5 extras set), collected
// with the reference antenna Ant(2) at setback 1000.
ModelVariables ThreeAntennaModel() {
    ModelVariables m;
    m.InFile = "site1.inp";
    m.File3D = "site1.3D";
    m.FieldModel = 0;
    m.TraceLevel = 5;
    m.PermittivityRe = 15;
    m.Conductivity = 0.005F;
    m.ThX = 400;
    m.ThY = 1000;
    m.ThZ = 5;
    m.PathAngle = 3;
    m.PathWidth = 0.7F;
    m.NumAnts = 3;
    m.ArrayFreq = 330.5F;
    m.ArrayModDepth = 0.4F;
    m.ArrayARatio = 1.5F;
    m.ArrayCLRModDepth = 0.5F;
    m.AntOrient = 2;
    SetAntenna(m.Ant(1), 400, 1000, 14.2436F, 0.5F, 180, 1, 0, 0, 0, 0, 0);
    m.Ant(1).Rot = 45;
    m.Ant(1).Alpha = 5;
    m.Ant(1).Phi1 = 10;
    m.Ant(1).Phi2 = 20;
    m.Ant(1).Phi3 = 30.125F;
    SetAntenna(m.Ant(2), 400, 1000, 28.4873F, 1, 0, 0, 0, 0.25F, 90, 1.5F, -10);
    SetAntenna(m.Ant(3), 400, 1005.5F, 42.7309F, 0.5F, 180, 0, 0, 1, -90, 0, 2.34F);
    m.RefAntX = 400;
    m.RefAntY = 1000;
    m.OriginShift = 12345; // stale: the writer sets it from RefAntY
    m.FlightType = 3;
    m.FltNumPoints = 11;
    m.FltPoint1 = {0, 30000, 3};
    m.FltPoint2 = {0, 2000, 3};
    m.PlotOn = 1;
    m.XAxisVar = 1;
    m.YAxisVar = 1;
    m.OutParam1 = 1.25F;
    m.RayIgnore(4) = 1;
    m.RayIgnore(12) = 1;
    m.CLRPowerAdj = -1.5F;
    return m;
}

// One antenna, never loaded from a file: ground constants and card 5 extras are zero.
ModelVariables MetresModel() {
    ModelVariables m;
    m.InFile = "metres.inp";
    m.File3D = "metres.3D";
    m.PathAngle = 3;
    m.PathWidth = 0.7F;
    m.NumAnts = 1;
    m.ArrayFreq = 330;
    m.ArrayModDepth = 0.4F;
    m.ArrayARatio = 1;
    SetAntenna(m.Ant(1), 0, 0, 10, 1, 0, 1, 0, 0, 0, 0, 0);
    m.FlightType = 1;
    m.FltNumPoints = 5;
    m.FltPoint1 = {20000, 0.5F, 0};
    m.FltPoint2 = {0, 6, 0};
    m.PlotOn = 1;
    m.XAxisVar = 2;
    m.YAxisVar = 1;
    return m;
}

std::string Golden(const std::string& name) {
    const std::string text = plat::testing::FileBytes(fs::path(TEST_DATA_DIR) / name);
    EXPECT_FALSE(text.empty()) << "missing golden file " << name;
    return text;
}

void WriteBytes(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// Answers the writer's questions by script and records them; a question nobody scripted fails.
struct ScriptedUi {
    std::optional<OverwriteAnswer> answer;
    std::vector<std::optional<std::string>> dialogAnswers;
    std::vector<std::string> questions;
    std::vector<std::pair<std::string, std::string>> dialogs; // initial name, filter
    std::vector<std::string> inFileLabel, file3DLabel, outFileLabel;

    ParamFileUi Ui() {
        ParamFileUi ui;
        ui.askOverwrite = [this](const std::string& text) {
            questions.push_back(text);
            if (!answer) {
                ADD_FAILURE() << "unexpected question: " << text;
                return OverwriteAnswer::Cancel;
            }
            return *answer;
        };
        ui.saveDialog = [this](const std::string& name, const std::string& filter) {
            dialogs.emplace_back(name, filter);
            if (dialogs.size() > dialogAnswers.size()) {
                ADD_FAILURE() << "unexpected save dialog";
                return std::optional<std::string>();
            }
            return dialogAnswers[dialogs.size() - 1];
        };
        ui.showInFile = [this](const std::string& s) { inFileLabel.push_back(s); };
        ui.show3DFile = [this](const std::string& s) { file3DLabel.push_back(s); };
        ui.showOutFile = [this](const std::string& s) { outFileLabel.push_back(s); };
        return ui;
    }
};

// Each test works in a fresh folder made current, as the program works in the folder of its file.
class ParamFileTest : public plat::testing::ScratchFolderTest {
protected:
    ParamFileTest() : ScratchFolderTest(fs::path(TEST_OUTPUT_DIR) / "ParamFile") {}

    // Everything in the folder but the given files: leftovers of a failed write would show here.
    static std::vector<std::string> FolderNames() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator("."))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ParamFileTest, GoldenFiles) {
    struct Case {
        const char* golden;
        std::function<void(ModelVariables&)> change;
        bool useSI = false;
        bool use3D = false;
        bool metresModel = false;
    };
    const std::vector<Case> cases = {
        {"three_antennas_2d.inp", [](ModelVariables&) {}},
        // Numbered 1 and 2, holding Ant(1) and Ant(3); Ant(3) is the reference antenna.
        {"two_antennas.inp",
         [](ModelVariables& m) {
             m.NumAnts = 2;
             m.RefAntY = m.Ant(3).Y;
             m.FieldModel = 1;
         }},
        // Grid lengths in metres: Y 100 and Z 10 are written 328.100 and 32.810.
        {"metres.inp", [](ModelVariables&) {}, true, false, true},
        {"ground_3d.inp", [](ModelVariables&) {}, false, true},
        {"flight_type_2.inp",
         [](ModelVariables& m) {
             m.FlightType = 2;
             m.FltPoint1 = {-500, 20000, 500};
             m.FltPoint2 = {500, 1500, 50};
         }},
        // Orbits carry angles in the Y places: not shifted.
        {"flight_type_7.inp",
         [](ModelVariables& m) {
             m.FlightType = 7;
             m.FieldModel = 2;
             m.FltPoint1 = {15000, -10, 1000};
             m.FltPoint2 = {15000, 10, 1000};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const fs::path sub = dir_ / fs::path(c.golden).stem();
        fs::create_directory(sub);
        fs::current_path(sub);
        ModelVariables m = c.metresModel ? MetresModel() : ThreeAntennaModel();
        c.change(m);
        const ProfileGrid profile;
        GroundRows metres(31);
        metres.FillRow(1, "100", "10", " X ");
        metres.FillRow(2, "250", "4", " X ");
        const GroundRows& grid = c.metresModel ? static_cast<const GroundRows&>(metres) : profile;
        ScriptedUi script;
        EXPECT_EQ(WriteParamFile(m, {grid, c.useSI, c.use3D}, script.Ui()), WriteStatus::Written);
        EXPECT_EQ(plat::testing::FileBytes(m.InFile), Golden(c.golden));
        EXPECT_EQ(m.OriginShift, -m.RefAntY);
        EXPECT_EQ(m.TraceLevel, 0);
        EXPECT_TRUE(script.questions.empty());
        fs::current_path(dir_);
    }
}

// An empty File3D: named after the parameter file, no ground-file line, and the one-point file is
// created; an existing ground file is never touched.
TEST_F(ParamFileTest, GroundFileNamedAfterTheParameterFile) {
    ModelVariables m = ThreeAntennaModel();
    m.File3D = "";
    const ProfileGrid grid;
    ScriptedUi script;
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    EXPECT_EQ(plat::testing::FileBytes("site1.inp"), Golden("no_ground_file.inp"));
    EXPECT_EQ(m.File3D, "site1.3D");
    EXPECT_EQ(script.file3DLabel, std::vector<std::string>{"site1.3D"});
    EXPECT_EQ(plat::testing::FileBytes("site1.3D"), Golden("default.3D"));

    WriteBytes("site1.3D", "  2  1\r\n");
    m.File3D = "";
    fs::remove("site1.inp");
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    EXPECT_EQ(plat::testing::FileBytes("site1.3D"), "  2  1\r\n");

    // A named ground file that is missing is created as the default too.
    m.File3D = "other.3D";
    fs::remove("site1.inp");
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    EXPECT_EQ(plat::testing::FileBytes("other.3D"), Golden("default.3D"));
    EXPECT_EQ(script.file3DLabel.size(), 2U);
}

TEST_F(ParamFileTest, OverwriteQuestion) {
    struct Case {
        const char* name;
        OverwriteAnswer answer;
        std::vector<std::optional<std::string>> dialog; // answers of the save dialog after No
        WriteStatus status;
        std::string inFileAfter;
        const char* writtenFile; // the file that now holds the model, or nullptr
        const char* goldenOfIt;
    };
    const std::vector<Case> cases = {
        {"yes",
         OverwriteAnswer::Yes,
         {},
         WriteStatus::Written,
         "site1.inp",
         "site1.inp",
         "three_antennas_2d.inp"},
        {"no_new_name",
         OverwriteAnswer::No,
         {"other.inp"},
         WriteStatus::Written,
         "other.inp",
         "other.inp",
         "renamed.inp"},
        {"no_dialog_cancelled",
         OverwriteAnswer::No,
         {std::nullopt},
         WriteStatus::Declined,
         "site1.inp",
         nullptr,
         nullptr},
        {"no_empty_name", OverwriteAnswer::No, {""}, WriteStatus::Declined, "", nullptr, nullptr},
        {"cancel", OverwriteAnswer::Cancel, {}, WriteStatus::Cancelled, "site1.inp", nullptr, nullptr},
    };
    const std::string previous = "previous contents\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path sub = dir_ / c.name;
        fs::create_directory(sub);
        fs::current_path(sub);
        WriteBytes("site1.inp", previous);
        WriteBytes("site1.3D", "ground\r\n");
        ModelVariables m = ThreeAntennaModel();
        const ProfileGrid grid;
        ScriptedUi script;
        script.answer = c.answer;
        script.dialogAnswers = c.dialog;

        EXPECT_EQ(WriteParamFile(m, {grid}, script.Ui()), c.status);
        EXPECT_EQ(script.questions, std::vector<std::string>{"Parameter File Exists.\rOverwrite? "});
        EXPECT_EQ(m.InFile, c.inFileAfter);
        if (c.answer == OverwriteAnswer::No) {
            ASSERT_EQ(script.dialogs.size(), 1U);
            EXPECT_EQ(script.dialogs[0].first, "");
            EXPECT_EQ(script.dialogs[0].second,
                      "Output Files(*.inp)|*.inp|Text Files (*.txt)|*.txt|All Files(*.*)|*.*");
        }
        if (c.writtenFile != nullptr) {
            EXPECT_EQ(plat::testing::FileBytes(c.writtenFile), Golden(c.goldenOfIt));
        }
        if (c.status == WriteStatus::Written && m.InFile != "site1.inp") {
            EXPECT_EQ(script.inFileLabel, std::vector<std::string>{m.InFile});
        }
        // Whatever the answer, a file the user did not agree to replace keeps its contents, and no
        // temporary file is left behind.
        if (c.answer != OverwriteAnswer::Yes) {
            EXPECT_EQ(plat::testing::FileBytes("site1.inp"), previous);
        }
        for (const std::string& name : FolderNames())
            EXPECT_TRUE(name == "site1.inp" || name == "site1.3D" || name == "other.inp") << name;
        EXPECT_EQ(plat::testing::FileBytes("site1.3D"), "ground\r\n");
        fs::current_path(dir_);
    }
}

TEST_F(ParamFileTest, OnlyTheBareTempNameIsOverwrittenWithoutAsking) {
    fs::create_directory("runs");
    for (const std::string name : {"temp.inp", "runs/temp.inp", "Temp.inp"}) {
        SCOPED_TRACE(name);
        WriteBytes(name, "old\r\n");
        ModelVariables m = ThreeAntennaModel();
        m.InFile = name;
        const ProfileGrid grid;
        ScriptedUi script;
        script.answer = OverwriteAnswer::Yes;
        EXPECT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
        EXPECT_EQ(script.questions.size(), name == "temp.inp" ? 0U : 1U);
        EXPECT_NE(plat::testing::FileBytes(name), "old\r\n");
    }
}

// A failure is reported and leaves the previous file whole; nothing half-written stays behind.
TEST_F(ParamFileTest, FailuresLeaveThePreviousFile) {
    struct Case {
        const char* name;
        std::function<void(ModelVariables&, GroundRows&)> spoil;
        rlim_t fileSizeLimit = 0; // a full disk: no file grows beyond this many bytes
    };
    const std::vector<Case> cases = {
        {"grid cell not a number", [](ModelVariables&, GroundRows& g) { g.FillRow(2, "12a", "0", " X "); }},
        {"more antennas than records", [](ModelVariables& m, GroundRows&) { m.NumAnts = 4; }},
        {"folder missing", [](ModelVariables& m, GroundRows&) { m.InFile = "no/such/folder/site1.inp"; }},
        {"no file name", [](ModelVariables& m, GroundRows&) { m.InFile = ""; }},
        {"disk full", [](ModelVariables&, GroundRows&) {}, 100},
        // Stops root as well as anyone: the folder named is a file.
        {"folder is a file", [](ModelVariables& m, GroundRows&) { m.InFile = "site1.inp/site1.inp"; }},
        // The parameter file's name fits; the default ground file's, three characters longer, does not.
        {"ground file name too long", [](ModelVariables& m, GroundRows&) { m.InFile = std::string(253, 's'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("site1.inp", "previous\r\n");
        ModelVariables m = ThreeAntennaModel();
        m.File3D = "";
        ProfileGrid grid;
        c.spoil(m, grid);
        ScriptedUi script;
        script.answer = OverwriteAnswer::Yes;
        std::optional<plat::testing::FileSizeLimit> limit;
        if (c.fileSizeLimit > 0)
            limit.emplace(c.fileSizeLimit);
        EXPECT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Failed);
        limit.reset();
        EXPECT_EQ(plat::testing::FileBytes("site1.inp"), "previous\r\n");
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"site1.inp"});
        EXPECT_EQ(m.File3D, "");
    }
}

// The file is replaced, not rewritten: a link stays a link to the file it leads to, the mode stays,
// and a name as long as the folder allows is written with its ground file beside it.
TEST_F(ParamFileTest, ReplacingKeepsLinkAndModeAndTakesLongNames) {
    WriteBytes("previous.inp", "previous\r\n");
    fs::create_directory("real");
    fs::rename("previous.inp", "real/site1.inp");
    ASSERT_EQ(::chmod("real/site1.inp", 0600), 0);
    fs::create_symlink("real/site1.inp", "site1.inp");
    ModelVariables m = ThreeAntennaModel();
    m.File3D = "";
    const ProfileGrid grid;
    ScriptedUi script;
    script.answer = OverwriteAnswer::Yes;
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    EXPECT_TRUE(fs::is_symlink("site1.inp"));
    EXPECT_EQ(plat::testing::FileBytes("real/site1.inp"), Golden("no_ground_file.inp"));
    EXPECT_EQ(fs::status("real/site1.inp").permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"real", "site1.3D", "site1.inp"}));

    const std::string stem(246, 'n');
    m.InFile = stem + ".inp";
    m.File3D = "";
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    std::string expected = Golden("no_ground_file.inp");
    expected.replace(expected.find("site1"), 5, stem);
    EXPECT_EQ(plat::testing::FileBytes(m.InFile), expected);
    EXPECT_EQ(plat::testing::FileBytes(stem + ".3D"), Golden("default.3D"));
}

// A number that fills its whole field is written in full and still parted from its neighbour, so
// that the program's reader gets every value back.
TEST_F(ParamFileTest, WideNumbersStaySeparate) {
    ModelVariables m = ThreeAntennaModel();
    m.FlightType = 2;
    m.FltPoint1 = {-12345.5F, 123456.5F, -1234.5F};
    m.FltPoint2 = {-12345.5F, -123456.5F, 0};
    m.RefAntY = 0;
    GroundRows grid(31);
    grid.FillRow(1, "12345678901", "-7", " X ");
    ScriptedUi script;
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);

    std::istringstream lines(plat::testing::FileBytes("site1.inp"));
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line, '\n');)
        all.push_back(line);
    ASSERT_GT(all.size(), 16U);
    // Title, card 1 header and values, the ground line; card 4 after the three antennas.
    EXPECT_EQ(all[3], "\t\t 0.000          12345680000.000 -7.000\r");
    EXPECT_EQ(all[15], "\t\t2\t11\t0\t\t -12345.500 123456.500 -1234.500\r");
    EXPECT_EQ(all[16], std::string(48, ' ') + "-12345.500 -123456.500     0.000\r");

    plat::FreeReader card4 = plat::FreeReader::FromText(all[15] + "\n" + all[16] + "\n");
    for (double expected : {2.0, 11.0, 0.0, -12345.5, 123456.5, -1234.5, -12345.5, -123456.5, 0.0})
        EXPECT_NEAR(card4.InputNumber(), expected, 1e-3);
}

// A constant radius cut: the engine sweeps the elevation in the Y places from start to end and
// the azimuth in the Z places, which the panel holds at its start value.
TEST_F(ParamFileTest, ConstantRadiusCutCarriesOneAzimuth) {
    ModelVariables m = ThreeAntennaModel();
    m.FlightType = 1;
    m.FltPoint1 = {24304, 0.5F, 11};
    m.FltPoint2 = {0, 7, 90}; // an end azimuth the panel does not offer
    const ProfileGrid grid;
    ScriptedUi script;
    ASSERT_EQ(WriteParamFile(m, {grid}, script.Ui()), WriteStatus::Written);
    const std::string text = plat::testing::FileBytes("site1.inp");
    const std::size_t card4 = text.find("'SECTION'\t4 0 0\r\n");
    ASSERT_NE(card4, std::string::npos);
    plat::FreeReader numbers = plat::FreeReader::FromText(text.substr(text.find('\n', card4) + 1));
    for (double expected : {1.0, 11.0, 0.0, 24304.0, 0.5, 11.0, 0.0, 7.0, 11.0})
        EXPECT_NEAR(numbers.InputNumber(), expected, 1e-3);
}

TEST_F(ParamFileTest, SaveMenu) {
    const ProfileGrid grid;
    ModelVariables m = ThreeAntennaModel();
    m.InFile = "old.inp";
    int collected = 0;
    const auto collect = [&] { ++collected; };

    ScriptedUi cancelled;
    cancelled.dialogAnswers = {std::nullopt};
    EXPECT_EQ(SaveParamFileFromMenu(m, {grid}, cancelled.Ui(), collect), std::nullopt);
    EXPECT_EQ(collected, 0);
    EXPECT_EQ(m.InFile, "old.inp");
    ASSERT_EQ(cancelled.dialogs.size(), 1U);
    EXPECT_EQ(cancelled.dialogs[0].first, "old.inp");
    EXPECT_EQ(cancelled.dialogs[0].second, "Parameter Files(*.inp, *.txt)|*.inp;*.txt |All Files(*.*)|*.*");
    EXPECT_FALSE(fs::exists("old.inp"));

    ScriptedUi chosen;
    chosen.dialogAnswers = {"site1.inp"};
    EXPECT_EQ(SaveParamFileFromMenu(m, {grid}, chosen.Ui(), collect), WriteStatus::Written);
    EXPECT_EQ(collected, 1);
    EXPECT_EQ(plat::testing::FileBytes("site1.inp"), Golden("three_antennas_2d.inp"));
    EXPECT_EQ(m.OutFile, "site1.prn");
    EXPECT_EQ(chosen.inFileLabel, std::vector<std::string>{"site1.inp"});
    EXPECT_EQ(chosen.outFileLabel, std::vector<std::string>{"site1.prn"});

    // The file exists now: answered No, then an empty name: nothing written, no plot file named.
    ScriptedUi declined;
    declined.answer = OverwriteAnswer::No;
    declined.dialogAnswers = {"site1.inp", ""};
    EXPECT_EQ(SaveParamFileFromMenu(m, {grid}, declined.Ui(), collect), WriteStatus::Declined);
    EXPECT_EQ(collected, 2);
    EXPECT_EQ(m.InFile, "");
    EXPECT_EQ(m.OutFile, "site1.prn");
    EXPECT_TRUE(declined.outFileLabel.empty());

    ScriptedUi empty;
    empty.dialogAnswers = {""};
    EXPECT_EQ(SaveParamFileFromMenu(m, {grid}, empty.Ui(), collect), std::nullopt);
    EXPECT_EQ(collected, 2);
    EXPECT_EQ(m.InFile, "");
}

TEST(ParamFileNames, StripExtensionGetHeaderFileFolder) {
    struct Case {
        std::string path, stripped, header, folder;
    };
    const std::string here = fs::current_path().string();
    const std::vector<Case> cases = {
        {"/runs/site1.inp", "/runs/site1", "site1", "/runs/"},
        {"temp.inp", "temp", "temp", here},
        {"/my.runs/site.rev2.inp", "/my.runs/site.rev2", "site", "/my.runs/"},
        {"/my.runs/site", "/my.runs/site", "site", "/my.runs/"},
        {"noext", "noext", "noext", here},
        {"/runs/", "/runs/", "", "/runs/"},
        {"", "", "", here},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(StripExtension(c.path), c.stripped);
        EXPECT_EQ(GetHeader(c.path), c.header);
        EXPECT_EQ(FileFolder(c.path), c.folder);
    }
}

TEST(ParamFileNames, CountGroundRows) {
    struct Row {
        std::string y, z, mark;
    };
    struct Case {
        const char* name;
        std::vector<Row> rows;
        int count;
    };
    const std::vector<Case> cases = {
        {"empty grid", {}, 0},
        {"marks trimmed", {{"1", "2", " X "}, {"3", "4", "X"}, {"5", "6", "  X"}}, 3},
        {"row 3 unmarked", {{"1", "2", " X "}, {"3", "4", " X "}, {"5", "6", ""}, {"7", "8", " X "}}, 2},
        {"lower-case mark", {{"1", "2", " x "}}, 0},
        {"blank Z", {{"1", "2", " X "}, {"3", "  ", " X "}}, 1},
        {"empty Y", {{"", "2", " X "}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GroundRows grid(static_cast<int>(c.rows.size()) + 1);
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            grid.FillRow(static_cast<int>(i) + 1, c.rows[i].y, c.rows[i].z, c.rows[i].mark);
        EXPECT_EQ(CountGroundRows(grid), c.count);
    }
    // Counting stops at the grid's last row.
    GroundRows full(4);
    for (int r = 1; r < 4; ++r)
        full.FillRow(r, "1", "1", " X ");
    EXPECT_EQ(CountGroundRows(full), 3);
}

} // namespace
