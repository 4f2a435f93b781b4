// Runs from the main window that cannot give a new plot: terrain beyond what the engine keeps is
// refused before anything is written, an engine refusal is shown with the engine's own reason, and a
// failed run leaves the earlier plot file byte for byte, plots nothing and leaves the model marked as
// not modelled. A relative ground-file name runs as the parameter file's neighbour.
#include "RunWindowFixture.h"

#include "plot/ui/frmPlot.h"

using namespace shell;

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";
constexpr char kOldPlot[] = " 1.00000E+00 2.00000E+00\r\n";

void Press(class frmMain& w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w.txtThZ->Editor(), &press);
}

// A key typed into a box of the window: the window marks the model as not modelled.
void TypeKey(class frmMain& w) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
    QApplication::sendEvent(w.txtThZ->Editor(), &press);
}

// A ground file of flat cuts, two nodes each.
std::string GroundOfCuts(int cuts) {
    std::string text = "  2           " + std::to_string(cuts) + "\r\n";
    for (int c = 0; c < cuts; ++c) {
        const std::string y = std::to_string(1000 * c) + ".000";
        text += " -1000.000    " + y + "    0.000\r\n 1000.000    " + y + "    0.000\r\n";
    }
    return text;
}

// The sample's ground profile card with `rows` flat rows instead of its eight.
std::string WithGroundRows(std::string text, int rows) {
    const std::size_t card = text.find("\t\t8\t1\t0\t(");
    const std::size_t end = text.find("'SECTION'\t2");
    std::string lines = "\t\t" + std::to_string(rows) + "\t1\t0\t(\t15.000,\t0.000)\t0.010\r\n";
    for (int r = 0; r < rows; ++r)
        lines += "\t\t 0.000          " + std::to_string(1000 * r) + ".000       0.000\r\n";
    return text.replace(card, end - card, lines);
}

class RefusedRun : public RunWindow {
protected:
    // The sample with its earlier plot file; with one ground line (so in 3D ground mode) when use3D.
    std::string PutSampleWithPlot(bool use3D) {
        const std::string site = PutSample("cegs_site.inp");
        Put("cegs_site.prn", kOldPlot);
        if (use3D)
            Put("cegs_site.inp", WithGroundRows(Read("cegs_site.inp"), 1));
        return site;
    }
};

} // namespace

TEST_F(RefusedRun, TerrainBeyondTheEngineIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        bool use3D;
        std::function<std::string(const fs::path& dir)> message;
    };
    const Case cases[] = {
        {"31 profile rows", false,
         [](const fs::path& dir) {
             return "The parameter file " + (dir / "cegs_site.inp").string() +
                    " would hold 31 ground profile points; a run keeps at most 30.";
         }},
        {"a ground file of 31 cuts", true,
         [](const fs::path& dir) {
             return "The 3D ground file " + (dir / "cegs_site.3D").string() + " has 31 cuts; a run reads at most 30.";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        PutSampleWithPlot(c.use3D);
        if (c.use3D)
            Put("cegs_site.3D", GroundOfCuts(31));
        else
            Put("cegs_site.inp", WithGroundRows(Read("cegs_site.inp"), 31));
        const std::string inp = Read("cegs_site.inp"), ground = Read("cegs_site.3D");
        auto& w = Started();
        ASSERT_EQ(w.Menu("mnuUse3D").Checked(), c.use3D);
        boxes_->Expect(c.message(dir_), plat::vbOK);
        Press(w, Qt::Key_F6);
        EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbOKOnly | plat::vbExclamation);
        EXPECT_TRUE(engine_->starts.empty());
        EXPECT_FALSE(frmPlotLoaded());
        EXPECT_EQ(Read("cegs_site.inp"), inp);
        EXPECT_EQ(Read("cegs_site.3D"), ground);
        EXPECT_EQ(Read("cegs_site.prn"), kOldPlot);
    }
}

TEST_F(RefusedRun, FailedRunShowsTheEngineReasonKeepsThePlotFileAndPlotsNothing) {
    PutSampleWithPlot(true);
    Put("cegs_site.3D", "  2           2\r\n -1000.000    0.000    0.000\r\n");
    auto& w = Started();
    TypeKey(w);
    ASSERT_TRUE(w.lblChanged->Visible());
    boxes_->Expect(kOverwrite, plat::vbYes);
    boxes_->Expect("Kelvd.dll Error #10\rRUN REFUSED: THE 3D GROUND FILE DOES NOT GIVE TWO COUNTS OF AT LEAST 1 "
                   "AND X, Y, Z OF EVERY NODE",
                   plat::vbOK);
    Press(w, Qt::Key_F6);
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(Read("cegs_site.prn"), kOldPlot);
    EXPECT_FALSE(frmPlotLoaded());
    EXPECT_FALSE(MainRunState().Finished);
    EXPECT_TRUE(w.lblChanged->Visible());

    // Mended, the next run replaces the plot file and plots it.
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D",
                  fs::copy_options::overwrite_existing);
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunAndPlot").Trigger();
    EXPECT_NE(Read("cegs_site.prn"), kOldPlot);
    EXPECT_TRUE(frmPlotLoaded());
    EXPECT_FALSE(w.lblChanged->Visible());
}

TEST_F(RefusedRun, RelativeGroundFileNameRunsBesideTheParameterFile) {
    // The current folder holds a ground file of the name the parameter file gives; the parameter
    // file's own folder does not, but has the file of its own name.
    Put("ground.3D", GroundOfCuts(3));
    fs::create_directory(dir_ / "sub");
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "sub" / "site.3D");
    std::string text = plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp");
    text.replace(text.find("cegs_site.3D"), 12, "ground.3D");
    const std::string site = Put("sub/site.inp", text);
    auto& w = Started();
    boxes_->Expect("ground.3D not found.\r\n but a file by that name is in this folder. Use this file?", plat::vbYes);
    dialogs_->ExpectFile(site);
    w.Menu("mnuLoad").Trigger();
    const std::string beside = (dir_ / "sub" / "site.3D").string();
    EXPECT_EQ(Model().File3D, beside);
    EXPECT_EQ(w.lbl3DFile->Caption(), beside);

    boxes_->Expect(kOverwrite, plat::vbYes);
    Press(w, Qt::Key_F5);
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(engine_->starts[0].ground, beside);
    EXPECT_EQ(Read("ground.3D"), GroundOfCuts(3));
}
