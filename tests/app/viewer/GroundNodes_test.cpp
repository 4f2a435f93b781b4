#include "viewer/logic/GroundNodes.h"

#include "platform/grid/GridModel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using common::MakeVector;
using namespace viewer;

namespace {

// A grid of the given rows (row 0 is the grid's own header and is skipped by the reader).
void Fill(plat::GridModel& grid, const std::vector<std::vector<std::string>>& rows, int cols = 5) {
    grid.SetCols(cols);
    grid.SetRows(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[r].size()) && c < cols; ++c)
            grid.SetTextMatrix(r + 1, c, rows[r][c]);
}

TEST(GroundNodes, ProfileRowsWhileMarked) {
    plat::GridModel grid;
    Fill(grid, {{"", "", "100", "5", " X "}, {"", "", "-200", "7.5", "X"}, {"", "", "300", "9", ""},
                {"", "", "400", "1", "X"}});
    const GroundNodes nodes = LoadGroundNodes(grid, false);
    EXPECT_EQ(nodes.NodeCount(), 2); // the unmarked third row ends the load
    EXPECT_EQ(nodes.NodeX, (std::vector<float>{100, -200}));
    EXPECT_EQ(nodes.NodeY, (std::vector<float>{-100, 200}));
    EXPECT_EQ(nodes.NodeZ, (std::vector<float>{5, 7.5F}));
    EXPECT_EQ(nodes.NodeCut, (std::vector<int>{1, 1}));
    EXPECT_EQ(nodes.CutCount, 2);
    // Lower-case "x", an empty height: the load ends there.
    Fill(grid, {{"", "", "1", "1", "x"}});
    EXPECT_EQ(LoadGroundNodes(grid, false).NodeCount(), 0);
    Fill(grid, {{"", "", "1", "1", "X"}, {"", "", "2", "", "X"}});
    EXPECT_EQ(LoadGroundNodes(grid, false).NodeCount(), 1);
}

TEST(GroundNodes, CutsOfTheEditorGrid) {
    plat::GridModel grid;
    Fill(grid, {{"", "0", "0", "1"}, {"", "10", "0", "2"}, {"", "20", "0", "3"}, {"", " x ", "", ""},
                {"", "0", "100", "4"}, {"", "10", "100", "5"}, {"", "X"}, {"", "0", "200", "6"}, {"", ""},
                {"", "50", "50", "9"}});
    const GroundNodes nodes = LoadGroundNodes(grid, true);
    EXPECT_EQ(nodes.NodeCount(), 6);
    EXPECT_EQ(nodes.CutNodeCount, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(nodes.CutCount, 4);
    EXPECT_EQ(nodes.NodeCut, (std::vector<int>{1, 1, 1, 2, 2, 3}));
    EXPECT_EQ(nodes.NodeX[4], 10);
    EXPECT_EQ(nodes.NodeY[4], 100);
    EXPECT_EQ(nodes.NodeZ[5], 6);
    // Quads only where both cuts have the node: one between cuts 1 and 2, none with cut 3.
    EXPECT_EQ(TerrainQuads(nodes), (std::vector<std::array<int, 4>>{{0, 1, 4, 3}}));
    // A first header followed by no node rows loads nothing.
    Fill(grid, {{"", ""}, {"", "1", "2", "3"}});
    const GroundNodes none = LoadGroundNodes(grid, true);
    EXPECT_EQ(none.NodeCount(), 0);
    EXPECT_TRUE(TerrainQuads(none).empty());
    // Fewer columns than the reader asks for read as empty.
    Fill(grid, {{"", "1", "2", "3"}}, 3);
    EXPECT_EQ(LoadGroundNodes(grid, true).NodeCount(), 0);
}

TEST(GroundNodes, EqualCutsMakeAFullQuadGridAndTheMeshFollowsEdits) {
    plat::GridModel grid;
    std::vector<std::vector<std::string>> rows;
    for (int j = 0; j < 100; ++j) {
        if (j > 0)
            rows.push_back({"", "X"});
        for (int i = 0; i < 100; ++i)
            rows.push_back({"", std::to_string(i * 10), std::to_string(j * 20), "1"});
    }
    Fill(grid, rows);
    GroundNodes nodes = LoadGroundNodes(grid, true);
    ASSERT_EQ(nodes.NodeCount(), 10000);
    EXPECT_EQ(nodes.CutCount, 101);
    EXPECT_EQ(TerrainQuads(nodes).size(), 99U * 99U);
    GroundMesh mesh;
    const DelaunayMesh& first = mesh.For(nodes);
    EXPECT_EQ(first.Vertices.size(), 10000U);
    EXPECT_EQ(first.Triangles.size(), 2U * 10000 - 2 - 396);
    EXPECT_EQ(first.Vertices[1], MakeVector(0, 10, 1)); // (Y, X, Z)
    const DelaunayMesh* same = &mesh.For(nodes);
    EXPECT_EQ(same, &first);
    nodes.NodeZ[1] = 7;
    EXPECT_EQ(mesh.For(nodes).Vertices[1].Z, 7);
    nodes.NodeX.resize(3);
    nodes.NodeY.resize(3);
    nodes.NodeZ.resize(3);
    EXPECT_EQ(mesh.For(nodes).Triangles.size(), 0U); // three collinear nodes
}

GroundNodes Nodes(const std::vector<std::array<float, 3>>& xyz) {
    GroundNodes nodes;
    for (const auto& [x, y, z] : xyz) {
        nodes.NodeX.push_back(x);
        nodes.NodeY.push_back(y);
        nodes.NodeZ.push_back(z);
        nodes.NodeCut.push_back(1);
    }
    return nodes;
}

TEST(GroundNodes, ThresholdElevation) {
    struct Case {
        const char* name;
        std::vector<std::array<float, 3>> nodes;
        bool freeView;
        float expected;
    };
    const std::vector<Case> cases = {
        {"node at y 0", {{5, -10, 1}, {0, 0, 4}, {0, 10, 9}}, false, 4},
        {"interpolated", {{0, -10, 2}, {0, 30, 10}, {0, 10, 6}, {0, -20, 99}}, false, 4},
        {"one side only", {{0, 10, 2}, {0, 20, 3}}, false, kThresholdNotFound},
        {"no nodes", {}, false, kThresholdNotFound},
        {"four around", {{10, 0, 5}, {-10, 0, 7}, {0, 10, 6}, {0, -10, 4}}, true, 7.5F},
        {"three around", {{10, 0, 5}, {-10, 0, 7}, {0, 10, 6}}, true, kThresholdNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(UpdateThresholdElevation(Nodes(c.nodes), c.freeView), c.expected);
    }
}

TEST(GroundNodes, RunwayTriangles) {
    const auto origin = MakeVector(100, 0, 0);
    struct Case {
        float x;
        float y;
        int expected;
    };
    // The other two corners lie well inside; x' = origin.x + x.
    const std::vector<Case> cases = {
        {-100, 0, 1}, {-99.99F, 0, 0}, {-100, 75, 1}, {-100, -75, 1}, {-100, 75.01F, 0},
        {-10100, 0, 1}, {-10100.5F, 0, 0}, {-5000, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(TriangleInRunway(MakeVector(-500, 0, 0), MakeVector(-600, 10, 0), MakeVector(c.x, c.y, 0), origin,
                                   10000, 150),
                  c.expected);
    }
}

TEST(GroundNodes, AnyTextReadsWithoutFault) {
    std::mt19937 random(99);
    const std::vector<std::string> pieces = {"X", "x", " ", "", "1e39", "-1e400", "1e308", "12abc", "\x01\xff",
                                             "-0", "3.5", "e", "1e-50", "NaN", "inf", "  X  ", "9999999999"};
    plat::GridModel grid;
    for (int round = 0; round < 300; ++round) {
        const int rows = 1 + static_cast<int>(random() % 40);
        const int cols = 1 + static_cast<int>(random() % 6);
        grid.SetCols(cols);
        grid.SetRows(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                std::string text = pieces[random() % pieces.size()];
                if (random() % 4 == 0)
                    for (int k = random() % 8; k > 0; --k)
                        text += static_cast<char>(random() % 256);
                grid.SetTextMatrix(r, c, text);
            }
        for (const bool threeD : {false, true}) {
            const GroundNodes nodes = LoadGroundNodes(grid, threeD);
            ASSERT_LE(nodes.NodeCount(), rows);
            ASSERT_EQ(nodes.NodeY.size(), nodes.NodeX.size());
            UpdateThresholdElevation(nodes, threeD);
            TerrainQuads(nodes);
            GroundMesh().For(nodes);
        }
    }
}

} // namespace
