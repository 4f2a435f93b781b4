#include "GuiTest.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <sstream>
#include <system_error>

#include "platform/services/Clock.h"
#include "plot/ui/frmPlotParams.h"
#include "shell/dialogs/frmNewAbout.h"
#include "shell/dialogs/frmOriginHelp.h"

using namespace shell;

namespace fs = std::filesystem;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The window's model buttons 10, 11, 12 as "010".
std::string ModelButtons(class frmMain& w) {
    std::string s;
    for (int b = 10; b <= 12; ++b)
        s += std::to_string(w.Toolbar1->Buttons(b).Value());
    return s;
}

std::string ModelMenus(class frmMain& w) {
    std::string s;
    for (const char* m : {"mnuRay", "mnuGTD", "mnuPO"})
        s += w.Menu(m).Checked() ? "1" : "0";
    return s;
}

} // namespace

class MainWindow : public WindowTest {
protected:
    // The sample site in the scratch folder, optionally changed.
    std::string PutSample(const std::string& name, const std::function<std::string(std::string)>& change = {}) {
        std::string text = plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp");
        if (change)
            text = change(text);
        if (!Exists("cegs_site.3D"))
            fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D");
        return Put(name, text);
    }
    class frmMain& Started() {
        class frmMain& w = frmMain();
        w.Show();
        ended_ = false;
        w.EndProgram = [this] { ended_ = true; };
        return w;
    }
    bool ended_ = false;
};

TEST_F(MainWindow, StartsWithoutSettingsFileUnnamedWithGtd) {
    auto& w = Started();
    EXPECT_EQ(w.Caption(), "Vantrell Orvane - v060410");
    EXPECT_EQ(ModelMenus(w), "010");
    EXPECT_EQ(ModelButtons(w), "010");
    EXPECT_EQ(w.lblInFile->Caption(), "none");
    EXPECT_EQ(w.lblOutFile->Caption(), "none");
    EXPECT_EQ(w.lbl3DFile->Caption(), "none");
    EXPECT_FALSE(w.lblChanged->Visible());
    EXPECT_EQ(Model().InFile, "");
    EXPECT_EQ(w.txtArrayFreq->Text(), "330.0");
    EXPECT_EQ(w.txtThPathWidth->Text(), "0.67");
    EXPECT_EQ(w.txtFltNumPoints->Text(), "200");
    EXPECT_EQ(w.cmbPresets->ListIndex(), 3);
    EXPECT_EQ(w.cmbFlight->ListIndex(), 0);
    EXPECT_EQ(w.grdGround->Rows(), 31);
    EXPECT_EQ(w.grdGround->TextMatrix(2, 2), "20000.00");
    EXPECT_TRUE(w.grdGround->Enabled());
    EXPECT_FALSE(w.Menu("mnuUse3D").Checked());
    EXPECT_FALSE(w.Menu("mnuUseSI").Checked());
    EXPECT_EQ(Model().NumAnts, 3);
    // The run, plot and editor commands are offered; "View 2D" waits for the viewer.
    for (const char* m : {"mnuPlotParms", "mnuRunSim", "mnuRunAndPlot", "mnuPlot", "mnuGenAll", "mnuOutput",
                          "mnuElemParm", "mnuEdit3D"})
        EXPECT_TRUE(w.Menu(m).Enabled()) << m;
    for (int b : {6, 7, 8})
        EXPECT_TRUE(w.Toolbar1->Buttons(b).Enabled()) << b;
    EXPECT_TRUE(w.cmdView2D->Enabled()); // the profile ground shows in the 3D viewer
    EXPECT_FALSE(Exists("Pellic.ini"));
}

TEST_F(MainWindow, PlotParamsShowsThePlotParametersModalAndTheCallerDoesNothingAfter) {
    auto& w = Started();
    Model().PlotSettings.PlotXTics = 6;
    Model().PlotSettings.PlotYTics = 6;
    bool modal = false;
    plat::testing::Queue([&] {
        class frmPlotParams& d = frmPlotParams();
        modal = d.IsModal() && d.Visible();
        d.Command1->SetValue(true);
    });
    w.Menu("mnuPlotParms").Trigger(); // F4, as the menu table gives it
    EXPECT_TRUE(modal);
    EXPECT_FALSE(frmPlotParams().IsLoaded());
}

TEST_F(MainWindow, StartsWithTheRememberedModelInItsFolder) {
    // A model saved in metres with 150 points and physical optics: start-up keeps all three.
    PutSample("runs/site.inp", [](std::string t) {
        t = Replace(t, "'*' 'cegs_site INPUT A' 0", "'*' 'site INPUT A' 1");
        t = Replace(t, "\t\t8\t1\t0\t(", "\t\t8\t2\t0\t(");
        return Replace(t, "\t\t3\t200\t0\t", "\t\t3\t150\t0\t");
    });
    fs::copy_file(dir_ / "cegs_site.3D", dir_ / "runs" / "cegs_site.3D");
    Put("Pellic.ini", "runs/site.inp,runs/site.prn,runs/site.3D\r\n0, 1\r\n");
    auto& w = Started();
    const std::string folder = (dir_ / "runs").string();
    EXPECT_EQ(fs::current_path(), dir_ / "runs");
    EXPECT_EQ(w.lblInFile->Caption(), folder + "/site.inp");
    EXPECT_EQ(w.lblOutFile->Caption(), folder + "/site.prn");
    EXPECT_EQ(ModelButtons(w), "001");
    EXPECT_EQ(ModelMenus(w), "001");
    EXPECT_TRUE(w.Menu("mnuUseSI").Checked());
    EXPECT_EQ(w.txtFltNumPoints->Text(), "150");
    EXPECT_EQ(w.cmbFlight->ListIndex(), 2);
    EXPECT_TRUE(w.optNumAnts(2).Value());
    EXPECT_EQ(w.grdGround->TextMatrix(8, 2), "6095.703"); // 20000 ft shown in metres
    EXPECT_EQ(w.grdGround->TextMatrix(8, 4), " X ");
    EXPECT_FALSE(w.Menu("mnuUse3D").Checked());
}

TEST_F(MainWindow, MenuBarCaptionsOrderVisibilityAndShortcuts) {
    struct Item {
        const char* caption; // "-" a separator
        bool visible;
        const char* shortcut;
    };
    const std::vector<std::pair<const char*, std::vector<Item>>> expected = {
        {"&File",
         {{"&New Param File", true, ""}, {"&Load Param File", true, ""}, {"&Save Param File", true, ""},
          {"-", true, ""}, {"Use 3D File", true, ""}, {"Change &3D Filename", true, ""},
          {"Edit 3&D File", true, ""}, {"-", true, ""}, {"Load Output File", true, ""}, {"-", true, ""},
          {"Exit", true, ""}}},
        {"&Other Parameters",
         {{"Use Ray Optics", true, ""}, {"Use GTD", true, ""}, {"Use Phys. Opt.", true, ""}, {"-", true, ""},
          {"Element Params", true, ""}, {"O&utput Params", true, ""}, {"Plot Params", true, "F4"},
          {"-", false, ""}, {"Use SI Units", false, ""}}},
        {"Run/Plot",
         {{"Run Simulation", true, "F5"}, {"Run and Plot", true, "F6"}, {"Plot", true, "F7"}, {"-", true, ""},
          {"Generate Multiple Outputs", true, ""}}},
        {"&Help", {{"Coordinate Help", true, ""}, {"About", true, ""}}},
    };
    auto& w = Started();
    const QList<QAction*> menus = w.Window()->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        SCOPED_TRACE(expected[m].first);
        EXPECT_EQ(menus[static_cast<qsizetype>(m)]->text().toStdString(), expected[m].first);
        ASSERT_NE(menus[static_cast<qsizetype>(m)]->menu(), nullptr);
        const QList<QAction*> items = menus[static_cast<qsizetype>(m)]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].second.size()));
        for (qsizetype i = 0; i < items.size(); ++i) {
            const Item& e = expected[m].second[static_cast<std::size_t>(i)];
            QAction* a = items[i];
            SCOPED_TRACE(e.caption);
            EXPECT_EQ(a->isSeparator(), std::string(e.caption) == "-");
            if (!a->isSeparator()) {
                EXPECT_EQ(a->text().toStdString(), e.caption);
            }
            EXPECT_EQ(a->isVisible(), e.visible);
            EXPECT_EQ(a->shortcut().toString().toStdString(), e.shortcut);
        }
    }
}

TEST_F(MainWindow, ToolbarTooltipsAndSeparators) {
    const char* tips[] = {"New Parameter File", "Save Parameter File", "Open Parameter File", "",
                          "Click to Use 3D or 2D File", "Run Simulation, F5", "Run Simulation and Plot, F6",
                          "Plot, F7", "", "Use Ray Optics", "Use GTD", "Use Physical Optics"};
    auto& w = Started();
    ASSERT_EQ(w.Toolbar1->ButtonCount(), 12);
    for (int i = 1; i <= 12; ++i) {
        const bool separator = i == 4 || i == 9;
        EXPECT_EQ(w.Toolbar1->Buttons(i).ButtonStyle() == plat::ToolbarButton::Style::Separator, separator) << i;
        if (!separator) {
            EXPECT_EQ(w.Toolbar1->Buttons(i).ToolTipText(), tips[i - 1]) << i;
        }
    }
}

TEST_F(MainWindow, GroundModeToggleSwitchesGridButtonsAndPicture) {
    auto& w = Started();
    w.cmdFlat->Click = [] {}; // a ground button whose command exists follows the mode
    Model().NumGroundPts = 4;
    w.Toolbar1->Click(5);
    EXPECT_TRUE(w.Menu("mnuUse3D").Checked());
    EXPECT_FALSE(w.grdGround->Enabled());
    EXPECT_EQ(w.grdGround->ForeColor(), plat::kSystemButtonFace);
    EXPECT_EQ(w.Toolbar1->Buttons(5).Image(), 3);
    EXPECT_FALSE(w.cmdFlat->Enabled());
    EXPECT_TRUE(w.Command2->Enabled()); // "Edit 3D" in 3D ground mode
    EXPECT_EQ(Model().NumGroundPts, 0);
    w.Menu("mnuUse3D").Trigger();
    EXPECT_FALSE(w.Menu("mnuUse3D").Checked());
    EXPECT_TRUE(w.grdGround->Enabled());
    EXPECT_EQ(w.grdGround->ForeColor(), plat::kSystemInfoText);
    EXPECT_EQ(w.Toolbar1->Buttons(5).Image(), 5);
    EXPECT_TRUE(w.cmdFlat->Enabled());
    EXPECT_FALSE(w.Command2->Enabled()); // "Edit 3D" only in 3D ground mode
}

TEST_F(MainWindow, FieldModelMenusAndButtonsAgree) {
    auto& w = Started();
    w.Menu("mnuPO").Trigger();
    EXPECT_EQ(ModelMenus(w), "001");
    EXPECT_EQ(ModelButtons(w), "001");
    w.Toolbar1->Click(10);
    EXPECT_EQ(ModelMenus(w), "100");
    EXPECT_EQ(ModelButtons(w), "100");
    w.Menu("mnuGTD").Trigger();
    EXPECT_EQ(ModelMenus(w), "010");
    EXPECT_EQ(ModelButtons(w), "010");
    // A loaded model brings its own field model to both.
    const auto withModel = [](const char* model) {
        return [model](std::string t) {
            return Replace(t, "\t\t8\t1\t0\t(", std::string("\t\t8\t") + model + "\t0\t(");
        };
    };
    const std::string po = PutSample("po.inp", withModel("2"));
    const std::string ray = PutSample("ray.inp", withModel("0"));
    const std::pair<std::string, std::function<void()>> loads[] = {
        {po, [&] { w.Menu("mnuLoad").Trigger(); }},
        {ray, [&] { w.Toolbar1->Click(3); }},
        {po, [&] { w.Image1->Click(); }},
    };
    for (const auto& [file, load] : loads) {
        SCOPED_TRACE(file);
        dialogs_->ExpectFile(file);
        load();
        const std::string expected = file == po ? "001" : "100";
        EXPECT_EQ(ModelMenus(w), expected);
        EXPECT_EQ(ModelButtons(w), expected);
    }
}

TEST_F(MainWindow, CancelledDialogsChangeNothing) {
    PutSample("cegs_site.inp");
    Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
    auto& w = Started();
    const ModelVariables before = Model();
    const std::string settings = Read("Pellic.ini");
    const std::vector<std::function<void()>> commands = {
        [&] { w.Menu("mnuLoad").Trigger(); },       [&] { w.Toolbar1->Click(3); },
        [&] { w.Image1->Click(); },                  [&] { w.Toolbar1->Click(2); },
        [&] { w.Menu("mnuSave").Trigger(); },       [&] { w.Menu("mnu3DFilename").Trigger(); },
        [&] { w.Menu("mnuOutFile").Trigger(); },
    };
    for (std::size_t i = 0; i < commands.size(); ++i) {
        SCOPED_TRACE(i);
        dialogs_->ExpectCancel();
        commands[i]();
        EXPECT_FALSE(w.CommonDialog1.CancelError);
        ModelVariables now = Model();
        now.RunStatus = before.RunStatus; // Load and Image1 reset it before their dialog
        EXPECT_EQ(now, before);
        EXPECT_EQ(w.lblOutFile->Caption(), before.OutFile);
        EXPECT_EQ(Read("Pellic.ini"), settings);
    }
    EXPECT_EQ(dialogs_->Requests().size(), commands.size());
    EXPECT_EQ(dialogs_->Requests().back().fileName, before.OutFile);
}

TEST_F(MainWindow, LoadFromMenuOrToolbarKeepsTheNamedGroundFile) {
    const std::string other = PutSample("other.inp");
    auto& w = Started();
    dialogs_->ExpectFile(other);
    w.Menu("mnuLoad").Trigger();
    EXPECT_EQ(dialogs_->Requests().at(0).filter, kParamOpenFilter);
    EXPECT_EQ(w.lblInFile->Caption(), other);
    EXPECT_EQ(w.lblOutFile->Caption(), (dir_ / "other.prn").string());
    EXPECT_EQ(fs::path(Model().File3D).filename(), "cegs_site.3D");
    EXPECT_EQ(w.txtAntZ(2).Text(), "42.731");
    EXPECT_EQ(Read("Pellic.ini"), other + "," + (dir_ / "other.prn").string() + "," + Model().File3D + "\r\n, 1\r\n");

    dialogs_->ExpectFile(other);
    w.Toolbar1->Click(3);
    EXPECT_EQ(fs::path(Model().File3D).filename(), "cegs_site.3D");
    EXPECT_EQ(w.lbl3DFile->Caption(), Model().File3D);
    EXPECT_FALSE(Exists("other.3D"));
}

TEST_F(MainWindow, SaveAsWritesTheShownModel) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    dialogs_->ExpectFile(site);
    w.Image1->Click();
    EXPECT_EQ(w.lblInFile->Caption(), site);
    const std::string copy = (dir_ / "copy.inp").string();
    dialogs_->ExpectFile(copy);
    w.Toolbar1->Click(2);
    EXPECT_EQ(dialogs_->Requests().back().filter, kParamSaveFilter);
    EXPECT_EQ(w.lblOutFile->Caption(), (dir_ / "copy.prn").string());
    const std::string expected = Replace(plat::testing::FileBytes(site), "'cegs_site INPUT A'", "'copy INPUT A'");
    EXPECT_EQ(Read("copy.inp"), Replace(expected, "\r\ncegs_site.3D\r\n", "\r\n" + Model().File3D + "\r\n"));
}

TEST_F(MainWindow, GroundFileChoiceReportsAMissingFile) {
    auto& w = Started();
    Model().InFile = (dir_ / "site.inp").string();
    dialogs_->ExpectFile((dir_ / "missing.3D").string());
    boxes_->Expect("File Error: File Not Found", plat::vbOK);
    w.Menu("mnu3DFilename").Trigger();
    EXPECT_EQ(Model().File3D, (dir_ / "site.3D").string());
    EXPECT_EQ(w.lbl3DFile->Caption(), Model().File3D);
    ASSERT_EQ(boxes_->Shown().size(), 1U);
    EXPECT_EQ(boxes_->Shown()[0].title, "File Error");
    EXPECT_EQ(boxes_->Shown()[0].buttons, plat::vbCritical);
    EXPECT_FALSE(w.CommonDialog1.CancelError);
}

TEST_F(MainWindow, LoadOutputFileTakesTheChosenPlotFile) {
    auto& w = Started();
    Model().InFile = "m.inp";
    dialogs_->ExpectFile("run.prn");
    w.Menu("mnuOutFile").Trigger();
    EXPECT_EQ(dialogs_->Requests().at(0).fileName, "*.*");
    EXPECT_EQ(dialogs_->Requests().at(0).filter, kOutputFileFilter);
    EXPECT_EQ(w.lblOutFile->Caption(), "run.prn");
    EXPECT_EQ(Model().RunStatus, 0);
    // The field model written is the model variable, which only a load or a collect sets.
    EXPECT_EQ(Read("Pellic.ini"), "m.inp,run.prn,\r\n, 0\r\n");
}

TEST_F(MainWindow, NewNamesTempFilesInTheModelsFolder) {
    auto& w = Started();
    Model().InFile = "site.inp";
    w.txtArrayFreq->SetText("108.1");
    w.Toolbar1->Click(1);
    EXPECT_EQ(w.txtArrayFreq->Text(), "330.0");
    EXPECT_EQ(w.lblInFile->Caption(), dir_.string() + "/temp.inp");
    EXPECT_EQ(w.lbl3DFile->Caption(), dir_.string() + "/temp.3D");
}

TEST_F(MainWindow, ExitSavesAnEditedModelThenTheSettings) {
    const std::string site = PutSample("cegs_site.inp");
    Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
    auto& w = Started();
    const std::string written = plat::testing::FileBytes(site);
    // Not edited: only the settings file is written.
    w.Menu("mnuFileExit").Trigger();
    EXPECT_TRUE(ended_);
    EXPECT_EQ(Read("Pellic.ini"), site + "," + (dir_ / "cegs_site.prn").string() + "," + Model().File3D +
                                      "\r\n0, 1\r\n,,,,\r\n");
    EXPECT_EQ(plat::testing::FileBytes(site), written);

    // A keystroke marks the model; Exit then saves it (the overwrite question answered Yes).
    ended_ = false;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
    QApplication::sendEvent(w.txtThZ->Editor(), &press);
    EXPECT_TRUE(w.lblChanged->Visible());
    w.txtThZ->SetText("6");
    boxes_->Expect("Parameter File Exists.\rOverwrite? ", plat::vbYes);
    w.Menu("mnuFileExit").Trigger();
    EXPECT_TRUE(ended_);
    EXPECT_NE(plat::testing::FileBytes(site).find("\t\t\t364.570\t88.580\t6.000\t"), std::string::npos);
}

TEST_F(MainWindow, ExitKeepsAnEditedUnnamedModelOpenWhenNoNameIsGiven) {
    auto& w = Started();
    w.lblChanged->SetVisible(true);
    dialogs_->ExpectCancel();
    w.Menu("mnuFileExit").Trigger();
    EXPECT_FALSE(ended_);
    EXPECT_FALSE(Exists("Pellic.ini"));
}

TEST_F(MainWindow, AboutBoxShowsTheVersion) {
    auto& w = Started();
    std::string version;
    QTimer::singleShot(0, [&] {
        version = frmNewAbout().lblVersion->Caption();
        frmNewAbout().cmdOK->SetValue(true);
    });
    w.Menu("frmAbout").Trigger();
    EXPECT_EQ(version, "Version #060410");
    EXPECT_FALSE(frmNewAbout().IsLoaded());
}

TEST_F(MainWindow, OriginHelpShowsOnePictureAndClosingTheMainWindowUnloadsIt) {
    auto& w = Started();
    w.Menu("mnuCoorHelp").Trigger();
    EXPECT_EQ(Model().HelpPicture, 1);
    ASSERT_TRUE(frmOriginHelp().IsLoaded());
    EXPECT_EQ(frmOriginHelp().Caption(), "Help");
    EXPECT_TRUE(frmOriginHelp().imgHelp(1).Visible());
    EXPECT_FALSE(frmOriginHelp().imgHelp(2).Visible());
    plat::Unload(w);
    EXPECT_TRUE(plat::LoadedForms().empty());
    EXPECT_FALSE(Exists("Pellic.ini"));

    // Opened for the 3D ground file, the other picture.
    Model().HelpPicture = 2;
    frmOriginHelp().Show();
    EXPECT_FALSE(frmOriginHelp().imgHelp(1).Visible());
    EXPECT_TRUE(frmOriginHelp().imgHelp(2).Visible());
    EXPECT_FALSE(frmOriginHelp().imgHelp(1).Picture().isNull());
}

namespace {

// A key typed into a box of the window, as the user types it: the window marks the model changed.
void TypeInto(plat::TextBox& box, const std::string& text) {
    for (const char ch : text) {
        QKeyEvent press(QEvent::KeyPress, static_cast<Qt::Key>(ch), Qt::NoModifier, QString(QChar(ch)));
        QApplication::sendEvent(box.Editor(), &press);
    }
}

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";
constexpr char kSaveChanges[] = "Save changes to the model?";

} // namespace

TEST_F(MainWindow, TheCloseBoxDoesWhatExitDoes) {
    const std::string site = PutSample("cegs_site.inp");
    const std::string original = Read("cegs_site.inp");
    struct Case {
        const char* name;
        bool named;
        bool edited;
        bool closes;
    };
    const Case cases[] = {
        {"edited, saved first", true, true, true},
        {"not edited", true, false, true},
        {"edited, unnamed, no name given", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
        fs::remove(dir_ / "Pellic.ini");
        Put("cegs_site.inp", original);
        if (c.named)
            Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
        auto& w = Started();
        if (c.edited) {
            w.txtThZ->SetText("");
            TypeInto(*w.txtThZ, "6");
            w.txtThZ->SetText("6");
            ASSERT_TRUE(w.lblChanged->Visible());
            if (c.named)
                boxes_->Expect(kOverwrite, plat::vbYes);
            else
                dialogs_->ExpectCancel();
        }
        w.Window()->close();
        EXPECT_EQ(ended_, c.closes);
        EXPECT_EQ(w.IsLoaded(), !c.closes);
        EXPECT_EQ(w.Visible(), !c.closes);
        EXPECT_EQ(Exists("Pellic.ini"), c.closes);
        if (c.closes) {
            EXPECT_EQ(Read("Pellic.ini"), site + "," + (dir_ / "cegs_site.prn").string() + "," + Model().File3D +
                                              "\r\n0, 1\r\n,,,,\r\n");
        }
        const bool saved = c.named && c.edited;
        EXPECT_EQ(Read("cegs_site.inp").find("\t\t\t364.570\t88.580\t6.000\t") != std::string::npos, saved);
    }
}

TEST_F(MainWindow, NewAndLoadAskBeforeAnEditedModelIsReplaced) {
    const std::string site = PutSample("cegs_site.inp");
    Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
    const std::string original = Read("cegs_site.inp");
    auto& w = Started();
    const auto edit = [&] {
        w.txtArrayFreq->SetText("");
        TypeInto(*w.txtArrayFreq, "108.1");
        w.txtArrayFreq->SetText("108.1");
    };
    const auto labels = [&] {
        return std::vector<std::string>{w.lblInFile->Caption(), w.lblOutFile->Caption(), w.lbl3DFile->Caption()};
    };
    const std::vector<std::string> siteLabels = labels();

    // Cancel: nothing happens, by any of the commands.
    edit();
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"toolbar New", [&] { w.Toolbar1->Click(1); }},
        {"menu New", [&] { w.Menu("mnuNew").Trigger(); }},
        {"menu Load", [&] { w.Menu("mnuLoad").Trigger(); }},
        {"toolbar Open", [&] { w.Toolbar1->Click(3); }},
        {"Image1", [&] { w.Image1->Click(); }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        boxes_->Expect(kSaveChanges, plat::vbCancel);
        command();
        EXPECT_EQ(w.txtArrayFreq->Text(), "108.1");
        EXPECT_EQ(labels(), siteLabels);
        EXPECT_TRUE(w.lblChanged->Visible());
    }
    EXPECT_TRUE(dialogs_->Requests().empty());
    EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbYesNoCancel + plat::vbQuestion);
    EXPECT_EQ(Read("cegs_site.inp"), original);

    // No: the edits go, the new model is not an edited one.
    boxes_->Expect(kSaveChanges, plat::vbNo);
    w.Toolbar1->Click(1);
    EXPECT_EQ(w.txtArrayFreq->Text(), "330.0");
    EXPECT_EQ(w.lblInFile->Caption(), (dir_ / "temp.inp").string());
    EXPECT_FALSE(w.lblChanged->Visible());
    EXPECT_EQ(Read("cegs_site.inp"), original);

    // Yes: saved as Exit saves (to the new model's temp.inp), then the chosen model is loaded.
    edit();
    boxes_->Expect(kSaveChanges, plat::vbYes);
    dialogs_->ExpectFile(site);
    w.Menu("mnuLoad").Trigger();
    EXPECT_NE(Read("temp.inp").find("\t\t3\t108.100\t"), std::string::npos);
    EXPECT_EQ(w.lblInFile->Caption(), site);
    EXPECT_EQ(w.txtArrayFreq->Text(), "330"); // as the loaded file shows it
    EXPECT_FALSE(w.lblChanged->Visible());

    // Edits saved since the last keystroke are not asked about.
    edit();
    dialogs_->ExpectFile(site);
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Toolbar1->Click(2);
    w.Toolbar1->Click(1);
    EXPECT_EQ(w.txtArrayFreq->Text(), "330.0");
    EXPECT_NE(Read("cegs_site.inp").find("\t\t3\t108.100\t"), std::string::npos);
}

TEST_F(MainWindow, AnUnnamedEditedModelWhoseSaveDoesNotHappenStaysOnScreen) {
    auto& w = Started();
    w.txtArrayFreq->SetText("");
    TypeInto(*w.txtArrayFreq, "108.1");
    w.txtArrayFreq->SetText("108.1");
    // The name dialog cancelled.
    boxes_->Expect(kSaveChanges, plat::vbYes);
    dialogs_->ExpectCancel();
    w.Toolbar1->Click(1);
    // A name in a folder that cannot be written.
    Put("blocker", "a file, not a folder");
    const std::string blocked = (dir_ / "blocker" / "site.inp").string();
    boxes_->Expect(kSaveChanges, plat::vbYes);
    dialogs_->ExpectFile(blocked);
    boxes_->Expect("File Error: " + blocked + " cannot be written.\r\n" + std::generic_category().message(ENOTDIR),
                   plat::vbOK);
    w.Menu("mnuLoad").Trigger();
    EXPECT_EQ(boxes_->Shown().back().title, "File Error");
    EXPECT_EQ(boxes_->Shown().back().buttons, plat::vbCritical);
    EXPECT_EQ(dialogs_->Requests().size(), 2U); // no open dialog: the load did not go on
    EXPECT_EQ(w.txtArrayFreq->Text(), "108.1");
    EXPECT_TRUE(w.lblChanged->Visible());
    EXPECT_EQ(Model().InFile, "");
    EXPECT_EQ(w.lblInFile->Caption(), "none");
}

TEST_F(MainWindow, ASaveThatFailsSaysWhyAndKeepsTheNames) {
    const std::string site = PutSample("cegs_site.inp");
    Put("Pellic.ini", "cegs_site.inp,cegs_site.prn,cegs_site.3D\r\n0, 1\r\n");
    Put("blocker", "a file, not a folder");
    auto& w = Started();
    const ModelVariables before = Model();
    const std::vector<std::string> labels = {w.lblInFile->Caption(), w.lblOutFile->Caption(),
                                             w.lbl3DFile->Caption()};
    const std::pair<const char*, std::function<void()>> saves[] = {
        {"toolbar Save", [&] { w.Toolbar1->Click(2); }},
        {"menu Save", [&] { w.Menu("mnuSave").Trigger(); }},
    };
    for (const auto& [name, save] : saves) {
        SCOPED_TRACE(name);
        const std::string blocked = (dir_ / "blocker" / "site.inp").string();
        dialogs_->ExpectFile(blocked);
        boxes_->Expect("File Error: " + blocked + " cannot be written.\r\n" +
                           std::generic_category().message(ENOTDIR),
                       plat::vbOK);
        save();
        EXPECT_EQ(Model().InFile, before.InFile);
        EXPECT_EQ(Model().OutFile, before.OutFile);
        EXPECT_EQ(Model().File3D, before.File3D);
        EXPECT_EQ((std::vector<std::string>{w.lblInFile->Caption(), w.lblOutFile->Caption(), w.lbl3DFile->Caption()}),
                  labels);
    }
    // The settings file written at exit names the model's own file.
    w.Menu("mnuFileExit").Trigger();
    EXPECT_EQ(Read("Pellic.ini").substr(0, site.size() + 1), site + ",");
}

// The shipped site, saved under a name of its own beside its ground file, loaded from the toolbar
// and run in 3D mode: the run uses the ground file the model names, not a blank one made under the
// model's name, so the approach along the 3 degree path keeps its difference in depth of modulation
// near zero (a blank ground moves the path down to about 2.2 degrees, some 80 uA off).
TEST_F(MainWindow, TheShippedSiteRunsIn3DModeOnTheGroundFileItNames) {
    fs::copy_file(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", dir_ / "cegs_site.3D");
    const std::string site =
        Put("my_site.inp", plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp"));
    auto& w = Started();
    dialogs_->ExpectFile(site);
    w.Toolbar1->Click(3);
    EXPECT_EQ(fs::path(Model().File3D).filename(), "cegs_site.3D");
    EXPECT_EQ(w.lbl3DFile->Caption(), Model().File3D);
    EXPECT_EQ(w.txtThPathAngle->Text(), "3");
    w.Toolbar1->Click(5);
    ASSERT_TRUE(w.Menu("mnuUse3D").Checked());
    plat::DoEvents(0);

    boxes_->Expect(kOverwrite, plat::vbYes);
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(w.txtThZ->Editor(), &f5);

    EXPECT_FALSE(Exists("my_site.3D"));
    const std::string written = Read("my_site.inp");
    EXPECT_NE(written.find("'SECTION'\t1 0 0\r\n\t\t1\t"), std::string::npos) << written;
    EXPECT_NE(written.find("\t3.000\t0.670\t"), std::string::npos) << written;
    EXPECT_EQ(written.substr(written.size() - 14), "cegs_site.3D\r\n");
    std::istringstream plot(Read("my_site.prn"));
    double distance = 0;
    double ddm = 1e9;
    ASSERT_TRUE(plot >> distance >> ddm);
    EXPECT_NEAR(distance, 31380.0, 1.0);
    EXPECT_LT(std::fabs(ddm), 10.0);
}
