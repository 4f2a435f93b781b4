// The ground editor's operations on the grid model: swaps, translate, the clipboard, the 2D profile,
// cut and node commands and the elevation look-up.

#include "ground/logic/GroundOperations.h"

#include <gtest/gtest.h>

using namespace ground;

namespace {

NodeTexts Node(const plat::GridModel& g, int row) {
    return {g.TextMatrix(row, 1), g.TextMatrix(row, 2), g.TextMatrix(row, 3)};
}

// A grid of numY cuts of numX nodes whose node (i, j) holds X "xi", Y "yj", Z "zji".
void Named(plat::GridModel& g, int numX, int numY) {
    SetupGroundGrid(g, numY, numX);
    for (int j = 1; j <= numY; ++j)
        for (int i = 1; i <= numX; ++i) {
            const std::string n = std::to_string(i);
            const std::string c = std::to_string(j);
            g.SetTextMatrix(NodeRow(numX, j, i), 1, "x" + n);
            g.SetTextMatrix(NodeRow(numX, j, i), 2, "y" + c);
            g.SetTextMatrix(NodeRow(numX, j, i), 3, "z" + c + n);
        }
}

} // namespace

TEST(GroundSwap, ReversesNodesOrCutsAndTwiceRestores) {
    plat::GridModel g;
    SetupGroundGrid(g, 2, 3);
    const char* xs[] = {"-50", "0", "50"};
    for (int i = 1; i <= 3; ++i)
        g.SetTextMatrix(i, 1, xs[i - 1]);
    SwapX(g, 3, 2);
    EXPECT_EQ(g.TextMatrix(1, 1), "50");
    EXPECT_EQ(g.TextMatrix(2, 1), "0");
    EXPECT_EQ(g.TextMatrix(3, 1), "-50");
    EXPECT_EQ(g.TextMatrix(4, 1), " X");
    SwapX(g, 3, 2);
    EXPECT_EQ(g.TextMatrix(1, 1), "-50");

    plat::GridModel n;
    Named(n, 2, 3);
    SwapY(n, 2, 3);
    EXPECT_EQ(Node(n, NodeRow(2, 1, 2)), (NodeTexts{"x2", "y3", "z32"}));
    EXPECT_EQ(Node(n, NodeRow(2, 3, 1)), (NodeTexts{"x1", "y1", "z11"}));
    EXPECT_EQ(n.TextMatrix(NodeRow(2, 2, 0), 0), "#2");
    // Counts typed but not applied: nothing moves.
    SwapY(n, 2, 4);
    SwapX(n, 1, 3);
    EXPECT_EQ(Node(n, NodeRow(2, 1, 2)), (NodeTexts{"x2", "y3", "z32"}));
}

TEST(GroundTranslate, AddsInSingleWithOneToThreeDecimals) {
    plat::GridModel g;
    SetupGroundGrid(g, 1, 2);
    g.SetTextMatrix(1, 1, "5");
    g.SetTextMatrix(1, 2, "100");
    g.SetTextMatrix(1, 3, "12.3456");
    g.SetTextMatrix(2, 3, "");
    EXPECT_FALSE(TranslateAllData(g, 2, 1, 2.5f, 10.0f, 0.0f));
    EXPECT_EQ(Node(g, 1), (NodeTexts{"15.0", "102.5", "12.346"}));
    EXPECT_EQ(Node(g, 2), (NodeTexts{"10.0", "2.5", ""}));
}

TEST(GroundTranslate, ACellThatIsNoNumberStopsItBeforeAnyChange) {
    plat::GridModel g;
    SetupGroundGrid(g, 2, 1);
    g.SetTextMatrix(3, 2, "abc");
    const std::optional<GridCell> bad = TranslateAllData(g, 1, 2, 1.0f, 1.0f, 1.0f);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->row, 3);
    EXPECT_EQ(bad->col, 2);
    EXPECT_EQ(Node(g, 1), (NodeTexts{"0.000", "0.000", "0.000"}));
}

TEST(GroundCopy, BlockEitherWayRoundStepsOverHeaders) {
    plat::GridModel g;
    Named(g, 2, 2);
    g.Select(1, 1, 2, 3);
    EXPECT_EQ(CopyCells(g), "x1\ty1\tz11\r\nx2\ty1\tz12\r\n");
    g.Select(4, 3, 2, 2); // drawn upwards and to the left, over the header row 3
    EXPECT_EQ(CopyCells(g), "y1\tz12\r\ny2\tz21\r\n");
}

TEST(GroundPaste, FillsNodeRowsAndNeverAHeader) {
    plat::GridModel g;
    SetupGroundGrid(g, 3, 1);
    g.Select(1, 1);
    PasteCells(g, 1, 1, "1\t2\r\n3\t4");
    EXPECT_EQ(Node(g, 1), (NodeTexts{"1", "2", "0.000"}));
    EXPECT_EQ(g.TextMatrix(2, 1), " X");
    EXPECT_EQ(Node(g, 3), (NodeTexts{"3", "4", "0.000"}));

    // On a header row: from the next node row on. LF alone ends a row too.
    PasteCells(g, 2, 2, "7\n8\t9\t10\t11\n12\n13");
    EXPECT_EQ(g.TextMatrix(2, 2), " Y");
    EXPECT_EQ(Node(g, 3), (NodeTexts{"3", "7", "0.000"}));
    EXPECT_EQ(Node(g, 5), (NodeTexts{"0.000", "8", "9"}));
    EXPECT_EQ(g.TextMatrix(4, 2), " Y");
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
}

TEST(GroundPaste, BytesOfAnyKindStayInsideTheGrid) {
    plat::GridModel g;
    SetupGroundGrid(g, 2, 2);
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 37) % 256);
    PasteCells(g, 5, 3, junk);
    PasteCells(g, 1, 1, std::string(100, '\t') + std::string(100, '\n') + "x");
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.Cols(), 4);
    EXPECT_EQ(g.TextMatrix(3, 1), " X");
}

TEST(GroundProfile2D, ThreeLinesBecomeThreeCutsAcrossTheRunway) {
    const std::vector<ProfileLine> lines = ProfileLines("0\t1\r\n1000\t2.5\r\n2000\t-3\r\n");
    ASSERT_EQ(lines.size(), 3u);
    plat::GridModel g;
    SetupGroundGrid(g, 3, 3);
    g.Select(7, 2);
    Fill2DTo3D(g, lines);
    EXPECT_EQ(Node(g, 1), (NodeTexts{"-5000", "0", "1"}));
    EXPECT_EQ(Node(g, 2), (NodeTexts{"0", "0", "1"}));
    EXPECT_EQ(Node(g, 7), (NodeTexts{"5000", "1000", "2.5"}));
    EXPECT_EQ(Node(g, NodeRow(3, 3, 3)), (NodeTexts{"5000", "2000", "-3"}));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);

    EXPECT_EQ(ProfileLines(std::string(150, '\n') + "x").size(), 100u);
    EXPECT_FALSE(ProfileLines("no tab\r\n")[0]);
    EXPECT_TRUE(ProfileLines("").empty());
}

TEST(GroundCuts, InsertAfterTheLastKeepsFreshTextsInTheMiddleZeros) {
    plat::GridModel g;
    Named(g, 2, 2);
    EXPECT_EQ(InsertNode(g, 2, 2, 2), 3);
    EXPECT_EQ(Node(g, NodeRow(2, 3, 1)), (NodeTexts{"0.000", "0.000", "0.000"}));
    EXPECT_EQ(InsertNode(g, 2, 3, 1), 4);
    EXPECT_EQ(Node(g, NodeRow(2, 2, 2)), (NodeTexts{"0", "0", "0"}));
    EXPECT_EQ(Node(g, NodeRow(2, 3, 2)), (NodeTexts{"x2", "y2", "z22"}));
    EXPECT_EQ(InsertNode(g, 2, 4, 0), 5);
    EXPECT_EQ(Node(g, NodeRow(2, 1, 1)), (NodeTexts{"0", "0", "0"}));
    EXPECT_EQ(g.Rows(), 15);
    EXPECT_EQ(g.TextMatrix(NodeRow(2, 5, 0), 0), "#5");
}

TEST(GroundCuts, EdgesDoNothing) {
    plat::GridModel g;
    SetupGroundGrid(g, kMaxCount, 1);
    EXPECT_EQ(InsertNode(g, 1, kMaxCount, 3), kMaxCount);
    SetupGroundGrid(g, 1, 3);
    EXPECT_EQ(RemoveNode(g, 3, 1, 1), 1);
    SetupGroundGrid(g, 3, 1);
    EXPECT_EQ(RemoveRowFromAll(g, 1, 3, 1), 1);
    Named(g, 2, 2);
    EXPECT_EQ(RemoveRowFromAll(g, 2, 2, 3), 2); // the header of cut 2
    EXPECT_EQ(RemoveNode(g, 2, 3, 1), 3);       // counts disagree with the grid
    EXPECT_EQ(g.Rows(), 6);
}

TEST(GroundCuts, RemoveACutOrANodeFromEveryCut) {
    plat::GridModel g;
    Named(g, 3, 3);
    EXPECT_EQ(RemoveNode(g, 3, 3, SelectedCut(5, 3)), 2); // row 5 is node 1 of cut 2
    EXPECT_EQ(Node(g, NodeRow(3, 2, 1)), (NodeTexts{"x1", "y3", "z31"}));
    EXPECT_EQ(RemoveRowFromAll(g, 3, 2, 2), 2);
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(Node(g, NodeRow(2, 1, 2)), (NodeTexts{"x3", "y1", "z13"}));
    EXPECT_EQ(Node(g, NodeRow(2, 2, 1)), (NodeTexts{"x1", "y3", "z31"}));
}

TEST(GroundElevation, BetweenTheNodesOfTheCutAtZero) {
    plat::GridModel g;
    SetupGroundGrid(g, 2, 2);
    const NodeTexts nodes[] = {{"0", "0", "10"}, {"50", "0", "20"}, {"0", "100", "90"}, {"50", "100", "90"}};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c)
            g.SetTextMatrix(k < 2 ? k + 1 : k + 2, c + 1, nodes[k][c]);
    struct Case {
        float x;
        float z;
    };
    for (const Case c : {Case{25, 15}, Case{50, 20}, Case{0, 10}, Case{80, 0}}) {
        EXPECT_FLOAT_EQ(GroundElevationAt(g, 0, c.x), c.z) << c.x;
    }
    g.SetTextMatrix(1, 2, "5");
    g.SetTextMatrix(2, 2, "5");
    EXPECT_FLOAT_EQ(GroundElevationAt(g, 0, 25), 0);
}
