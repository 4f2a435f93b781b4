// Run files that are not plain files: named pipes and devices never hold the run thread, and the plot file
// is never the report or the echo under another name.
#include "../engine_test_support.h"
#include "../loaded_engine.h"

#include <chrono>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kelvd_test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

class SpecialFiles : public WorkDir {
protected:
    void SetUp() override {
        WorkDir::SetUp();
        Model m;
        m.antennas = {Antenna{0, 0, 14}, Antenna{0, 0, 28}};
        m.ground = {{0, 0}, {20000, 0}};
        writeFile("temp.inp", paramFile(m));
        writeFile("temp.3D", kDefaultGround);
    }
};

} // namespace

// A named pipe as any run file, with or without a process at its other end: the run fails at once with
// that file's code, and the library unloads at once after it.
TEST_F(SpecialFiles, NamedPipeAsEachFileFailsWithItsCodeWithinASecond) {
    struct Case {
        const char* what;
        const char* in;
        const char* plot;
        const char* ground;
        const char* pipe;
        bool otherEnd; // the test holds the pipe open from the other side
        int code;
    } cases[] = {
        {"parameter file", "pipe", "temp.prn", "temp.3D", "pipe", false, 2},
        {"parameter file with a writer", "pipe", "temp.prn", "temp.3D", "pipe", true, 2},
        {"plot file", "temp.inp", "pipe", "temp.3D", "pipe", false, 3},
        {"plot file with a reader", "temp.inp", "pipe", "temp.3D", "pipe", true, 3},
        {"ground file", "temp.inp", "temp.prn", "pipe", "pipe", false, 4},
        {"ground file with a writer", "temp.inp", "temp.prn", "pipe", "pipe", true, 4},
        {"report", "temp.inp", "temp.prn", "temp.3D", "FORT7", false, 5},
        {"report with a reader", "temp.inp", "temp.prn", "temp.3D", "FORT7", true, 5},
        {"echo", "temp.inp", "temp.prn", "temp.3D", "FORT10", false, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(c.pipe);
        ASSERT_EQ(::mkfifo(c.pipe, 0600), 0);
        // A reader end opens at once without a writer; a writer end needs that reader first.
        const bool inputPipe = c.code == 2 || c.code == 4;
        const int reader = c.otherEnd ? ::open(c.pipe, O_RDONLY | O_NONBLOCK) : -1;
        const int writer = c.otherEnd && inputPipe ? ::open(c.pipe, O_WRONLY | O_NONBLOCK) : -1;
        {
            LoadedEngine lib;
            ASSERT_TRUE(lib.loaded()) << dlerror();
            const auto begin = Clock::now();
            EXPECT_EQ(lib.run(c.in, c.plot, c.ground, std::chrono::seconds(1)), c.code);
            EXPECT_EQ(lib.progress(), 0);
            lib.unload();
            EXPECT_LT(Clock::now() - begin, std::chrono::seconds(1));
        }
        if (writer >= 0)
            ::close(writer);
        if (reader >= 0)
            ::close(reader);
        // Still the pipe: nothing replaced or truncated it.
        struct stat st;
        ASSERT_EQ(::lstat(c.pipe, &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode));
        fs::remove(c.pipe);
    }
    LoadedEngine lib;
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 0);
}

TEST_F(SpecialFiles, DevicesAreNoRunFiles) {
    LoadedEngine lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    EXPECT_EQ(lib.run("/dev/zero", "temp.prn", "temp.3D"), 2);
    EXPECT_EQ(lib.run("temp.inp", "/dev/null", "temp.3D"), 3);
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "/dev/null"), 4);
}

// The plot file named as the report or the echo, by any path or link, fails with the plot file's code
// and leaves that file as it was (or absent, when it did not exist).
TEST_F(SpecialFiles, PlotFileThatIsTheReportOrTheEchoIsRefused) {
    LoadedEngine lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    const std::string abs7 = (fs::current_path() / "FORT7").string();
    struct Case {
        const char* what;
        std::string plot;
        const char* target; // the report or echo it names
        bool exists;        // that file exists before the run
    } cases[] = {
        {"bare name FORT7", "FORT7", "FORT7", true},
        {"bare name FORT7, not there yet", "FORT7", "FORT7", false},
        {"FORT10 through ./", "./FORT10", "FORT10", true},
        {"FORT10 through ./, not there yet", "./FORT10", "FORT10", false},
        {"absolute path", abs7, "FORT7", true},
        {"through a folder and back", "sub/../FORT7", "FORT7", true},
        {"symbolic link", "link.prn", "FORT7", true},
        {"hard link", "hard.prn", "FORT10", true},
    };
    fs::create_directory("sub");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove("link.prn");
        fs::remove("hard.prn");
        fs::remove("FORT7");
        fs::remove("FORT10");
        if (c.exists)
            writeFile(c.target, "kept\r\n");
        if (c.plot == "link.prn")
            fs::create_symlink(c.target, "link.prn");
        if (c.plot == "hard.prn")
            fs::create_hard_link(c.target, "hard.prn");
        EXPECT_EQ(lib.run("temp.inp", c.plot.c_str(), "temp.3D"), 3);
        if (c.exists)
            EXPECT_EQ(readFile(c.target), "kept\r\n");
        else
            EXPECT_FALSE(fs::exists(c.target));
    }
    // A plot file next to them is fine.
    EXPECT_EQ(lib.run("temp.inp", "sub/FORT7", "temp.3D"), 0);
}

// The report or the echo linked to another run file fails with its own code and leaves that file whole.
TEST_F(SpecialFiles, ReportOrEchoThatIsAnotherRunFileIsRefused) {
    LoadedEngine lib;
    ASSERT_TRUE(lib.loaded()) << dlerror();
    const std::string inp = readFile("temp.inp");
    fs::create_symlink("temp.inp", "FORT7");
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 5);
    EXPECT_EQ(readFile("temp.inp"), inp);
    fs::remove("FORT7");
    writeFile("FORT7", "");
    fs::create_hard_link("FORT7", "FORT10");
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 6);
    fs::remove("FORT10");
    EXPECT_EQ(lib.run("temp.inp", "temp.prn", "temp.3D"), 0);
}
