// The run interface as the program binds it: the built library loaded with dlopen.
#include "../engine_test_support.h"
#include "../loaded_engine.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

using namespace kelvd_test;
namespace fs = std::filesystem;

namespace {

class RunState : public WorkDir {
protected:
    void SetUp() override {
        WorkDir::SetUp();
        ASSERT_TRUE(lib.loaded()) << dlerror();
        Model m;
        m.antennas = {Antenna{0, 0, 14}, Antenna{0, 0, 28}};
        m.ground = {{0, 0}, {20000, 0}};
        model = m;
        writeFile("temp.inp", paramFile(m));
        writeFile("temp.3D", kDefaultGround);
    }
    static size_t lines(const std::string& s) { return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')); }

    LoadedEngine lib;
    Model model;
};

// A parameter file whose card reading takes a while: blank filler between the title and the first card,
// which the header search skips character by character. A run started on it is still reading its cards
// when the test's next call comes, and then goes on to its points.
std::string slowParamFile(const Model& m) {
    std::string s = paramFile(m);
    s.insert(s.find('\n') + 1, std::string(size_t{16} << 20, ' '));
    return s;
}

} // namespace

TEST_F(RunState, BeforeAnyRunProgressIs100AndErrorIs0) {
    EXPECT_EQ(lib.progress(), 100);
    EXPECT_EQ(lib.lastError(), 0);
    lib.stop(); // no run: nothing happens
    EXPECT_EQ(lib.progress(), 100);
}

TEST_F(RunState, FinishedRunWritesAllFilesAndReports100) {
    ASSERT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 0);
    EXPECT_EQ(lib.progress(), 100);
    EXPECT_EQ(lines(readFile("temp.prn")), 5u);
    EXPECT_NE(readFile("FORT7").find("THE OUTPUT DATA IS AS FOLLOWS"), std::string::npos);
    EXPECT_EQ(readFile("FORT10").rfind("'*'", 0), 0u);
}

TEST_F(RunState, EachUnopenableFileFailsWithItsCode) {
    fs::create_directory("adir");
    struct Case {
        const char* what;
        const char* in;
        const char* plot;
        const char* ground;
        const char* blockReport; // a folder of that name in the current directory
        int code;
    } cases[] = {
        {"missing parameter file", "none.inp", "temp.prn", "temp.3D", nullptr, 2},
        {"plot file in a missing folder", "temp.inp", "nodir/x.prn", "temp.3D", nullptr, 3},
        {"plot path is a folder", "temp.inp", "adir", "temp.3D", nullptr, 3},
        {"plot file cannot be written", "temp.inp", "/dev/full", "temp.3D", nullptr, 3},
        {"parameter path is a folder", "adir", "temp.prn", "temp.3D", nullptr, 2},
        {"ground path is a folder", "temp.inp", "temp.prn", "adir", nullptr, 4},
        {"plot path names the parameter file", "temp.inp", "./temp.inp", "temp.3D", nullptr, 3},
        {"plot path names the ground file", "temp.inp", "temp.3D", "temp.3D", nullptr, 3},
        {"missing ground file with a card profile", "temp.inp", "temp.prn", "none.3D", nullptr, 4},
        {"FORT7 cannot be created", "temp.inp", "temp.prn", "temp.3D", "FORT7", 5},
        {"FORT10 cannot be created", "temp.inp", "temp.prn", "temp.3D", "FORT10", 6},
        {"null parameter path", nullptr, "temp.prn", "temp.3D", nullptr, 2},
        {"null plot path", "temp.inp", nullptr, "temp.3D", nullptr, 3},
        {"null ground path", "temp.inp", "temp.prn", nullptr, nullptr, 4},
        {"empty parameter path", "", "temp.prn", "temp.3D", nullptr, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all("FORT7");
        fs::remove_all("FORT10");
        if (c.blockReport)
            fs::create_directory(c.blockReport);
        EXPECT_EQ(lib.run(c.in, c.plot, c.ground), c.code);
        EXPECT_EQ(lib.progress(), 0);
        if (c.blockReport)
            fs::remove_all(c.blockReport);
    }
    // Neither input was truncated, and the next run after failures starts clean and succeeds.
    EXPECT_EQ(readFile("temp.inp"), paramFile(model));
    EXPECT_EQ(readFile("temp.3D"), kDefaultGround);
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 0);
}

TEST_F(RunState, PathsLongerThan255BytesFailWithTheirFileCode) {
    // A 255-byte relative path is accepted; one byte more fails instead of opening a cut name.
    std::string dir(100, 'd');
    fs::create_directories(dir + "/" + dir);
    const std::string base = dir + "/" + dir + "/";
    const std::string in255 = base + std::string(255 - base.size() - 4, 'p') + ".inp";
    ASSERT_EQ(in255.size(), 255u);
    fs::copy_file("temp.inp", in255);
    EXPECT_EQ(lib.run(in255.c_str(), "temp.prn", "temp.3D"), 0);

    // Cut to 255 bytes these would name existing or creatable files.
    const std::string in256 = in255 + "x";
    const std::string longPlot = base + std::string(160, 'q');
    fs::copy_file("temp.3D", std::string(255, 'g'));
    EXPECT_EQ(lib.run(in256.c_str(), "temp.prn", "temp.3D"), 2);
    EXPECT_EQ(lib.run("temp.inp", longPlot.c_str(), "temp.3D"), 3);
    EXPECT_FALSE(fs::exists(longPlot.substr(0, 255)));
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", std::string(300, 'g').c_str()), 4);
}

TEST_F(RunState, SecondStartDuringARunReturns1AndStopTakesEffectAtTheFirstPoint) {
    writeFile("slow.inp", slowParamFile(model));
    ASSERT_EQ(lib.start("slow.inp", "temp.prn", "temp.3D"), 0);
    EXPECT_EQ(lib.start("temp.inp", "other.prn", "temp.3D"), 1);
    EXPECT_GE(lib.progress(), 1);
    EXPECT_LE(lib.progress(), 99);
    lib.stop(); // during the card reading
    EXPECT_EQ(lib.wait(), 1);
    EXPECT_EQ(lib.progress(), 0);
    EXPECT_FALSE(fs::exists("other.prn"));
    // The header is there, no point was computed.
    const std::string fort7 = readFile("FORT7");
    EXPECT_NE(fort7.find("THE PATTERN CUT FOR THIS SIM. IS:"), std::string::npos);
    EXPECT_EQ(fort7.find("THE OUTPUT DATA"), std::string::npos);
    EXPECT_EQ(readFile("temp.prn"), "");
}

TEST_F(RunState, StaleStopRequestIsClearedByTheNextStart) {
    // A run without points fails before it looks at the stop request, and leaves the request set.
    Model m = model;
    m.points = 0;
    writeFile("slow.inp", slowParamFile(m));
    ASSERT_EQ(lib.start("slow.inp", "temp.prn", "temp.3D"), 0);
    lib.stop();
    EXPECT_EQ(lib.wait(), 7);
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 0);
    EXPECT_EQ(lines(readFile("temp.prn")), 5u);
}

TEST_F(RunState, UnloadingDuringARunStopsAndJoinsTheRunThread) {
    writeFile("slow.inp", slowParamFile(model));
    ASSERT_EQ(lib.start("slow.inp", "temp.prn", "temp.3D"), 0);
    lib.unload(); // returns only when the run thread has ended
    EXPECT_EQ(readFile("temp.prn"), "");
    EXPECT_EQ(readFile("FORT7").find("THE OUTPUT DATA"), std::string::npos);
    LoadedEngine again;
    ASSERT_TRUE(again.loaded());
    EXPECT_EQ(again.progress(), 100);
    EXPECT_EQ(again.run("temp.inp", "temp.prn", "temp.3D"), 0);
}

TEST_F(RunState, CardErrorsAndPointLimitThroughTheLibrary) {
    Model bad = model;
    bad.title = "it's"; // an apostrophe in the title breaks the header search
    writeFile("bad.inp", paramFile(bad));
    EXPECT_EQ(lib.run("bad.inp", "temp.prn", "temp.3D"), 7);

    Model m = model;
    m.points = 251;
    writeFile("many.inp", paramFile(m));
    EXPECT_EQ(lib.run("many.inp", "temp.prn", "temp.3D"), 8);
    const std::string fort7 = readFile("FORT7");
    const std::string tail = "        TERMINATION DUE TO ITERATIONS EXCEEDING 250 TO BE PERFORMED IN DO-LOOP 200\r\n";
    ASSERT_GE(fort7.size(), tail.size());
    EXPECT_EQ(fort7.substr(fort7.size() - tail.size()), tail);
    EXPECT_EQ(readFile("temp.prn"), "");

    m.points = 250;
    writeFile("many.inp", paramFile(m));
    EXPECT_EQ(lib.run("many.inp", "temp.prn", "temp.3D"), 0);
    EXPECT_EQ(lines(readFile("temp.prn")), 250u);
}

TEST_F(RunState, NumbersUseADecimalPointWhateverTheHostLocale) {
    // A comma-decimal locale compiled for this test when the system has none installed.
    const fs::path locales = fs::path(TEST_OUTPUT_DIR) / "locales";
    if (!fs::exists(locales / "de_DE.UTF-8")) {
        fs::create_directories(locales);
        const std::string cmd = "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    setenv("LOCPATH", locales.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    ASSERT_STREQ(probe, "1,5");

    const int rc = lib.run("temp.inp", "temp.prn", "temp.3D");
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
    ASSERT_EQ(rc, 0);
    const std::string plot = readFile("temp.prn");
    EXPECT_EQ(plot.find(','), std::string::npos);
    EXPECT_NE(plot.find('.'), std::string::npos);
    EXPECT_NE(readFile("FORT7").find("FREQ= 332.000"), std::string::npos);
}
