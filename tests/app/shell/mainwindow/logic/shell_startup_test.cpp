#include "FakeShellHost.h"

using namespace shell;

namespace fs = std::filesystem;

using ShellStartUp = InScratchFolder;

TEST_F(ShellStartUp, WithoutSettingsFileStartsUnnamedWithGtd) {
    ModelVariables m;
    m.InFile = "old.inp";
    m.OutFile = "old.prn";
    m.File3D = "kept.3D";
    m.RunStatus = 0;
    FakeShellHost host(m);
    ShellState state;
    StartUp(host, m, state);

    EXPECT_EQ(host.caption, "Vantrell Orvane - v060410");
    EXPECT_EQ(m.InFile, "");
    EXPECT_EQ(m.OutFile, "");
    EXPECT_EQ(m.File3D, "kept.3D");
    EXPECT_EQ(host.menus, (FieldModelChecks{false, true, false}));
    EXPECT_EQ(host.modelButton, 11);
    EXPECT_EQ(host.ground3DControls, false);
    EXPECT_FALSE(host.useSI);
    EXPECT_EQ(host.fltNumPoints, "200");
    EXPECT_EQ(m.NumAnts, 3);
    EXPECT_EQ(m.RunStatus, 100);
    EXPECT_EQ(m.Facility, 2);
    EXPECT_EQ(m.PlotSettings.RunwayLength, 10000.0F);
    EXPECT_EQ(m.ILSData.CatIFactor, 1000.0F);
    EXPECT_TRUE(state.SettingsRead);
    EXPECT_FALSE(host.Logged("ShowParameters"));
    // The lists are selected before the defaults and the grid, as the window's load orders them.
    EXPECT_LT(host.Position("cmbPresets 3"), host.Position("PresetDefaults"));
    EXPECT_LT(host.Position("PresetDefaults"), host.Position("InitGroundGrid 30"));
    EXPECT_EQ(fs::current_path(), dir_);
}

TEST_F(ShellStartUp, RememberedModelIsLoadedShownAndItsFolderBecomesCurrent) {
    Put("Pellic.ini", "runs/site.inp,runs/site.prn,runs/site.3D\r\n, 2\r\nr1,r2,r3,r4,r5\r\n");
    Put("runs/site.inp", "model");
    ModelVariables m;
    FakeShellHost host(m);
    host.onLoad = [&](ModelVariables& model, const std::string&) {
        model.FieldModel = 2;
        model.NumAnts = 2;
        host.useSI = true; // the file's title line carries the metres flag
    };
    ShellState state;
    StartUp(host, m, state);

    const std::string folder = (dir_ / "runs").string();
    EXPECT_EQ(fs::current_path(), dir_ / "runs");
    // Names read relative to the start-up folder still name the same files after the change.
    EXPECT_EQ(m.InFile, folder + "/site.inp");
    EXPECT_EQ(m.OutFile, folder + "/site.prn");
    EXPECT_EQ(m.File3D, folder + "/site.3D");
    EXPECT_EQ(m.SavedInFile, m.InFile);
    EXPECT_TRUE(host.Logged("LoadParamFile " + folder + "/site.inp"));
    EXPECT_EQ(host.labels[FileLabel::InFile], m.InFile);
    EXPECT_EQ(host.labels[FileLabel::OutFile], m.OutFile);
    EXPECT_EQ(host.labels[FileLabel::File3D], m.File3D);
    EXPECT_EQ(state.RecentFiles, (RecentFileList{"r1", "r2", "r3", "r4", "r5"}));
    // What the load set survives the rest of start-up.
    EXPECT_LT(host.Position("txtFltNumPoints 200"), host.Position("LoadParamFile " + folder + "/site.inp"));
    EXPECT_LT(host.Position("mnuUseSI unchecked"), host.Position("LoadParamFile " + folder + "/site.inp"));
    EXPECT_TRUE(host.useSI);
    EXPECT_EQ(m.NumAnts, 2);
    EXPECT_EQ(host.modelButton, 12);
}

struct SettingsCase {
    const char* text;
    bool modelExists;
    bool use3DBefore;
    bool use3DAfter;
    std::uint8_t modelAfter; // FieldModel 1 before start-up
    const char* inFileAfter;
    const char* file3DAfter;
};

TEST_F(ShellStartUp, SettingsLinesDecideModeModelAndNames) {
    const SettingsCase cases[] = {
        // One line: ground mode and field model stay as they were; the model still loads.
        {"a.inp,a.prn,a.3D\r\n", true, true, true, 1, "a.inp", "a.3D"},
        {"a.inp,a.prn,a.3D\r\n", true, false, false, 1, "a.inp", "a.3D"},
        {"a.inp,a.prn,a.3D\r\n1, 2\r\n", true, false, true, 2, "a.inp", "a.3D"},
        {"a.inp,a.prn,a.3D\r\n, 0\r\n", true, true, false, 0, "a.inp", "a.3D"},
        // A remembered parameter file that is gone empties the two names, keeps the ground file.
        {"gone.inp,gone.prn,gone.3D\r\n1, 2\r\n", false, false, true, 2, "", "gone.3D"},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.text);
        Put("Pellic.ini", c.text);
        fs::remove(dir_ / "a.inp");
        if (c.modelExists)
            Put("a.inp", "model");
        ModelVariables m;
        m.FieldModel = 1;
        m.NumGroundPts = 7;
        FakeShellHost host(m);
        host.use3D = c.use3DBefore;
        ShellState state;
        StartUp(host, m, state);
        EXPECT_EQ(host.use3D, c.use3DAfter);
        EXPECT_EQ(host.ground3DControls, c.use3DAfter);
        EXPECT_EQ(m.NumGroundPts, c.use3DAfter ? 0 : 7);
        EXPECT_EQ(m.FieldModel, c.modelAfter);
        EXPECT_EQ(fs::path(m.InFile).filename().string(), c.inFileAfter);
        EXPECT_EQ(fs::path(m.File3D).filename().string(), c.file3DAfter);
        EXPECT_EQ(host.Logged("LoadParamFile " + (dir_ / "a.inp").string()), c.modelExists);
        EXPECT_EQ(state.RecentFiles, RecentFileList{});
    }
}

TEST_F(ShellStartUp, SettingsFileIsReadOncePerProcess) {
    Put("Pellic.ini", "first.inp,first.prn,first.3D\r\n");
    ModelVariables m;
    FakeShellHost host(m);
    ShellState state;
    StartUp(host, m, state);
    EXPECT_EQ(m.File3D, "first.3D");
    Put("Pellic.ini", "second.inp,second.prn,second.3D\r\n");
    StartUp(host, m, state);
    EXPECT_EQ(m.File3D, "first.3D");
}

TEST(ShellFieldModel, MenusAndButtonsStayConsistent) {
    ModelVariables m;
    FakeShellHost host(m);
    for (std::uint8_t model : {0, 1, 2}) {
        SelectFieldModel(host, model);
        EXPECT_EQ(host.menus, (FieldModelChecks{model == 0, model == 1, model == 2}));
        EXPECT_EQ(host.modelButton, 10 + model);
    }
    // From the menus, first match wins: ray optics, then physical optics, then GTD.
    const std::pair<FieldModelChecks, int> fromMenus[] = {
        {{true, true, true}, 10}, {{false, true, true}, 12}, {{false, true, false}, 11}};
    for (const auto& [checks, button] : fromMenus) {
        host.menus = checks;
        FieldModelButtonsFromMenus(host);
        EXPECT_EQ(host.modelButton, button);
    }
}

TEST(ShellGroundMode, ToggleSwitchesBothWaysAndKeepsTheCountOnLeaving) {
    ModelVariables m;
    m.NumGroundPts = 5;
    FakeShellHost host(m);
    ToggleGroundMode(host, m);
    EXPECT_TRUE(host.use3D);
    EXPECT_EQ(host.ground3DControls, true);
    EXPECT_EQ(m.NumGroundPts, 0);
    m.NumGroundPts = 4;
    ToggleGroundMode(host, m);
    EXPECT_FALSE(host.use3D);
    EXPECT_EQ(host.ground3DControls, false);
    EXPECT_EQ(m.NumGroundPts, 4);
}

TEST(ShellActivate, OnlyTheStartUpStatusIsReset) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {{100, 0}, {2, 0}, {1, 1}, {0, 0}};
    for (const auto& [before, after] : cases) {
        ModelVariables m;
        m.RunStatus = before;
        Activate(m);
        EXPECT_EQ(m.RunStatus, after);
    }
}

TEST_F(ShellStartUp, RememberedModelThatCannotBeReadLeavesTheModelUnnamed) {
    Put("Pellic.ini", "site.inp,site.prn,site.3D\r\n");
    Put("site.inp", "not a parameter file");
    ModelVariables m;
    FakeShellHost host(m);
    host.loadSucceeds = false;
    ShellState state;
    StartUp(host, m, state);
    EXPECT_EQ(m.InFile, "");
    EXPECT_EQ(m.OutFile, "");
    EXPECT_FALSE(host.Logged("ShowParameters"));
    EXPECT_EQ(fs::current_path(), dir_);
}
