// The plot file's curve kept between redraws: parsed again exactly when the name, the content or
// the read options change, whatever the file's size and time say.
#include "plot/logic/PlotFileCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace plot;
namespace fs = std::filesystem;

class PlotFileCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder of each test's own: ctest runs the tests side by side.
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::path(TEST_OUTPUT_DIR) / "plot_file_cache" / info->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    // Writes the file in place (emptied, then written), as the engine does.
    std::string Write(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(PlotFileCacheTest, ParsesOnlyWhenTheNameTheBytesOrTheOptionsChange) {
    const std::string a = Write("a.prn", " 1.00000E+00  2.00000E+00\r\n 2.00000E+00  3.00000E+00\r\n");
    const std::string b = Write("b.prn", " 1.00000E+00  2.00000E+00\r\n");
    PlotFileCache cache;
    PlotTrace t;
    const PlotReadOptions options{3, 100, 1, 1};
    struct Step {
        const char* what;
        std::string path;
        PlotReadOptions options;
        int parses;
        float firstX;
    };
    const Step steps[] = {
        {"first read", a, options, 1, 101},          {"unchanged", a, options, 1, 101},
        {"another file", b, options, 2, 101},        {"back", a, options, 3, 101},
        {"another shift", a, {3, 50, 1, 1}, 4, 51},  {"another run type", a, {2, 50, 1, 1}, 5, 1},
        {"unchanged again", a, {2, 50, 1, 1}, 5, 1},
    };
    for (const Step& s : steps) {
        ASSERT_EQ(cache.Read(s.path, s.options, t), PlotReadStatus::Read) << s.what;
        EXPECT_EQ(cache.Parses(), s.parses) << s.what;
        ASSERT_GE(t.Count(), 1U) << s.what;
        EXPECT_EQ(t.X[0], s.firstX) << s.what;
    }
    EXPECT_EQ(t.Count(), 2U);
}

// Rewritten in place with the same size and given its old time back (what a rewrite within one
// tick of the file clock looks like), the file is parsed again and the new curve comes back.
TEST_F(PlotFileCacheTest, ASameSizeRewriteWithTheOldTimeIsReadAgain) {
    const std::string path = Write("run.prn", " 1.00000E+00  2.00000E+00\r\n");
    const fs::file_time_type time = fs::last_write_time(path);
    PlotFileCache cache;
    PlotTrace t;
    ASSERT_EQ(cache.Read(path, {}, t), PlotReadStatus::Read);
    Write("run.prn", " 1.00000E+00  7.00000E+00\r\n");
    fs::last_write_time(path, time);
    ASSERT_EQ(fs::file_size(path), 27U);
    ASSERT_EQ(cache.Read(path, {}, t), PlotReadStatus::Read);
    EXPECT_EQ(cache.Parses(), 2);
    EXPECT_EQ(t.Y, std::vector<float>{7.0F});
}

// A file that goes is silent and a bad one keeps its error; the curve is what the file says now.
TEST_F(PlotFileCacheTest, AMissingOrBadFileAndOneThatComesBack) {
    const std::string path = Write("run.prn", " 1.00000E+00  2.00000E+00\r\n");
    PlotFileCache cache;
    PlotTrace t;
    ASSERT_EQ(cache.Read(path, {}, t), PlotReadStatus::Read);
    fs::remove(path);
    EXPECT_EQ(cache.Read(path, {}, t), PlotReadStatus::NoFile);
    EXPECT_EQ(t.Count(), 0U);
    EXPECT_EQ(cache.Read("", {}, t), PlotReadStatus::NoFile);
    Write("run.prn", " 1.00000E+00  2.00000E+00\r\n");
    ASSERT_EQ(cache.Read(path, {}, t), PlotReadStatus::Read);
    EXPECT_EQ(t.Y, std::vector<float>{2.0F});
    Write("run.prn", "one two\r\n");
    EXPECT_EQ(cache.Read(path, {}, t), PlotReadStatus::InputError);
    EXPECT_EQ(cache.Read(path, {}, t), PlotReadStatus::InputError);
    EXPECT_EQ(t.Count(), 0U);
}

} // namespace
