#include "FakeShellHost.h"

using namespace shell;

namespace fs = std::filesystem;

using ShellFileCommands = InScratchFolder;

namespace {

ModelVariables Named(const std::string& folder) {
    ModelVariables m;
    m.InFile = folder + "/old.inp";
    m.OutFile = folder + "/old.prn";
    m.File3D = folder + "/old.3D";
    m.SavedInFile = m.InFile;
    m.RunStatus = 0;
    return m;
}

} // namespace

TEST_F(ShellFileCommands, CancelledDialogChangesNothing) {
    const std::pair<const char*, std::function<void(ShellHost&, ModelVariables&)>> commands[] = {
        {"Load", LoadModel},
        {"Image1", LoadFromImage},
        {"Save as", SaveModelAs},
        {"Change 3D Filename", ChooseGroundFile3D},
        {"Load Output File", LoadOutputFile},
    };
    Put("old.inp", "model");
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        ModelVariables m = Named(dir_.string());
        const ModelVariables before = m;
        FakeShellHost host(m);
        host.dialogAnswers = {std::nullopt};
        command(host, m);
        EXPECT_EQ(m, before);
        EXPECT_TRUE(host.dialogAnswers.empty());
        EXPECT_TRUE(host.labels.empty());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_FALSE(host.Logged("LoadParamFile " + m.InFile));
        EXPECT_FALSE(host.Logged("CollectParameters"));
        EXPECT_FALSE(Exists("Pellic.ini"));
    }
}

TEST_F(ShellFileCommands, LoadDerivesThePlotFileAndKeepsTheGroundFileTheReaderChose) {
    const std::string site = Put("runs/site.inp", "model");
    const std::string base = (dir_ / "runs/site").string();
    struct Case {
        const char* groundLine; // what the file's own ground-file line gave
        std::string file3D;
    };
    const Case cases[] = {
        {"/ground/named.3D", "/ground/named.3D"},
        {"", base + ".3D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groundLine);
        ModelVariables m;
        m.RunStatus = 100;
        FakeShellHost host(m);
        host.use3D = true;
        host.onLoad = [&](ModelVariables& model, const std::string&) {
            model.File3D = c.groundLine;
            model.FieldModel = 2;
        };
        host.dialogAnswers = {site};
        LoadModel(host, m);
        EXPECT_EQ(host.dialogFilters.at(0), kParamOpenFilter);
        EXPECT_EQ(m.RunStatus, 0);
        EXPECT_EQ(m.InFile, site);
        EXPECT_EQ(m.SavedInFile, site);
        EXPECT_EQ(m.OutFile, base + ".prn");
        EXPECT_EQ(m.File3D, c.file3D);
        EXPECT_TRUE(host.Logged("LoadParamFile " + site));
        EXPECT_LT(host.Position("LoadParamFile " + site), host.Position("ShowParameters"));
        EXPECT_EQ(host.labels[FileLabel::InFile], site);
        EXPECT_EQ(host.labels[FileLabel::OutFile], m.OutFile);
        EXPECT_EQ(host.labels[FileLabel::File3D], m.File3D);
        EXPECT_EQ(Read("Pellic.ini"), site + "," + base + ".prn," + c.file3D + "\r\n1, 2\r\n");
    }
}

TEST_F(ShellFileCommands, LoadOfANameThatIsNoFileOnlyTakesTheName) {
    ModelVariables m = Named(dir_.string());
    FakeShellHost host(m);
    host.dialogAnswers = {(dir_ / "missing.inp").string()};
    LoadModel(host, m);
    EXPECT_EQ(m.InFile, (dir_ / "missing.inp").string());
    EXPECT_EQ(m.OutFile, dir_.string() + "/old.prn");
    EXPECT_FALSE(host.Logged("ShowParameters"));
    EXPECT_FALSE(Exists("Pellic.ini"));
}

TEST_F(ShellFileCommands, Image1LoadsWithoutDerivingNames) {
    const std::string site = Put("site.inp", "model");
    for (const bool withPlotFile : {true, false}) {
        SCOPED_TRACE(withPlotFile);
        fs::remove(dir_ / "Pellic.ini");
        ModelVariables m = Named(dir_.string());
        if (!withPlotFile)
            m.OutFile.clear();
        const std::string outFile = m.OutFile;
        FakeShellHost host(m);
        host.dialogAnswers = {site};
        LoadFromImage(host, m);
        EXPECT_EQ(m.InFile, site);
        EXPECT_EQ(m.OutFile, outFile);
        EXPECT_EQ(m.File3D, dir_.string() + "/old.3D");
        EXPECT_EQ(m.SavedInFile, dir_.string() + "/old.inp");
        EXPECT_TRUE(host.Logged("ShowParameters"));
        EXPECT_EQ(Exists("Pellic.ini"), withPlotFile);
        EXPECT_EQ(host.labels.count(FileLabel::OutFile), withPlotFile ? 1U : 0U);
    }
}

TEST_F(ShellFileCommands, SaveAsCollectsWritesAndDerivesThePlotFile) {
    ModelVariables m = Named(dir_.string());
    FakeShellHost host(m);
    const std::string chosen = (dir_ / "new.site.inp").string();
    host.dialogAnswers = {chosen};
    SaveModelAs(host, m);
    EXPECT_EQ(host.dialogFilters.at(0), kParamSaveFilter);
    EXPECT_EQ(host.dialogNames.at(0), dir_.string() + "/old.inp");
    EXPECT_EQ(m.InFile, chosen);
    EXPECT_LT(host.Position("CollectParameters"), host.Position("WriteParamFile " + chosen));
    EXPECT_EQ(m.OutFile, (dir_ / "new.site.prn").string());
    EXPECT_EQ(host.labels[FileLabel::InFile], chosen);
    EXPECT_EQ(host.labels[FileLabel::OutFile], m.OutFile);
}

TEST_F(ShellFileCommands, GroundFileChoiceChecksTheFile) {
    const std::string ground = Put("hills.3D", "1 1\n0 0 0\n");
    struct Case {
        std::string answer;
        std::string file3D;
        const char* message;
    };
    const std::string derived = dir_.string() + "/old.3D";
    const Case cases[] = {
        {ground, ground, nullptr},
        {(dir_ / "none.3D").string(), derived, "File Error|File Error: File Not Found|critical"},
        {"", derived, "File Error|File Error: Bad File Name|critical"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ModelVariables m = Named(dir_.string());
        m.File3D = "/elsewhere/previous.3D";
        FakeShellHost host(m);
        host.dialogAnswers = {c.answer};
        ChooseGroundFile3D(host, m);
        EXPECT_EQ(host.dialogFilters.at(0), kGroundFileFilter);
        EXPECT_EQ(m.File3D, c.file3D);
        EXPECT_EQ(host.labels[FileLabel::File3D], c.file3D);
        if (c.message) {
            EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
        } else {
            EXPECT_TRUE(host.messages.empty());
        }
    }
}

TEST_F(ShellFileCommands, LoadOutputFileOffersWildcardOnlyAsStartingName) {
    struct Case {
        const char* inFile;
        const char* outFile;
        std::optional<std::string> answer;
        const char* offered;
        const char* outAfter;
        bool settingsWritten;
    };
    const Case cases[] = {
        {"m.inp", "", std::string("run.prn"), "*.*", "run.prn", true},
        {"m.inp", "  old.prn ", std::string("run.prn"), "old.prn", "run.prn", true},
        {"", "old.prn", std::string("run.prn"), "old.prn", "run.prn", false},
        {"m.inp", "", std::string("*.*"), "*.*", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offered);
        fs::remove(dir_ / "Pellic.ini");
        ModelVariables m;
        m.InFile = c.inFile;
        m.OutFile = c.outFile;
        m.RunStatus = 100;
        FakeShellHost host(m);
        host.dialogAnswers = {c.answer};
        LoadOutputFile(host, m);
        EXPECT_EQ(host.dialogFilters.at(0), kOutputFileFilter);
        EXPECT_EQ(host.dialogNames.at(0), c.offered);
        EXPECT_EQ(m.OutFile, std::string(c.outAfter).empty() ? std::string(c.outFile) : c.outAfter);
        EXPECT_EQ(Exists("Pellic.ini"), c.settingsWritten);
        if (c.settingsWritten) {
            EXPECT_EQ(Read("Pellic.ini"), "m.inp,run.prn,\r\n, 0\r\n");
        }
    }
}

TEST_F(ShellFileCommands, NewResetsThePanelsAndNamesTempFilesInTheModelsFolder) {
    struct Case {
        std::string inFile;
        std::string folder; // empty: the names stay
    };
    const Case cases[] = {
        {"/data/runs/site.inp", "/data/runs/"},
        {"site.inp", dir_.string() + "/"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inFile);
        ModelVariables m;
        m.InFile = c.inFile;
        m.OutFile = "keep.prn";
        m.File3D = "keep.3D";
        m.PlotSettings.PlotXUnit = 2;
        FakeShellHost host(m);
        NewModel(host, m);
        const std::vector<std::string> expected = {"PresetDefaults", "InitGroundGrid 30", "cmbAntOrient 0",
                                                   "cmbFlight 0",    "cmbPresets 3",      "txtFltNumPoints 200"};
        EXPECT_EQ(host.log, expected);
        EXPECT_EQ(m.PlotSettings.PlotXUnit, 0);
        if (c.folder.empty()) {
            EXPECT_EQ(m.OutFile, "keep.prn");
            EXPECT_TRUE(host.labels.empty());
        } else {
            EXPECT_EQ(m.InFile, c.folder + "temp.inp");
            EXPECT_EQ(m.OutFile, c.folder + "temp.prn");
            EXPECT_EQ(m.File3D, c.folder + "temp.3D");
            EXPECT_EQ(host.labels[FileLabel::File3D], m.File3D);
        }
    }
}

TEST_F(ShellFileCommands, ExitSavesAnEditedModelBeforeTheSettings) {
    struct Case {
        const char* name;
        bool changed;
        std::string inFile;
        std::deque<std::optional<std::string>> dialog;
        bool writeSucceeds;
        bool ends;
        const char* writtenTo; // nullptr: no parameter file written
    };
    const std::string named = dir_.string() + "/site.inp";
    const Case cases[] = {
        {"edited, named", true, named, {}, true, true, "site.inp"},
        {"not edited", false, named, {}, true, true, nullptr},
        {"edited, unnamed, name given", true, "", {std::string(dir_.string() + "/given.inp")}, true, true,
         "given.inp"},
        {"edited, unnamed, dialog cancelled", true, "", {std::nullopt}, true, false, nullptr},
        {"edited, not written", true, named, {}, false, false, "site.inp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir_ / "Pellic.ini");
        ModelVariables m;
        m.InFile = c.inFile;
        m.FieldModel = 1;
        FakeShellHost host(m);
        host.changed = c.changed;
        host.writeSucceeds = c.writeSucceeds;
        host.dialogAnswers = c.dialog;
        ShellState state;
        state.RecentFiles = {"a", "", "", "", "e"};
        EXPECT_EQ(ExitProgram(host, m, state), c.ends);
        EXPECT_TRUE(host.dialogAnswers.empty());
        if (c.writtenTo) {
            EXPECT_LT(host.Position("CollectParameters"),
                      host.Position("WriteParamFile " + (dir_ / c.writtenTo).string()));
        } else {
            EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(),
                                    [](const std::string& e) { return e.rfind("WriteParamFile", 0) == 0; }),
                      0);
        }
        EXPECT_EQ(Exists("Pellic.ini"), c.ends);
        if (c.ends) {
            EXPECT_EQ(Read("Pellic.ini"), m.InFile + ",,\r\n0, 1\r\na,,,,e\r\n");
        }
    }
}

TEST_F(ShellFileCommands, AFileThatCannotBeReadStopsTheCommand) {
    const std::string site = Put("site.inp", "not a parameter file");
    const std::pair<const char*, std::function<void(ShellHost&, ModelVariables&)>> commands[] = {
        {"Load", LoadModel},
        {"Image1", LoadFromImage},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        ModelVariables m = Named(dir_.string());
        const ModelVariables before = m;
        FakeShellHost host(m);
        host.loadSucceeds = false;
        host.dialogAnswers = {site};
        command(host, m);
        EXPECT_TRUE(host.Logged("LoadParamFile " + site));
        EXPECT_EQ(m, before); // the old name too: a later save must not go to the unreadable file
        EXPECT_EQ(m.InFile, dir_.string() + "/old.inp");
        EXPECT_EQ(m.OutFile, dir_.string() + "/old.prn");
        EXPECT_EQ(m.File3D, dir_.string() + "/old.3D");
        EXPECT_EQ(m.SavedInFile, dir_.string() + "/old.inp");
        EXPECT_FALSE(host.Logged("ShowParameters"));
        EXPECT_TRUE(host.labels.empty());
        EXPECT_FALSE(Exists("Pellic.ini"));
    }
}

TEST_F(ShellFileCommands, NewAndLoadOfferToSaveAnEditedModelFirst) {
    using A = SaveChangesAnswer;
    const std::string named = dir_.string() + "/site.inp";
    const std::string given = dir_.string() + "/given.inp";
    struct Case {
        const char* name;
        A answer;
        std::string inFile;
        std::deque<std::optional<std::string>> nameDialog; // the save dialog of an unnamed model
        bool writeSucceeds;
        std::string writtenTo; // empty: nothing written
        bool goesOn;
    };
    const Case cases[] = {
        {"No", A::No, named, {}, true, "", true},
        {"Cancel", A::Cancel, named, {}, true, "", false},
        {"Yes, named", A::Yes, named, {}, true, named, true},
        {"Yes, unnamed, name given", A::Yes, "", {given}, true, given, true},
        {"Yes, unnamed, name dialog cancelled", A::Yes, "", {std::nullopt}, true, "", false},
        {"Yes, write failed", A::Yes, named, {}, false, named, false},
        {"Yes, unnamed, write failed", A::Yes, "", {given}, false, given, false},
    };
    const std::pair<const char*, std::function<void(ShellHost&, ModelVariables&)>> commands[] = {
        {"New", NewModel},
        {"Load", LoadModel},
        {"Image1", LoadFromImage},
    };
    for (const auto& [command, run] : commands) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(command) + ": " + c.name);
            ModelVariables m;
            m.InFile = c.inFile;
            m.OutFile = c.inFile.empty() ? "" : dir_.string() + "/site.prn";
            FakeShellHost host(m);
            host.labels = {{FileLabel::InFile, c.inFile.empty() ? "none" : c.inFile},
                           {FileLabel::OutFile, m.OutFile.empty() ? "none" : m.OutFile},
                           {FileLabel::File3D, "none"}};
            const auto labelsBefore = host.labels;
            host.changed = true;
            host.unsaved = true;
            host.saveChangesAnswers = {c.answer};
            host.writeSucceeds = c.writeSucceeds;
            host.dialogAnswers = c.nameDialog;
            const bool opens = std::string(command) != "New";
            if (c.goesOn && opens)
                host.dialogAnswers.push_back((dir_ / "missing.inp").string()); // a name that is no file
            run(host, m);

            EXPECT_EQ(host.log.at(0), "ask Save changes to the model?");
            EXPECT_TRUE(host.dialogAnswers.empty());
            if (c.writtenTo.empty()) {
                EXPECT_TRUE(std::none_of(host.log.begin(), host.log.end(),
                                         [](const std::string& e) { return e.rfind("WriteParamFile", 0) == 0; }));
            } else {
                EXPECT_LT(host.Position("CollectParameters"), host.Position("WriteParamFile " + c.writtenTo));
            }
            const bool wentOn = opens ? host.Logged("open dialog") : host.Logged("PresetDefaults");
            EXPECT_EQ(wentOn, c.goesOn);
            if (!c.goesOn) {
                // Nothing of the model on screen was lost, and no name points at an unwritten file.
                EXPECT_TRUE(host.changed);
                EXPECT_TRUE(host.unsaved);
                EXPECT_EQ(m.InFile, c.inFile);
                EXPECT_EQ(host.labels, labelsBefore);
            }
            if (!c.writeSucceeds) {
                EXPECT_EQ(host.messages, std::vector<std::string>{"File Error|File Error: " + c.writtenTo +
                                                                  " cannot be written.\r\nPermission denied|critical"});
            } else {
                EXPECT_TRUE(host.messages.empty());
            }
            if (std::string(command) == "New" && c.goesOn) {
                EXPECT_FALSE(host.changed); // the fresh model is not an edited one
                EXPECT_FALSE(host.unsaved);
            }
        }
    }
}

TEST_F(ShellFileCommands, AFailedSaveKeepsTheNamesOfTheLastFileWritten) {
    ModelVariables m = Named(dir_.string());
    FakeShellHost host(m);
    host.labels = {{FileLabel::InFile, m.InFile}, {FileLabel::OutFile, m.OutFile}, {FileLabel::File3D, m.File3D}};
    const auto labelsBefore = host.labels;
    const ModelVariables before = m;
    host.writeSucceeds = false;
    const std::string chosen = "/no/such/folder/new.inp";
    host.dialogAnswers = {chosen};
    SaveModelAs(host, m);
    EXPECT_TRUE(host.Logged("WriteParamFile " + chosen));
    EXPECT_EQ(m, before);
    EXPECT_EQ(host.labels, labelsBefore);
    EXPECT_EQ(host.messages, std::vector<std::string>{"File Error|File Error: " + chosen +
                                                      " cannot be written.\r\nPermission denied|critical"});

    // Exit of an edited unnamed model whose save fails stays open with the model still unnamed and
    // writes no settings file.
    ModelVariables unnamed;
    FakeShellHost exitHost(unnamed);
    exitHost.changed = true;
    exitHost.writeSucceeds = false;
    exitHost.dialogAnswers = {chosen};
    EXPECT_FALSE(ExitProgram(exitHost, unnamed, ShellState{}));
    EXPECT_EQ(unnamed.InFile, "");
    EXPECT_EQ(exitHost.labels[FileLabel::InFile], "none");
    EXPECT_FALSE(Exists("Pellic.ini"));
}
