// Every run the engine refuses or stops once "FORT7" is open ends "FORT7" with a line that names the
// refusal (and its limit), and leaves the plot file of an earlier run byte for byte; a finished run
// replaces it whole.
#include "error_codes.h"

#include "engine_test_support.h"
#include "simrun_files.h"

#include <atomic>
#include <functional>

using namespace kelvd_test;
namespace fs = std::filesystem;

namespace {

Model twoAntennas() {
    Model m;
    m.antennas = {Antenna{0, 0, 14, 0, 0, 0, 0, 0.5, 180, 1, 0}, Antenna{0, 0, 28, 0, 0, 0, 0, 0.5, 0, 0, 0}};
    m.ground = {{-500, 0}, {3000, 10}, {20000, 0}};
    return m;
}

std::string lastLine(std::string text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    const size_t end = text.rfind("\r\n");
    return end == std::string::npos ? text : text.substr(end + 2);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// A flat ground file of `cuts` cuts, two nodes each.
std::string flatCuts(int cuts) {
    std::vector<double> ys;
    for (int i = 0; i < cuts; ++i)
        ys.push_back(-500 + 1000.0 * i);
    return groundFile(ys, 2, -1000, 1000, [](double) { return 0.0; });
}

const char* const kOldPlot = " 1.00000E+00 2.00000E+00\r\n";

class Refusals : public WorkDir {};

} // namespace

TEST_F(Refusals, EachEndsFort7WithItsReasonAndKeepsTheEarlierPlotFile) {
    struct Case {
        const char* what;
        int code;
        const char* line;
        std::function<void(Model&)> model{};          // none: the model as it is
        std::function<std::string(std::string)> cards{}; // none: the cards as written
        std::string ground = kDefaultGround;
        bool stopAfterFirstPoint = false;
    };
    const std::vector<Case> cases = {
        {"stopped after the first point", kelvd::errors::kStopped, "  RUN STOPPED ON REQUEST", {}, {}, kDefaultGround,
         true},
        {"31 profile vertices", kelvd::errors::kCard,
         "  RUN REFUSED: CARD 1 GIVES 31 PROFILE VERTICES; THE ENGINE KEEPS AT MOST 30",
         [](Model& m) {
             m.ground.clear();
             for (int i = 0; i < 31; ++i)
                 m.ground.emplace_back(-500 + 700.0 * i, 0);
         }},
        {"6 antennas", kelvd::errors::kCard, "  RUN REFUSED: CARD 3 GIVES 6 ANTENNAS; THE ENGINE KEEPS AT MOST 5",
         [](Model& m) { m.antennas.resize(6, m.antennas[0]); }},
        {"a ground file of 31 cuts", kelvd::errors::kCard,
         "  RUN REFUSED: THE 3D GROUND FILE HAS 31 CUTS; THE ENGINE READS AT MOST 30", [](Model& m) { m.ground.clear(); },
         {}, flatCuts(31)},
        {"251 points", kelvd::errors::kTooManyPoints,
         "        TERMINATION DUE TO ITERATIONS EXCEEDING 250 TO BE PERFORMED IN DO-LOOP 200",
         [](Model& m) { m.points = 251; }},
        {"no end card", kelvd::errors::kCard,
         "  RUN REFUSED: NO END CARD, OR A CARD HEADER AFTER CARD 6 WITHOUT ITS 3 NUMBERS", {},
         [](std::string s) { return s.substr(0, s.find("'...'")); }},
        {"a word in the flight card", kelvd::errors::kCard,
         "  RUN REFUSED: CARD 4 HAS A LINE THAT DOES NOT GIVE ITS 6 NUMBERS", {},
         [](std::string s) { return replaced(s, "\t\t3\t5\t0\t\t", "\t\t3\t5\tx\t\t"); }},
        {"an infinite frequency", kelvd::errors::kCard,
         "  RUN REFUSED: CARD 3 HOLDS A VALUE THAT IS NOT A FINITE NUMBER", {},
         [](std::string s) { return replaced(s, "\t332.000\t", "\tinf\t"); }},
        {"a ground file short of its nodes", kelvd::errors::kBadGroundFile,
         "  RUN REFUSED: THE 3D GROUND FILE DOES NOT GIVE TWO COUNTS OF AT LEAST 1 AND X, Y, Z OF EVERY NODE",
         [](Model& m) { m.ground.clear(); }, {}, "  2           2\r\n 0.000    0.000    0.000\r\n"},
        // Powers (A at most 0.0001) are square-rooted: a negative one has no real current.
        {"a negative feed power", kelvd::errors::kCard, "  NO FIELD COMPUTED: A FIELD POINT HAS NO FINITE FIELD",
         [](Model& m) {
             m.aRatio = 0;
             m.antennas[1].sboMag = -1;
         }},
        {"a field point at an antenna", kelvd::errors::kCard,
         "  FIELD POINT      0.000      0.000     14.000 IS AT ANTENNA 1",
         [](Model& m) {
             m.flightType = 2, m.points = 1;
             m.p1x = m.p2x = 0, m.p1y = m.p2y = 0, m.p1z = m.p2z = 14;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m = twoAntennas();
        if (c.model)
            c.model(m);
        writeFile("temp.inp", c.cards ? c.cards(paramFile(m)) : paramFile(m));
        writeFile("temp.3D", c.ground);
        writeFile("temp.prn", kOldPlot);
        std::atomic<std::uint8_t> stop{0};
        kelvd::RunControl control;
        control.threads = 1;
        control.stopRequested = &stop;
        if (c.stopAfterFirstPoint)
            control.afterPoint = [&stop](int) { stop = 1; };
        EXPECT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D", control), c.code);
        EXPECT_EQ(lastLine(readFile("FORT7")), c.line);
        EXPECT_EQ(readFile("temp.prn"), kOldPlot);
    }
}

TEST_F(Refusals, Fort10ThatCannotBeCreatedIsSaidInFort7) {
    writeFile("temp.inp", paramFile(twoAntennas()));
    writeFile("temp.3D", kDefaultGround);
    writeFile("temp.prn", kOldPlot);
    fs::create_directory("FORT10");
    EXPECT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D"), 6);
    EXPECT_EQ(readFile("FORT7"), "  RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE CREATED\r\n");
    EXPECT_EQ(readFile("temp.prn"), kOldPlot);
}

TEST_F(Refusals, PlotFileIsReplacedOnlyByAFinishedRunAndNothingIsLeftBeside) {
    const Model m = twoAntennas();
    writeFile("temp.inp", paramFile(m));
    writeFile("temp.3D", kDefaultGround);
    fs::create_directory("out");
    // A refused run where there was no plot file leaves none.
    Model many = m;
    many.points = 251;
    writeFile("many.inp", paramFile(many));
    EXPECT_EQ(simrunFiles("many.inp", "out/site.prn", "temp.3D"), kelvd::errors::kTooManyPoints);
    EXPECT_FALSE(fs::exists("out/site.prn"));

    writeFile("out/site.prn", kOldPlot);
    fs::permissions("out/site.prn", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(simrunFiles("temp.inp", "out/site.prn", "temp.3D"), 0);
    const std::string plot = readFile("out/site.prn");
    EXPECT_EQ(std::count(plot.begin(), plot.end(), '\n'), m.points);
    EXPECT_EQ(fs::status("out/site.prn").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Through a symbolic link the file it leads to is replaced; the link stays.
    fs::create_symlink("out/site.prn", "link.prn");
    ASSERT_EQ(simrunFiles("temp.inp", "link.prn", "temp.3D"), 0);
    EXPECT_TRUE(fs::is_symlink("link.prn"));
    EXPECT_EQ(readFile("out/site.prn"), plot);
    // The rows were written beside it under names of their own, all gone again.
    EXPECT_EQ(std::distance(fs::directory_iterator("out"), fs::directory_iterator()), 1);
}

// The report and the echo of an earlier, longer run are replaced whole, whether the run computes its
// points on all cores, on one, stops or computes none; when the echo is refused the report holds only
// the refusal line.
TEST_F(Refusals, EarlierReportAndEchoAreReplacedWhole) {
    const std::string old(1 << 20, 'o');
    const auto fillOld = [&] {
        writeFile("FORT7", old);
        writeFile("FORT10", old);
    };
    Model many = twoAntennas();
    many.points = 251;
    struct Case {
        const char* what;
        Model model;
        bool stopAfterFirstPoint;
    };
    const Case cases[] = {
        {"finished", twoAntennas(), false}, {"stopped", twoAntennas(), true}, {"refused", many, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("temp.inp", paramFile(c.model));
        writeFile("temp.3D", kDefaultGround);
        const auto run = [&](int threads) {
            std::atomic<std::uint8_t> stop{0};
            kelvd::RunControl control;
            control.threads = threads;
            control.stopRequested = &stop;
            if (c.stopAfterFirstPoint)
                control.afterPoint = [&stop](int) { stop = 1; };
            const int code = simrunFiles("temp.inp", "temp.prn", "temp.3D", control);
            return std::vector<std::string>{std::to_string(code), readFile("FORT7"), readFile("FORT10")};
        };
        fs::remove("FORT7");
        fs::remove("FORT10");
        const auto fresh = run(1);
        EXPECT_LT(fresh[1].size(), old.size());
        for (const int threads : {0, 1}) {
            fillOld();
            EXPECT_EQ(run(threads), fresh) << threads << " threads";
        }
    }

    writeFile("temp.inp", paramFile(twoAntennas()));
    fillOld();
    fs::remove("FORT10");
    fs::create_hard_link("temp.inp", "FORT10");
    EXPECT_EQ(simrunFiles("temp.inp", "temp.prn", "temp.3D"), 6);
    EXPECT_EQ(readFile("FORT7"), "  RUN REFUSED: THE ECHO FILE FORT10 CANNOT BE CREATED\r\n");
    EXPECT_EQ(readFile("temp.inp"), paramFile(twoAntennas()));
}
