// The run's steps, the output-antenna check and the batch over a recording host and a scripted
// engine.
#include "shell/run/logic/RunControl.h"
#include "platform/text/testing/SpecialFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <optional>
#include <vector>

using namespace shell;

namespace {

struct StartCall {
    std::string in, plot, ground;
};

class ScriptedEngine final : public plat::IEngine {
public:
    std::deque<int> progress{100}; // answers of Kelv_getProgress; the last one repeats
    int lastError = 0;
    int startAnswer = 0;
    std::vector<StartCall> starts;
    int polls = 0;

    int Kelv_start(const std::string& in, const std::string& plot, const std::string& ground) override {
        starts.push_back({in, plot, ground});
        return startAnswer;
    }
    int Kelv_stop() override { return 0; }
    int Kelv_getProgress() override {
        ++polls;
        const int p = progress.front();
        if (progress.size() > 1)
            progress.pop_front();
        return p;
    }
    int Kelv_getLastError() override { return lastError; }
};

class RecordingHost final : public RunHost {
public:
    explicit RecordingHost(ModelVariables& m) : m_(m) {}

    std::vector<std::string> log;
    std::deque<WriteStatus> writes; // answers of the writer; Written when empty
    std::vector<std::string> messages;
    std::string outFileLabel;
    bool missingEngine = false;
    bool commandsEnabled = true;
    ScriptedEngine engine;
    std::vector<int> waits;
    std::optional<std::string> inputProblem;
    std::string report;

    void CollectParameters() override { log.push_back("collect"); }
    WriteStatus WriteParamFile() override {
        log.push_back("write " + m_.InFile + " Y" + std::to_string(m_.YAxisVar));
        if (writes.empty())
            return WriteStatus::Written;
        const WriteStatus s = writes.front();
        writes.pop_front();
        return s;
    }
    void ShowOutFile(const std::string& text) override { outFileLabel = text; }
    void HideChangedMarker() override { log.push_back("hide marker"); }
    void ShowWaitWindow() override { log.push_back("wait shown"); }
    void UnloadWaitWindow() override { log.push_back("wait gone"); }
    void SetRunCommandsEnabled(bool enabled) override {
        commandsEnabled = enabled;
        log.push_back(enabled ? "commands on" : "commands off");
    }
    void DoEvents(int wait) override { waits.push_back(wait); }
    void ShowMessage(const std::string& text, RunMessageIcon, const std::string&) override {
        messages.push_back(text);
        log.push_back("message");
    }
    std::optional<std::string> RunInputProblem() override {
        log.push_back("check");
        return inputProblem;
    }
    std::string EngineReport() override { return report; }
    plat::IEngine& Engine() override {
        if (missingEngine)
            throw plat::EngineLoadError("libKelvd.so",
                                        "Cannot load the engine library libKelvd.so: not found");
        log.push_back("engine");
        return engine;
    }

private:
    ModelVariables& m_;
};

class RunTest : public ::testing::Test {
protected:
    ModelVariables m;
    RecordingHost host{m};
    RunState state;
};

TEST(OutputAntennaCheck, QuantitiesAgainstAntennas) {
    struct Case {
        int y;
        bool one, two, three;
    };
    const Case cases[] = {{1, true, true, true},   {2, true, true, true},   {3, true, true, true},
                          {4, true, true, true},   {5, false, true, true},  {6, false, true, true},
                          {7, false, false, true}, {8, false, false, true}, {9, true, true, true},
                          {11, true, true, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(OutputAntennaExists(static_cast<std::uint8_t>(c.y), 0), c.one) << c.y;
        EXPECT_EQ(OutputAntennaExists(static_cast<std::uint8_t>(c.y), 1), c.two) << c.y;
        EXPECT_EQ(OutputAntennaExists(static_cast<std::uint8_t>(c.y), 2), c.three) << c.y;
    }
    EXPECT_EQ(std::string(kNoSuchAntennaText),
              "Cannot Generate Output for an antenna that does not exist.\rPlease Change Output Parameters.");
}

TEST_F(RunTest, UnnamedModelRunsAsTemp) {
    for (const char* name : {"", "none"}) {
        m.InFile = name;
        m.File3D = "site.3D";
        host.engine.starts.clear();
        RunSimulation(host, m, state);
        ASSERT_EQ(host.engine.starts.size(), 1u);
        EXPECT_EQ(host.engine.starts[0].in, "temp.inp");
        EXPECT_EQ(host.engine.starts[0].plot, "temp.prn");
        EXPECT_EQ(host.engine.starts[0].ground, "site.3D");
        EXPECT_EQ(m.InFile, "temp.inp");
        EXPECT_EQ(m.OutFile, "temp.prn");
        EXPECT_EQ(host.outFileLabel, "temp.prn");
        EXPECT_EQ(m.RunStatus, 1);
    }
}

TEST_F(RunTest, NamedModelRunsTheFileJustWritten) {
    struct Case {
        const char* inFile;
        const char* plot;
    };
    // A model saved as .txt or without an extension runs that file, not a stale ".inp".
    const Case cases[] = {{"/runs/site.inp", "/runs/site.prn"},
                          {"/runs/site.txt", "/runs/site.prn"},
                          {"/runs/site", "/runs/site.prn"},
                          {"/runs.v2/site", "/runs.v2/site.prn"}};
    for (const Case& c : cases) {
        m.InFile = c.inFile;
        host.engine.starts.clear();
        RunSimulation(host, m, state);
        ASSERT_EQ(host.engine.starts.size(), 1u);
        EXPECT_EQ(host.engine.starts[0].in, c.inFile);
        EXPECT_EQ(host.engine.starts[0].plot, c.plot);
        EXPECT_EQ(host.outFileLabel, c.plot);
        EXPECT_EQ(state.RunCancelled, 0);
    }
}

TEST_F(RunTest, StepsInOrderAndCommandsDisabledMeanwhile) {
    m.InFile = "site.inp";
    host.engine.progress = {1, 40, 99, 100};
    RunSimulation(host, m, state);
    const std::vector<std::string> expected{"commands off",      "collect",     "check",
                                            "write site.inp Y0", "engine",      "wait shown",
                                            "wait gone",         "hide marker", "commands on"};
    EXPECT_EQ(host.log, expected);
    EXPECT_EQ(host.engine.polls, 4);
    // Every pass of the poll loop waits a little for events instead of spinning.
    ASSERT_EQ(host.waits.size(), 6u);
    for (std::size_t i = 2; i < host.waits.size(); ++i)
        EXPECT_EQ(host.waits[i], kPollWaitMilliseconds);
    EXPECT_FALSE(state.Active);
}

TEST_F(RunTest, FailureShowsTheEngineCode) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {{2, "Kelvd.dll Error #2\rThe parameter file cannot be opened."},
                          {4, "Kelvd.dll Error #4\rThe 3D ground file cannot be opened."},
                          {11, "Kelvd.dll Error #11\rThe run could not be carried out."}};
    for (const Case& c : cases) {
        m.InFile = "site.inp";
        host.messages.clear();
        host.engine.progress = {1, 0};
        host.engine.lastError = c.code;
        RunSimulation(host, m, state);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], c.text);
        EXPECT_EQ(m.RunStatus, 1);
        EXPECT_TRUE(host.commandsEnabled);
    }
}

TEST_F(RunTest, RunThatDoesNotReachTheEngine) {
    struct Case {
        WriteStatus write;
        bool missing;
        int startAnswer;
        std::size_t messages;
    };
    const Case cases[] = {{WriteStatus::Cancelled, false, 0, 0},
                          {WriteStatus::Declined, false, 0, 0},
                          {WriteStatus::Failed, false, 0, 1},
                          {WriteStatus::Written, true, 0, 1},
                          {WriteStatus::Written, false, 1, 1}};
    for (const Case& c : cases) {
        m = ModelVariables{};
        m.InFile = "site.inp";
        m.RunStatus = 0;
        host.writes = {c.write};
        host.missingEngine = c.missing;
        host.engine.startAnswer = c.startAnswer;
        host.engine.polls = 0;
        host.messages.clear();
        host.log.clear();
        RunSimulation(host, m, state);
        EXPECT_EQ(state.RunCancelled, 1);
        EXPECT_EQ(host.engine.polls, 0);
        EXPECT_EQ(host.messages.size(), c.messages);
        EXPECT_EQ(m.RunStatus, 0);
        EXPECT_TRUE(host.commandsEnabled);
        EXPECT_FALSE(state.Active);
        const bool waitShown = std::find(host.log.begin(), host.log.end(), "wait shown") != host.log.end();
        const bool waitGone = std::find(host.log.begin(), host.log.end(), "wait gone") != host.log.end();
        EXPECT_EQ(waitShown, waitGone);
    }
    EXPECT_EQ(host.messages[0], kEngineBusyText);
}

TEST_F(RunTest, MissingEngineIsNamed) {
    m.InFile = "site.inp";
    host.missingEngine = true;
    RunSimulation(host, m, state);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "The field engine library Kelvd cannot be used:\r"
                                "Cannot load the engine library libKelvd.so: not found");
}

TEST_F(RunTest, SecondRunWhileActiveIsRefused) {
    m.InFile = "site.inp";
    state.Active = true;
    RunSimulation(host, m, state);
    EXPECT_TRUE(host.log.empty());
    EXPECT_TRUE(host.engine.starts.empty());
}

TEST(BatchNames, FromTheModelNameWithoutItsExtension) {
    EXPECT_EQ(BatchParamFile("/runs/site.inp", 1), "/runs/site_1.inp");
    EXPECT_EQ(BatchParamFile("/runs/site.inp", 11), "/runs/site_11.inp");
    EXPECT_EQ(BatchParamFile("/runs/site.txt", 3), "/runs/site_3.inp");
    EXPECT_EQ(BatchParamFile("/runs/site", 3), "/runs/site_3.inp");
    EXPECT_EQ(BatchParamFile("abc", 2), "abc_2.inp");
    EXPECT_EQ(BatchParamFile("", 2), "temp_2.inp");
    EXPECT_EQ(BatchParamFile("none", 2), "temp_2.inp");
}

TEST_F(RunTest, BatchRunsTheChosenOutputsAndRestores) {
    m.InFile = "/runs/site.inp";
    m.YAxisVar = 4;
    m.OutFile = "/runs/other.prn";
    int validated = 0;
    RunBatch(host, m, state, "10000000001", [&] { ++validated; });
    ASSERT_EQ(host.engine.starts.size(), 2u);
    EXPECT_EQ(host.engine.starts[0].in, "/runs/site_1.inp");
    EXPECT_EQ(host.engine.starts[0].plot, "/runs/site_1.prn");
    EXPECT_EQ(host.engine.starts[1].in, "/runs/site_11.inp");
    EXPECT_EQ(host.engine.starts[1].plot, "/runs/site_11.prn");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "write /runs/site_1.inp Y1"), host.log.end());
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "write /runs/site_11.inp Y11"), host.log.end());
    EXPECT_EQ(validated, 2);
    EXPECT_EQ(m.InFile, "/runs/site.inp");
    EXPECT_EQ(m.YAxisVar, 4);
    EXPECT_EQ(m.OutFile, "/runs/site.prn");
    EXPECT_EQ(host.outFileLabel, "/runs/site.prn");
}

TEST_F(RunTest, BatchCancelledSaveEndsItAndStillRestores) {
    m.InFile = "";
    m.YAxisVar = 1;
    host.writes = {WriteStatus::Written, WriteStatus::Cancelled};
    RunBatch(host, m, state, "01110000000", {});
    ASSERT_EQ(host.engine.starts.size(), 1u);
    EXPECT_EQ(host.engine.starts[0].in, "temp_2.inp");
    EXPECT_EQ(m.InFile, "");
    EXPECT_EQ(m.YAxisVar, 1);
    EXPECT_EQ(host.outFileLabel, "temp.prn");
}

TEST_F(RunTest, BatchFailedItemGoesOn) {
    m.InFile = "site.inp";
    host.engine.progress = {0};
    host.engine.lastError = 4;
    RunBatch(host, m, state, "11", {});
    EXPECT_EQ(host.engine.starts.size(), 2u);
    const std::string failed = "Kelvd.dll Error #4\rThe 3D ground file cannot be opened.";
    EXPECT_EQ(host.messages, (std::vector<std::string>{failed, failed}));
}

TEST(EngineErrorReason, TheEnginesOwnLineForItsCodeElseTheCodesMeaning) {
    // A report as the engine leaves it: header, rows, then the reason of the refusal.
    const std::string report =
        "  THE PATTERN CUT FOR THIS SIM. IS:\r\n"
        "     THE PATTERN IS A CONSTANT RADIUS CUT WITH ALPHA INCREMENTED FROM\r\n"
        "  100.000    200.000     10.000 1.000 0.000 8888.0    0.0  1.000E+00    0.0\r\n"
        "  FIELD POINT      0.000      0.000     10.000 IS AT ANTENNA 1\r\n";
    const std::string stopped = report + "  RUN STOPPED ON REQUEST\r\n";
    struct Case {
        int code;
        const char* report;
        const char* reason;
    };
    const Case cases[] = {
        {7, report.c_str(), "FIELD POINT 0.000 0.000 10.000 IS AT ANTENNA 1"},
        {7,
         "  NO FIELD COMPUTED: THE FREQUENCY IS     0.000 MHZ\r\n  NO FIELD COMPUTED: THERE IS NO PATTERN "
         "CUT         9\r\n",
         "NO FIELD COMPUTED: THERE IS NO PATTERN CUT 9"},
        {8, "        TERMINATION DUE TO ITERATIONS EXCEEDING 250 TO BE PERFORMED IN DO-LOOP 200\r\n",
         "TERMINATION DUE TO ITERATIONS EXCEEDING 250 TO BE PERFORMED IN DO-LOOP 200"},
        {9, " VERTEXES ARE NOT COPLANAR AT THE PLATE                   2          PROGRAM WAS INTERRUPTED\n",
         "VERTEXES ARE NOT COPLANAR AT THE PLATE 2 PROGRAM WAS INTERRUPTED"},
        // A card the reader refused: the report holds no reason line.
        {7, "", "A card of the parameter file cannot be read."},
        // A line of another code is not this code's reason; a report left by an earlier run is not
        // looked at for codes that end a run before the report is opened.
        {4, report.c_str(), "The 3D ground file cannot be opened."},
        {9, report.c_str(), "The plate vertices are not coplanar."},
        {1, report.c_str(), "The run was stopped."},
        {10, "", "The 3D ground file is malformed."},
        // The engine's last line for a refusal once its report is open.
        {7, "  RUN REFUSED: CARD 1 GIVES 31 PROFILE VERTICES; THE ENGINE KEEPS AT MOST 30\r\n",
         "RUN REFUSED: CARD 1 GIVES 31 PROFILE VERTICES; THE ENGINE KEEPS AT MOST 30"},
        {7, "  RUN REFUSED: THE 3D GROUND FILE HAS 31 CUTS; THE ENGINE READS AT MOST 30\r\n",
         "RUN REFUSED: THE 3D GROUND FILE HAS 31 CUTS; THE ENGINE READS AT MOST 30"},
        {7, "  RUN REFUSED: NO END CARD, OR A CARD HEADER AFTER CARD 5 WITHOUT ITS 3 NUMBERS\r\n",
         "RUN REFUSED: NO END CARD, OR A CARD HEADER AFTER CARD 5 WITHOUT ITS 3 NUMBERS"},
        {1, stopped.c_str(), "RUN STOPPED ON REQUEST"},
        {3, "  RUN REFUSED: THE PLOT FILE CANNOT BE WRITTEN; THE EARLIER ONE IS KEPT\r\n",
         "RUN REFUSED: THE PLOT FILE CANNOT BE WRITTEN; THE EARLIER ONE IS KEPT"},
        {6, "  RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE CREATED\r\n",
         "RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE CREATED"},
        {10, "  RUN REFUSED: THE 3D GROUND FILE DOES NOT GIVE TWO COUNTS OF AT LEAST 1 AND X, Y, Z OF EVERY NODE\r\n",
         "RUN REFUSED: THE 3D GROUND FILE DOES NOT GIVE TWO COUNTS OF AT LEAST 1 AND X, Y, Z OF EVERY NODE"},
        {11, "  RUN REFUSED: THE RUN RAN OUT OF MEMORY\r\n", "RUN REFUSED: THE RUN RAN OUT OF MEMORY"},
        // A card's line is no reason for a malformed ground file.
        {10, "  RUN REFUSED: CARD 3 GIVES 6 ANTENNAS; THE ENGINE KEEPS AT MOST 5\r\n",
         "The 3D ground file is malformed."},
        {42, "", "The engine gave no reason for this code."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(EngineErrorReason(c.code, c.report), c.reason);
        EXPECT_EQ(EngineErrorMessage(c.code, c.report),
                  "Kelvd.dll Error #" + std::to_string(c.code) + "\r" + c.reason);
    }
}

TEST_F(RunTest, RefusedInputIsShownAndNothingIsWrittenOrRun) {
    host.inputProblem = "Frequency (MHz) must be greater than 0; it is 0.";
    RunSimulation(host, m, state);
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"commands off", "collect", "check", "message", "commands on"}));
    EXPECT_EQ(host.messages, std::vector<std::string>{*host.inputProblem});
    EXPECT_TRUE(host.engine.starts.empty());
    EXPECT_EQ(state.RunCancelled, 1);
    EXPECT_EQ(m.InFile, "");

    // A batch ends at the first refused run.
    host.log.clear();
    RunBatch(host, m, state, "111", {});
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "check"), 1);
}

} // namespace

namespace {

// The report is quoted after an engine error: whatever lies under its name, it is read at once.
TEST(ReadEngineReport, ASpecialFileQuotesNothingAtOnce) {
    const std::filesystem::path dir = std::filesystem::path(TEST_OUTPUT_DIR) / "engine_report";
    for (const plat::testing::SpecialFile& special : plat::testing::SpecialFiles(dir / "FORT7")) {
        SCOPED_TRACE(special.kind);
        EXPECT_EQ(ReadEngineReport(special.path), "");
    }
    std::ofstream(dir / "FORT7", std::ios::binary) << "line 1\r\nSTOP 5\r\n";
    EXPECT_EQ(ReadEngineReport(dir / "FORT7"), "line 1\r\nSTOP 5\r\n");
    EXPECT_EQ(ReadEngineReport(dir / "none"), "");
}

} // namespace
