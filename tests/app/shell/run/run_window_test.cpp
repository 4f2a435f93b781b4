// Runs from the main window with the real engine: the files a run leaves, the names it runs under,
// the engine's errors, the output-antenna check and the commands refused while a run is active.
#include "RunWindowFixture.h"

#include "shell/model/ParamFile.h"

#include <cmath>
#include <sstream>

using namespace shell;

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";

// The six feed numbers (SBO, CSB, CLR magnitude and phase) of the file's first antenna.
std::vector<double> FirstAntennaFeeds(const std::string& file) {
    const std::size_t card = file.find("'SECTION'\t3");
    std::istringstream lines(file.substr(card));
    std::string line;
    for (int i = 0; i < 4; ++i)
        std::getline(lines, line);
    std::istringstream numbers(line);
    std::vector<double> feeds;
    for (double v = 0; numbers >> v;)
        feeds.push_back(v);
    return feeds;
}

// The file with its adjustments card emptied (the feeds lines kept).
std::string WithoutAdjustments(const std::string& file) {
    const std::size_t card = file.find("'SECTION'\t6 0 0\r\n");
    const std::size_t end = file.find("'...'", card);
    return file.substr(0, card) +
           "'SECTION'\t6 0 0\r\n\t\t0.0   0.0   0.0   0.0   0.0   0.0\r\n\t\t0.0   0.0   0.0\r\n" +
           file.substr(end);
}

TEST_F(RunWindow, F5OnTheSampleLeavesThePlotFileAndTheReportsBesideTheModel) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    ASSERT_EQ(Model().InFile, site);
    const std::string plot = (dir_ / "cegs_site.prn").string();
    EXPECT_TRUE(w.Menu("mnuRunSim").Enabled());
    EXPECT_TRUE(w.Menu("mnuPlot").Enabled());
    EXPECT_TRUE(w.Menu("mnuPlotParms").Enabled());
    w.lblChanged->SetVisible(true);
    boxes_->Expect(kOverwrite, plat::vbYes);
    PressF5(w);

    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(engine_->starts[0].in, site);
    EXPECT_EQ(engine_->starts[0].plot, plot);
    EXPECT_EQ(engine_->starts[0].ground, Model().File3D);
    EXPECT_GT(engine_->polls, 0);
    EXPECT_EQ(engine_->pollsWithWaitWindow, engine_->polls);
    EXPECT_FALSE(WaitWindowLoaded());
    EXPECT_GT(fs::file_size(dir_ / "cegs_site.prn"), 0u);
    EXPECT_GT(fs::file_size(dir_ / "FORT7"), 0u);
    EXPECT_GT(fs::file_size(dir_ / "FORT10"), 0u);
    EXPECT_EQ(Model().OutFile, plot);
    EXPECT_EQ(w.lblOutFile->Caption(), plot);
    EXPECT_FALSE(w.lblChanged->Visible());
    EXPECT_EQ(Model().RunStatus, 1);
    EXPECT_EQ(MainRunState().RunCancelled, 0);
    // The commands are back once the run is over.
    for (const char* name : {"mnuRunSim", "mnuRunAndPlot", "mnuGenAll", "mnuSave", "mnuLoad"})
        EXPECT_TRUE(w.Menu(name).Enabled()) << name;
    for (int b : {2, 3, 6, 7})
        EXPECT_TRUE(w.Toolbar1->Buttons(b).Enabled()) << b;
}

TEST_F(RunWindow, F5RunsAGroundEditStillOpenInTheGrid) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    plat::FlexGrid& g = *w.grdGround;
    ASSERT_EQ(g.TextMatrix(3, 2), "1500.000");
    g.SetRow(3);
    g.SetCol(3);
    g.SetFocus();
    for (char ch : std::string("250")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(ch)));
        QApplication::sendEvent(QApplication::focusWidget(), &key);
    }
    ASSERT_TRUE(w.txtData->Visible());
    boxes_->Expect(kOverwrite, plat::vbYes);
    PressF5(w);

    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(g.TextMatrix(3, 3), "250.000");
    // The file's distances are shifted by the sample's 1000 ft reference setback.
    const std::string text = plat::testing::FileBytes(site);
    EXPECT_NE(text.find("2500.000       250.000\r\n"), std::string::npos) << text;
}

TEST_F(RunWindow, NamedModelsRunUnderTheirOwnName) {
    struct Case {
        const char* file;
        const char* plot;
    };
    const Case cases[] = {{"site.txt", "site.prn"}, {"plain", "plain.prn"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        PutSample(c.file);
        auto& w = Started();
        boxes_->Expect(kOverwrite, plat::vbYes);
        w.Menu("mnuRunSim").Trigger();
        ASSERT_FALSE(engine_->starts.empty());
        EXPECT_EQ(engine_->starts.back().in, (dir_ / c.file).string());
        EXPECT_EQ(engine_->starts.back().plot, (dir_ / c.plot).string());
        EXPECT_GT(fs::file_size(dir_ / c.plot), 0u);
        plat::DeleteWindowInstances();
        Model() = ModelVariables{};
        MainShellState() = ShellState{};
    }
}

TEST_F(RunWindow, UnnamedModelRunsAsTemp) {
    auto& w = Started();
    ASSERT_EQ(Model().InFile, "");
    w.Menu("mnuRunSim").Trigger();
    ASSERT_EQ(engine_->starts.size(), 1u);
    EXPECT_EQ(engine_->starts[0].in, "temp.inp");
    EXPECT_EQ(engine_->starts[0].plot, "temp.prn");
    EXPECT_TRUE(Exists("temp.inp"));
    EXPECT_GT(fs::file_size(dir_ / "temp.prn"), 0u);
    EXPECT_EQ(w.lblOutFile->Caption(), "temp.prn");
    // A second run rewrites temp.inp without asking.
    w.Toolbar1->Click(6);
    EXPECT_EQ(engine_->starts.size(), 2u);
}

TEST_F(RunWindow, FailedRunShowsTheCodeAndTheProgramKeepsWorking) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    // A folder where the ground file should be: the engine cannot open it.
    fs::create_directory(dir_ / "ground.3D");
    Model().File3D = (dir_ / "ground.3D").string();
    boxes_->Expect(kOverwrite, plat::vbYes);
    boxes_->Expect("Kelvd.dll Error #4\rThe 3D ground file cannot be opened.", plat::vbOK);
    w.Menu("mnuRunSim").Trigger();
    ASSERT_EQ(boxes_->Shown().size(), 2u);
    EXPECT_EQ(boxes_->Shown()[1].buttons, plat::vbOKOnly | plat::vbExclamation);
    EXPECT_FALSE(WaitWindowLoaded());
    EXPECT_TRUE(w.Menu("mnuRunSim").Enabled());

    Model().File3D = "cegs_site.3D";
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunSim").Trigger();
    EXPECT_EQ(engine_->starts.size(), 2u);
    EXPECT_EQ(boxes_->Shown().size(), 3u);
    EXPECT_GT(fs::file_size(dir_ / "cegs_site.prn"), 0u);
}

TEST_F(RunWindow, CancelledSaveRunsNothing) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    const std::string before = Read("cegs_site.inp");
    boxes_->Expect(kOverwrite, plat::vbCancel);
    w.Menu("mnuRunAndPlot").Trigger();
    EXPECT_TRUE(engine_->starts.empty());
    EXPECT_EQ(MainRunState().RunCancelled, 1);
    EXPECT_EQ(Read("cegs_site.inp"), before);
}

TEST_F(RunWindow, OutputForAMissingAntennaIsRefused) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    struct Case {
        int y;
        int option;
    };
    const Case refused[] = {{5, 0}, {6, 0}, {7, 0}, {8, 0}, {7, 1}, {8, 1}};
    const std::vector<std::function<void()>> commands = {
        [&] { w.Menu("mnuRunSim").Trigger(); }, [&] { w.Menu("mnuRunAndPlot").Trigger(); },
        [&] { w.Toolbar1->Click(6); }, [&] { w.Toolbar1->Click(7); }};
    for (const Case& c : refused) {
        Model().YAxisVar = static_cast<std::uint8_t>(c.y);
        w.optNumAnts(c.option).SetValue(true);
        for (const auto& command : commands) {
            boxes_->Expect("Cannot Generate Output for an antenna that does not exist.\rPlease Change Output "
                           "Parameters.",
                           plat::vbOK);
            command();
        }
    }
    EXPECT_TRUE(engine_->starts.empty());
    for (const plat::MessageBoxRequest& r : boxes_->Shown())
        EXPECT_EQ(r.buttons, plat::vbOKOnly | plat::vbExclamation);
}

TEST_F(RunWindow, RunAndPlotSetsThePlotFlightTypeToTheFlightsCode) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    w.cmbFlight->SetListIndex(4); // the orbit
    Model().YAxisVar = 1;
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunAndPlot").Trigger();
    EXPECT_EQ(Model().PlotFlightType, 7);
    EXPECT_EQ(engine_->starts.size(), 1u);
}

TEST_F(RunWindow, CommandsAreRefusedWhileARunIsActive) {
    PutSample("cegs_site.inp");
    auto& w = Started();
    boxes_->Expect(kOverwrite, plat::vbYes);
    // From inside the poll loop: every guarded command is disabled and pressing them does nothing.
    std::vector<std::string> stillEnabled;
    bool looked = false;
    QTimer timer;
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (looked || !MainRunState().Active)
            return;
        looked = true;
        for (const char* name : {"mnuRunSim", "mnuRunAndPlot", "mnuGenAll", "mnuSave", "mnuLoad"}) {
            if (w.Menu(name).Enabled())
                stillEnabled.push_back(name);
        }
        for (int b : {2, 3, 6, 7}) {
            if (w.Toolbar1->Buttons(b).Enabled())
                stillEnabled.push_back("button " + std::to_string(b));
        }
        if (w.Image1->Enabled())
            stillEnabled.push_back("Image1");
        PressF5(w);
        w.Menu("mnuRunSim").Trigger();
    });
    timer.start();
    w.Menu("mnuRunSim").Trigger();
    timer.stop();
    EXPECT_TRUE(looked);
    EXPECT_TRUE(stillEnabled.empty()) << stillEnabled.front();
    EXPECT_EQ(engine_->starts.size(), 1u);
}

TEST_F(RunWindow, FeedAdjustmentsTakeEffectOnceThroughARun) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    // Column 0 (the file's first antenna): SBO 0.5 at 180, CSB 1.0 at 0, CLR 0.484 at 0.
    w.txtAntAtten(0).SetText("6");
    w.txtAntAtten(0).LostFocus();
    int enter = plat::key::Return;
    w.txtSBOPowerAdj->SetText("3");
    w.txtSBOPowerAdj->KeyDown(enter, 0);
    enter = plat::key::Return;
    w.txtCSBSBOPhase->SetText("10");
    w.txtCSBSBOPhase->KeyDown(enter, 0);
    const double atten = std::pow(10.0, -6.0 / 40);
    const double sboPower = std::pow(10.0, -1.5 / 20);
    boxes_->Expect(kOverwrite, plat::vbYes);
    PressF5(w);
    ASSERT_EQ(engine_->starts.size(), 1u);

    const std::string written = plat::testing::FileBytes(site);
    const std::vector<double> feeds = FirstAntennaFeeds(written);
    ASSERT_EQ(feeds.size(), 6u);
    const double expected[] = {0.5 * atten * sboPower, 190.0, 1.0 * atten, 0.0, 0.484 * atten, 0.0};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(feeds[i], expected[i], 1.5e-3) << i;
    // The file holds what the boxes show.
    EXPECT_NEAR(feeds[0], std::stod(w.txtAntSBOMag(0).Text()), 1e-3);
    EXPECT_NEAR(feeds[2], std::stod(w.txtAntCSBMag(0).Text()), 1e-3);
    const std::string plotAdjusted = plat::testing::FileBytes(dir_ / "cegs_site.prn");

    // The same feeds typed with no adjustments in force give the same run.
    const std::string plain = Put("plain.inp", WithoutAdjustments(written));
    dialogs_->ExpectFile(plain);
    w.Menu("mnuLoad").Trigger();
    ASSERT_EQ(Model().InFile, plain);
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunSim").Trigger();
    ASSERT_EQ(engine_->starts.size(), 2u);
    EXPECT_EQ(plat::testing::FileBytes(dir_ / "plain.prn"), plotAdjusted);

    // Loading the adjusted model again and running it changes nothing either.
    dialogs_->ExpectFile(site);
    w.Menu("mnuLoad").Trigger();
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunSim").Trigger();
    EXPECT_EQ(plat::testing::FileBytes(site), written);
    EXPECT_EQ(plat::testing::FileBytes(dir_ / "cegs_site.prn"), plotAdjusted);

    // And the adjustments did change the run.
    const std::string original = Put("original.inp", plat::testing::FileBytes(fs::path(PELLON_EXAMPLES_DIR) / "cegs_site.inp"));
    dialogs_->ExpectFile(original);
    w.Menu("mnuLoad").Trigger();
    boxes_->Expect(kOverwrite, plat::vbYes);
    w.Menu("mnuRunSim").Trigger();
    EXPECT_NE(plat::testing::FileBytes(dir_ / "original.prn"), plotAdjusted);
}

} // namespace
