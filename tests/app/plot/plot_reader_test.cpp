// The plot-file reader: separators, line ends, the origin shift, the data's ends by direction,
// and what it refuses.

#include "plot/logic/PlotFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace plot;

TEST(PlotFileReader, SeparatorsAndLineEnds) {
    const char* texts[] = {
        " 2.43040E+04 -1.25000E+01\n 1.00000E+02  3.50000E+00\n",     // the engine's form
        " 2.43040E+04 -1.25000E+01\r\n 1.00000E+02  3.50000E+00\r\n", // CR LF
        "24304,-12.5\n100,3.5",                                       // comma, no last line end
        "24304 , -12.5\r\n\r\n  \n100\t,\t3.5\n\n",                   // blanks round the comma, blank lines
        "+24304\t-1.25e1\n1e2 +.35E1\n",
    };
    for (const char* text : texts) {
        PlotTrace t;
        ASSERT_EQ(ParsePlotText(text, {}, t), PlotReadStatus::Read) << text;
        EXPECT_EQ(t.X, (std::vector<float>{24304.0F, 100.0F})) << text;
        EXPECT_EQ(t.Y, (std::vector<float>{-12.5F, 3.5F})) << text;
    }
}

TEST(PlotFileReader, OriginShiftOnlyForAnApproach) {
    for (const std::uint8_t type : {0, 1, 2, 3, 4, 6, 7}) {
        PlotTrace t;
        ASSERT_EQ(ParsePlotText("31005.5 1\n3005.5 2\n", {type, -1005.5F, 1, 1}, t), PlotReadStatus::Read);
        const float shift = type == 3 ? -1005.5F : 0.0F;
        EXPECT_EQ(t.X, (std::vector<float>{31005.5F + shift, 3005.5F + shift})) << int(type);
        EXPECT_EQ(t.Xlo, 3005.5F + shift);
        EXPECT_EQ(t.Xhi, 31005.5F + shift);
    }
}

TEST(PlotFileReader, EndsFollowTheAxisDirections) {
    const char* text = "3 5\n1 -2\n2 7\n";
    struct Case {
        std::int16_t xDir, yDir;
        float xlo, xhi, ylo, yhi;
    };
    for (const Case c : {Case{1, 1, 1, 3, -2, 7}, Case{-1, -1, 3, 1, 7, -2}, Case{1, -1, 1, 3, 7, -2}}) {
        PlotTrace t;
        ASSERT_EQ(ParsePlotText(text, {0, 0, c.xDir, c.yDir}, t), PlotReadStatus::Read);
        EXPECT_EQ(t.Xlo, c.xlo);
        EXPECT_EQ(t.Xhi, c.xhi);
        EXPECT_EQ(t.Ylo, c.ylo);
        EXPECT_EQ(t.Yhi, c.yhi);
    }
}

TEST(PlotFileReader, FileInputErrorLeavesNothing) {
    const char* texts[] = {
        "1 2\n1 3.5E+38\n",        // y past the Single range
        "1 2\n-3.4028236E+38 1\n", // x past the Single range
        "1 2\n1 1E+400\n",         // past any number
        "1 2\n1\n",                // one number
        "1 2\n1 2 3\n",            // three
        "1 2\nabc def\n",
        "1 2\n1,,2\n",
        "1 2\n12\t\tx\n",
        "1 2\nnan 1\n",
        "1 2\n1 inf\n",
        "1 2\n1-2\n", // no separator
    };
    for (const char* text : texts) {
        PlotTrace t;
        EXPECT_EQ(ParsePlotText(text, {}, t), PlotReadStatus::InputError) << text;
        EXPECT_EQ(t.Count(), 0U) << text;
    }
    PlotTrace t;
    EXPECT_EQ(ParsePlotText("1 3.4028E+38\n-3.40282E+38 0\n", {}, t), PlotReadStatus::Read);
}

TEST(PlotFileReader, KeepsEveryPointUpToAMillion) {
    std::string text;
    for (int i = 0; i < 25000; ++i)
        text += std::to_string(i) + " 1\n";
    PlotTrace t;
    ASSERT_EQ(ParsePlotText(text, {}, t), PlotReadStatus::Read);
    EXPECT_EQ(t.Count(), 25000U);
    EXPECT_EQ(t.X.back(), 24999.0F);

    std::string big;
    big.reserve((kMaxPlotPoints + 1) * 4);
    for (std::size_t i = 0; i <= kMaxPlotPoints; ++i)
        big += "1 2\n";
    EXPECT_EQ(ParsePlotText(big, {}, t), PlotReadStatus::InputError);
    big.resize(big.size() - 4);
    ASSERT_EQ(ParsePlotText(big, {}, t), PlotReadStatus::Read);
    EXPECT_EQ(t.Count(), kMaxPlotPoints);
}

TEST(PlotFileReader, MissingFileIsSilent) {
    const std::filesystem::path dir = std::filesystem::path(TEST_OUTPUT_DIR) / "plot_reader";
    std::filesystem::create_directories(dir);
    PlotTrace t;
    EXPECT_EQ(ReadPlotFile("", {}, t), PlotReadStatus::NoFile);
    EXPECT_EQ(ReadPlotFile((dir / "none.prn").string(), {}, t), PlotReadStatus::NoFile);
    EXPECT_EQ(ReadPlotFile(dir.string(), {}, t), PlotReadStatus::NoFile);
    const std::string path = (dir / "run.prn").string();
    std::ofstream(path, std::ios::binary) << " 1.00000E+00  2.00000E+00\r\n";
    ASSERT_EQ(ReadPlotFile(path, {}, t), PlotReadStatus::Read);
    EXPECT_EQ(t.Y, std::vector<float>{2.0F});
}
