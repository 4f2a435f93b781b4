// The main window's Load and Save: a file the writer made comes back byte for byte through the real
// window's controls; a file that cannot be read leaves the model and the window as they were.

#include "../mainwindow/GuiTest.h"
#include "GoldenFiles.h"

#include "shell/modelio/ParamFileReader.h"

#include <vector>

using namespace shell;

namespace fs = std::filesystem;

namespace {

constexpr char kDefaultGround[] = "  1           1\r\n 0.000    0.000    0.000\r\n";

using WindowLoadSave = WindowTest;

TEST_F(WindowLoadSave, GoldenFilesComeBackThroughTheWindow) {
    struct Case {
        const char* golden;
        std::string groundLineAdded; // the derived ground file, beside the parameter file
        const char* message = nullptr;
    };
    const std::vector<Case> cases = {
        {"three_antennas_2d.inp", ""},
        {"two_antennas.inp", ""},
        {"metres.inp", ""},
        {"ground_3d.inp", ""},
        {"flight_type_2.inp", ""},
        {"flight_type_7.inp", ""},
        {"no_ground_file.inp", "site1.3D",
         "No 3D File Associated with this INP file,\r\nBut a 3D file of the same name was found.\r\n"
         "This file will be used."},
    };
    Put("site1.3D", kDefaultGround);
    Put("metres.3D", kDefaultGround);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        fs::remove(dir_ / "Pellic.ini"); // the previous load's settings would load at start-up
        const std::string golden = GoldenText(c.golden);
        const std::string title = TitleOf(golden);
        const std::string in = Put(title + ".inp", golden);
        const std::string out = (dir_ / fs::path(c.golden).stem() / (title + ".inp")).string();
        fs::create_directories(fs::path(out).parent_path());

        auto& w = frmMain();
        w.Show();
        if (c.message)
            boxes_->Expect(c.message, plat::vbOK);
        dialogs_->ExpectFile(in);
        w.Menu("mnuLoad").Trigger();
        EXPECT_EQ(w.lblInFile->Caption(), in);
        dialogs_->ExpectFile(out);
        w.Menu("mnuSave").Trigger();
        EXPECT_EQ(Read(fs::path(out).lexically_relative(dir_).string()),
                  golden + (c.groundLineAdded.empty() ? "" : (dir_ / c.groundLineAdded).string() + "\r\n"));
    }
}

TEST_F(WindowLoadSave, FileThatCannotBeReadChangesNothing) {
    Put("site1.3D", kDefaultGround);
    const std::string good = Put("site1.inp", GoldenText("three_antennas_2d.inp"));
    std::string text = GoldenText("three_antennas_2d.inp");
    const std::string bad = Put("bad.inp", text.substr(0, text.find("'SECTION'\t4 0 0")));

    auto& w = frmMain();
    w.Show();
    dialogs_->ExpectFile(good);
    w.Menu("mnuLoad").Trigger();
    w.txtAntZ(0).SetText("99");
    w.grdGround->SetTextMatrix(4, 2, "123");
    ModelVariables before = Model();
    const std::string labelBefore = w.lblInFile->Caption();
    const std::string outBefore = w.lblOutFile->Caption();

    boxes_->Expect(LoadFailedText(bad, "The file ends early (card 4)."), plat::vbOK);
    dialogs_->ExpectFile(bad);
    w.Menu("mnuLoad").Trigger();
    ASSERT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(boxes_->Shown()[0].title, "File Error");
    EXPECT_EQ(w.txtAntZ(0).Text(), "99");
    EXPECT_EQ(w.grdGround->TextMatrix(4, 2), "123");
    EXPECT_EQ(w.grdGround->TextMatrix(1, 2), "0.000");
    EXPECT_EQ(w.lblInFile->Caption(), labelBefore);
    EXPECT_EQ(w.lblOutFile->Caption(), outBefore);
    ModelVariables after = Model();
    after.InFile = before.InFile; // the dialog's choice, which the Load command keeps
    after.RunStatus = before.RunStatus;
    EXPECT_TRUE(after == before);
}

TEST_F(WindowLoadSave, MissingGroundFileAnsweredNoOpensTheGroundFileDialog) {
    Put("site1.3D", kDefaultGround);
    const std::string chosen = Put("other.3D", kDefaultGround);
    std::string text = GoldenText("three_antennas_2d.inp");
    text.replace(text.find("site1.3D\r\n"), 10, "gone.3D\r\n");
    const std::string in = Put("site1.inp", text);

    auto& w = frmMain();
    w.Show();
    boxes_->Expect("gone.3D not found.\r\n but a file by that name is in this folder. Use this file?",
                   plat::vbNo);
    dialogs_->ExpectFile(in);
    dialogs_->ExpectFile(chosen);
    w.Menu("mnuLoad").Trigger();
    EXPECT_EQ(Model().File3D, chosen);
    EXPECT_EQ(w.lbl3DFile->Caption(), chosen);
    ASSERT_EQ(dialogs_->Requests().size(), 2u);
    EXPECT_EQ(boxes_->Shown().at(0).title, "3D file Error");
}

} // namespace
