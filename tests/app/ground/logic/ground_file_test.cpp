// The .3D file: the grid's layout, the writer against files written by hand, and the reader's splits
// and refusals.

#include "ground/logic/GroundFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace ground;

namespace {

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Golden(const char* name) {
    return Slurp(std::filesystem::path(GROUND_DATA_DIR) / name);
}

NodeTexts Node(const plat::GridModel& g, int row) {
    return {g.TextMatrix(row, 1), g.TextMatrix(row, 2), g.TextMatrix(row, 3)};
}

} // namespace

TEST(GroundGridLayout, TwentyCutsOfTenNodesWithGreyHeaders) {
    plat::GridModel g;
    SetupGroundGrid(g, 20, 10);
    EXPECT_EQ(g.Rows(), 220);
    EXPECT_EQ(g.Cols(), 4);
    EXPECT_EQ(g.ColWidth(0), 350);
    EXPECT_EQ(g.ColWidth(3), 992);
    for (int j = 1; j <= 20; ++j) {
        const int header = NodeRow(10, j, 0);
        EXPECT_EQ(g.TextMatrix(header, 1), " X");
        EXPECT_EQ(g.TextMatrix(header, 3), " Z");
        EXPECT_TRUE(IsHeaderRow(g, header));
        EXPECT_EQ(g.TextMatrix(header, 0), j == 1 ? "" : "#" + std::to_string(j));
        for (int i = 1; i <= 10; ++i) {
            EXPECT_FALSE(IsHeaderRow(g, header + i));
            EXPECT_EQ(g.TextMatrix(header + i, 0), std::to_string(i));
            EXPECT_EQ(Node(g, header + i), (NodeTexts{"0.000", "0.000", "0.000"}));
        }
    }
    EXPECT_EQ(g.CellBackColor(11, 0), kHeaderColour);
}

TEST(GroundFileWriter, MatchesFilesWrittenByHand) {
    plat::GridModel g;
    SetupGroundGrid(g, 1, 1);
    EXPECT_EQ(Format3DText(g, 1, 1, false).bytes, Golden("fresh_1x1.3D"));
    EXPECT_EQ(CountsLine(10, 20), Golden("counts_10x20.txt"));

    g.SetTextMatrix(1, 1, "100");
    g.SetTextMatrix(1, 2, "-30.5");
    g.SetTextMatrix(1, 3, "2");
    EXPECT_EQ(Format3DText(g, 1, 1, true).bytes, Golden("metres_node.3D"));
}

TEST(GroundFileWriter, TwoDecimalsWithAHyphenMinus) {
    plat::GridModel g;
    SetupGroundGrid(g, 1, 1);
    g.SetTextMatrix(1, 1, "-3");
    g.SetTextMatrix(1, 2, "0.456");
    g.SetTextMatrix(1, 3, " 12.5 ");
    EXPECT_EQ(Format3DText(g, 1, 1, false).bytes, CountsLine(1, 1) + "-3.00 0.46 12.50\r\n");
}

TEST(GroundFileWriter, ACellThatIsNoNumberIsNamedAndNothingWritten) {
    plat::GridModel g;
    SetupGroundGrid(g, 2, 2);
    for (const char* bad : {"abc", "", "1e39", "12abc"}) {
        g.SetTextMatrix(5, 2, bad);
        const GroundWriteText out = Format3DText(g, 2, 2, false);
        ASSERT_TRUE(out.badCell) << bad;
        EXPECT_EQ(out.badCell->row, 5);
        EXPECT_EQ(out.badCell->col, 2);
        EXPECT_TRUE(out.bytes.empty());
    }
}

TEST(GroundFileReader, MetresLineReadsBackAsShown) {
    const GroundReadResult r = Parse3DText(Golden("metres_node.3D"), true);
    ASSERT_TRUE(r.data) << r.error;
    EXPECT_EQ(r.data->cuts[0][0], (NodeTexts{"100", "-30.5", "2"}));
    const GroundReadResult feet = Parse3DText(" 1 1\r\n12.3456 0 -0.004\r\n", false);
    ASSERT_TRUE(feet.data);
    EXPECT_EQ(feet.data->cuts[0][0], (NodeTexts{"12.35", "0", "0"}));
}

TEST(GroundFileReader, AnySplitOfTheNumbersReadsTheSame) {
    const NodeTexts first{"1", "2", "3"};
    const NodeTexts second{"-4", "5.5", "6"};
    const char* texts[] = {
        " 1             2 \r\n1 2 3\r\n-4 5.5 6\r\n", // the writer's layout
        "1 2\n1 2 3\n-4 5.5 6\n",                     // LF
        "1\r\n2\r\n1\r\n2\r\n3\r\n-4\r\n5.5\r\n6",    // one a line, no last line end
        "1,2\r\n1,2,3,-4,5.5,6\r\n",                  // commas, all nodes on a line
        "  1 2 1 2\t3 -4\r5.5 6",                     // tab, CR alone
    };
    for (const char* text : texts) {
        const GroundReadResult r = Parse3DText(text, false);
        ASSERT_TRUE(r.data) << text << ": " << r.error;
        EXPECT_EQ(r.data->numX, 1);
        EXPECT_EQ(r.data->numY, 2);
        EXPECT_EQ(r.data->cuts[0][0], first);
        EXPECT_EQ(r.data->cuts[1][0], second);
    }
}

TEST(GroundFileReader, RefusesIncompleteOrMalformedFiles) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"", "first line"},
        {" 2 1\r\n1 2 3\r\n4 5\r\n", "ends before node 2 of cut 1"},
        {" 1 1\r\n1 abc 3\r\n", "\"abc\" at node 1 of cut 1 is not a number"},
        {" 0 5\r\n", "from 1 to 100"},
        {" 101 1\r\n", "from 1 to 100"},
        {" -3 2\r\n", "from 1 to 100"},
        {" 40000 40000\r\n", "from 1 to 100"},
        {"11 .5 6\r\n", "from 1 to 100"}, // 0.5 rounds to 0
        {" 1 1\r\n1 2 1e39\r\n", "not a number"},
    };
    for (const Case& c : cases) {
        const GroundReadResult r = Parse3DText(c.text, false);
        EXPECT_FALSE(r.data) << c.text;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
    }
    // In metres, a value whose feet would overflow when written back.
    EXPECT_FALSE(Parse3DText(" 1 1\r\n1 2 1e39\r\n", true).data);
    EXPECT_TRUE(Parse3DText(" 1 1\r\n1 2 1e38\r\n", true).data);
    // A NUL byte inside a number.
    const std::string withNul(" 1 1\r\n1 2\0 3\r\n", 14);
    EXPECT_FALSE(Parse3DText(withNul, false).data);
}

TEST(GroundFileReader, ExampleLoadsAndSavesInTheEditorsLayout) {
    const GroundReadResult r = Read3DFile(std::filesystem::path(PELLON_EXAMPLES_DIR) / "cegs_site.3D", false);
    ASSERT_TRUE(r.data) << r.error;
    EXPECT_EQ(r.data->numX, 3);
    EXPECT_EQ(r.data->numY, 8);
    plat::GridModel g;
    FillGroundGrid(g, *r.data);
    EXPECT_EQ(Node(g, NodeRow(3, 3, 1)), (NodeTexts{"-1000", "2500", "-3"}));
    EXPECT_EQ(Format3DText(g, 3, 8, false).bytes, Golden("cegs_site_saved.3D"));
}

TEST(GroundFileReader, AMissingFileIsRefused) {
    EXPECT_FALSE(Read3DFile("/nonexistent/ground.3D", false).data);
}
