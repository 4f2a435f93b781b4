// Runs from the main window with the real engine: the files a run leaves, the names it runs under,
// the engine's errors, the output-antenna check and the commands refused while a run is active.
#include "RunWindowFixture.h"

#include "shell/model/ParamFile.h"

namespace {

constexpr char kOverwrite[] = "Parameter File Exists.\rOverwrite? ";

TEST_F(RunWindow, F5OnTheSampleLeavesThePlotFileAndTheReportsBesideTheModel) {
    const std::string site = PutSample("cegs_site.inp");
    auto& w = Started();
    ASSERT_EQ(Model().InFile, site);
    const std::string plot = (dir_ / "cegs_site.prn").string();
    EXPECT_TRUE(w.Menu("mnuRunSim").Enabled());
    EXPECT_FALSE(w.Menu("mnuPlot").Enabled());
    EXPECT_FALSE(w.Menu("mnuPlotParms").Enabled());
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
        DeleteWindowInstances();
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
    boxes_->Expect("Kelvd.dll Error #4\r", plat::vbOK);
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
    const std::vector<std::function<void()>> commands = {[&] { w.Menu("mnuRunSim").Trigger(); },
                                                         [&] { w.Menu("mnuRunAndPlot").Trigger(); },
                                                         [&] { w.Toolbar1->Click(6); },
                                                         [&] { w.Toolbar1->Click(7); }};
    for (const Case& c : refused) {
        Model().YAxisVar = static_cast<std::uint8_t>(c.y);
        w.optNumAnts(c.option).SetValue(true);
        for (const auto& command : commands) {
            boxes_->Expect(
                "Cannot Generate Output for an antenna that does not exist.\rPlease Change Output Parameters.",
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

} // namespace
