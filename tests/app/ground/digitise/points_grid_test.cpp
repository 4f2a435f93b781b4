#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ground/digitise/logic/DigSession.h"
#include "ground/digitise/logic/PointsGrid.h"
#include "shell/model/ParamFile.h"
#include "viewer/logic/GroundNodes.h"

namespace {

using digitise::CommitKey;

TEST(CheckRange, Messages) {
    const struct {
        digitise::RangeTexts texts;
        const char* message;
    } cases[] = {
        {{"", "1", "0", "1"}, "Error in Min X Value...."},
        {{"0", "x", "0", "1"}, "Error in Max X Value...."},
        {{"0", "1", "1e999", "1"}, "Error in Min Y Value...."},
        {{"0", "1", "0", "1e39"}, "Error in Max Y Value...."}, // beyond a Single
        {{"1", "1.00000001", "0", "1"}, "Min X and Max X cannot be equal...."},
        {{"0", "1", "-2", "-2.0"}, "Min Y and Max Y cannot be equal...."},
        {{"", "", "", ""}, "Error in Min X Value...."},
        {{"5", "-5", " 2 ", "1E3"}, ""}, // Min above Max is accepted
    };
    for (const auto& c : cases)
        EXPECT_EQ(digitise::CheckRange(c.texts).message, c.message) << c.texts.XMin << "|" << c.texts.XMax;
    const auto ok = digitise::CheckRange({"5", "-5", " 2 ", "1E3"});
    EXPECT_EQ(ok.range.XMin, 5);
    EXPECT_EQ(ok.range.YMax, 1000);
}

TEST(CommitCellText, Table) {
    const struct {
        const char* text;
        const char* cell;
    } cases[] = {{"abc", "0.00"},  {"12.3", "12.30"},  {" 7 ", "7.00"},   {"12abc", "0.00"},
                 {"", "0.00"},     {"-0.004", "0.00"}, {"1e400", "0.00"}, {"123456.789", "123456.79"},
                 {"-3.5", "-3.50"}};
    for (const auto& c : cases)
        EXPECT_EQ(digitise::CommitCellText(c.text), c.cell) << c.text;
}

TEST(CellAfterCommit, StaysWithinTheGrid) {
    const struct {
        CommitKey key;
        int row, col, toRow, toCol;
    } cases[] = {{CommitKey::Enter, 5, 0, 5, 1},    {CommitKey::Enter, 5, 1, 6, 0},
                 {CommitKey::Right, 5, 1, 6, 0},    {CommitKey::Enter, 100, 1, 100, 1},
                 {CommitKey::Left, 5, 0, 5, 0},     {CommitKey::Left, 5, 1, 5, 0},
                 {CommitKey::Up, 1, 1, 1, 1},       {CommitKey::Up, 2, 1, 1, 1},
                 {CommitKey::Down, 100, 0, 100, 0}, {CommitKey::Down, 99, 0, 100, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(digitise::CellAfterCommit(c.key, c.row, c.col, 101), std::pair(c.toRow, c.toCol))
            << static_cast<int>(c.key) << " " << c.row << "," << c.col;
}

struct Points : ::testing::Test {
    void SetUp() override { digitise::SizeGridColumns(grid, 2600, 255); }
    plat::GridModel grid;
};

TEST_F(Points, Layout) {
    EXPECT_EQ(grid.Rows(), 101);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Y");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Z");
    EXPECT_EQ(grid.ColWidth(0), (2600 - 255) / 2);
    EXPECT_EQ(std::pair(grid.Row(), grid.Col()), std::pair(1, 0));
    EXPECT_EQ(grid.LeftCol(), 0); // column 0 shows
}

TEST_F(Points, PasteTwoLinesThenCopyThemBack) {
    digitise::PasteClipboardToGrid(grid, 1, 0, "1.5\t2.5\r\n3\t4\r\n");
    EXPECT_EQ(grid.TextMatrix(1, 0), "1.5");
    EXPECT_EQ(grid.TextMatrix(1, 1), "2.5");
    EXPECT_EQ(grid.TextMatrix(2, 0), "3");
    EXPECT_EQ(grid.TextMatrix(2, 1), "4");
    EXPECT_EQ(grid.TextMatrix(3, 0), "");
    grid.Select(1, 0, 2, 1);
    EXPECT_EQ(digitise::CopyGridToClipboard(grid), "1.5\t2.5\r\n3\t4\r\n");
}

// Clipboard text of any bytes lands only in the grid's cells: never past row 100 or column 1, and
// never in the header.
TEST_F(Points, ArbitraryBytesStayInside) {
    std::mt19937 random(24);
    for (int round = 0; round < 200; ++round) {
        std::string text(random() % 600, '\0');
        for (char& ch : text)
            ch = static_cast<char>(random() % 4 == 0 ? "\t\r\n"[random() % 3] : random() % 256);
        const int row = 1 + static_cast<int>(random() % 100);
        digitise::PasteClipboardToGrid(grid, row, static_cast<int>(random() % 2), text);
        ASSERT_EQ(grid.Rows(), 101);
        ASSERT_EQ(grid.Cols(), 2);
        ASSERT_EQ(grid.TextMatrix(0, 0), "Y");
        ASSERT_EQ(grid.TextMatrix(0, 1), "Z");
    }
}

// The main window's ground profile grid: 30 data rows, columns 1 X, 2 Y, 3 Z, 4 the mark.
void FillGroundGrid(plat::GridModel& ground) {
    ground.SetRows(31);
    ground.SetCols(5);
    for (int r = 1; r < 31; ++r)
        for (int c = 1; c < 5; ++c)
            ground.SetTextMatrix(r, c, "old");
}

TEST_F(Points, TransferBecomesTheProfile) {
    digitise::PasteClipboardToGrid(grid, 1, 0, "-100.00\t1.50\n0.00\t2.00\n250.00\t-3.25\n");
    plat::GridModel ground;
    FillGroundGrid(ground);
    EXPECT_EQ(digitise::TransferToProfile(grid, ground), "");
    EXPECT_EQ(ground.TextMatrix(3, 2), "250.00");
    EXPECT_EQ(ground.TextMatrix(3, 3), "-3.25");
    EXPECT_EQ(ground.TextMatrix(4, 2) + ground.TextMatrix(4, 3) + ground.TextMatrix(30, 4), "");
    EXPECT_EQ(ground.TextMatrix(30, 1), "old"); // X is not the digitiser's
    EXPECT_TRUE(ground.Redraw());
    // The main window writes exactly these rows as the profile, and the viewer shows them.
    EXPECT_EQ(shell::CountGroundRows(ground), 3);
    const viewer::GroundNodes nodes = viewer::LoadGroundNodes(ground, false);
    ASSERT_EQ(nodes.NodeCount(), 3);
    EXPECT_FLOAT_EQ(nodes.NodeX[2], 250); // a profile node is (Y, −Y, Z)
    EXPECT_FLOAT_EQ(nodes.NodeZ[2], -3.25F);
}

TEST_F(Points, TransferOfNothingEmptiesTheProfile) {
    plat::GridModel ground;
    FillGroundGrid(ground);
    EXPECT_EQ(digitise::TransferToProfile(grid, ground), "");
    for (int r = 1; r < 31; ++r)
        EXPECT_EQ(ground.TextMatrix(r, 2) + ground.TextMatrix(r, 3) + ground.TextMatrix(r, 4), "") << r;
    EXPECT_EQ(shell::CountGroundRows(ground), 0);
}

TEST_F(Points, TransferRefusesMoreThanTheGridHolds) {
    for (int r = 1; r <= 31; ++r) {
        grid.SetTextMatrix(r, 0, std::to_string(r) + ".00");
        grid.SetTextMatrix(r, 1, "1.00");
    }
    plat::GridModel ground;
    FillGroundGrid(ground);
    const std::string message = digitise::TransferToProfile(grid, ground);
    EXPECT_NE(message.find("30"), std::string::npos) << message;
    EXPECT_EQ(ground.TextMatrix(1, 2), "old");
    EXPECT_EQ(ground.TextMatrix(30, 4), "old");
    grid.SetTextMatrix(31, 0, ""); // 30 points fit exactly
    EXPECT_EQ(digitise::TransferToProfile(grid, ground), "");
    EXPECT_EQ(shell::CountGroundRows(ground), 30);
}

} // namespace
