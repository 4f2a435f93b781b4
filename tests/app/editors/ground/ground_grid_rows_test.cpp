// The profile grid's row operations: Backspace with compaction, Delete, clicks on the mark column,
// copy and paste through the clipboard, Flatten and Restore.

#include "GroundGridFixture.h"

#include <gtest/gtest.h>

using namespace shell;

namespace {

using Row = std::vector<std::string>;
const Row kEmpty{"", "", "", ""};

// Rows 1 to 5 of a typed profile (X filled by entering the rows).
void FiveRows(plat::GridModel& g) {
    Fill(g, {{"0.000", "-1000.000", "0.000", " X "},
            {"0.000", "10", "1", " X "},
            {"0.000", "25", "2", " X "},
            {"0.000", "40", "3", " X "},
            {"0.000", "60", "4", " X "}});
}

TEST(GroundGridBackspace, EmptiesTheRowAndClosesUpWithMarksInPlace) {
    GroundFixture f;
    FiveRows(f.grid);
    f.grid.Select(2, 3, 2, 3);
    f.Press(8);
    EXPECT_EQ(RowTexts(f.grid, 1), (Row{"0.000", "-1000.000", "0.000", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 2), (Row{"0.000", "25.000", "2.000", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 3), (Row{"0.000", "40.000", "3.000", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 4), (Row{"0.000", "60.000", "4.000", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 5), (Row{"", "", "", " X "}));
    EXPECT_EQ(f.grid.Row(), 2);
    EXPECT_EQ(f.grid.Col(), 3);
    EXPECT_TRUE(f.grid.Redraw());
    EXPECT_EQ(CountGroundRows(f.grid), 4);
}

// Rows as the paste and the digitiser leave them: Y and Z without the hidden X.
TEST(GroundGridCompaction, PastedRowsKeepTheirPlaceAndOrder) {
    const struct {
        const char* name;
        std::vector<Row> before; // rows 1..n
        int backspaceRow;
        std::vector<Row> after;
    } cases[] = {
        {"PastedRowsAfterTheCleared",
         {{"0.000", "1", "1", " X"}, {"", "2", "2", " X"}, {"", "3", "3", " X"}, {"", "4", "4", " X"}},
         1,
         {{"0.000", "2.000", "2.000", " X"},
          {"0.000", "3.000", "3.000", " X"},
          {"0.000", "4.000", "4.000", " X"},
          {"", "", "", " X"}}},
        {"TypedRowAfterPastedOnes",
         {{"", "1", "1", " X"}, {"", "2", "2", " X"}, {"0.000", "3", "3", " X"}, {"", "", "", ""}},
         4,
         {{"0.000", "1", "1", " X"}, {"0.000", "2", "2", " X"}, {"0.000", "3", "3", " X"}, kEmpty}},
        {"GapInTheMiddle",
         {{"", "1", "1", " X"}, {"", "", "5", ""}, {"", "3", "3", " X"}, {"0.000", "4", "4", " X"}},
         2,
         {{"0.000", "1", "1", " X"},
          {"0.000", "3.000", "3.000", ""},
          {"0.000", "4.000", "4.000", " X"},
          {"", "", "", " X"}}},
        {"TextIsNoNumber",
         {{"", "1", "1", " X"}, {"", "a", "2", " X"}, {"", "3", "3", " X"}, {"", "", "", ""}},
         4,
         {{"0.000", "1", "1", " X"}, {"0.000", "3.000", "3.000", " X"}, {"", "", "", " X"}, kEmpty}},
    };
    for (const auto& c : cases) {
        GroundFixture f;
        for (std::size_t i = 0; i < c.before.size(); ++i)
            for (int col = 1; col <= 4; ++col)
                f.grid.SetTextMatrix(static_cast<int>(i) + 1, col,
                                     c.before[i][static_cast<std::size_t>(col - 1)]);
        f.grid.Select(c.backspaceRow, 2, c.backspaceRow, 2);
        f.Press(8);
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(RowTexts(f.grid, static_cast<int>(i) + 1), c.after[i]) << c.name << " row " << i + 1;
    }
}

TEST(GroundGridDelete, RemovesOneRowAndMovesTheFollowingRunUp) {
    {
        GroundFixture f;
        FiveRows(f.grid);
        f.grid.SetTextMatrix(4, 1, ""); // a pasted row moves like any other
        f.grid.Select(2, 2, 2, 2);
        f.GridKeyDown(46);
        EXPECT_EQ(RowTexts(f.grid, 1), (Row{"0.000", "-1000.000", "0.000", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 2), (Row{"0.000", "25", "2", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 3), (Row{"", "40", "3", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 4), (Row{"0.000", "60", "4", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 5), kEmpty);
        EXPECT_GT(f.refreshes, 0);
    }
    {
        GroundFixture f; // the run stops at the first row without a Y
        FiveRows(f.grid);
        f.grid.SetTextMatrix(4, 2, "");
        f.grid.Select(2, 3, 2, 3);
        f.GridKeyDown(46);
        EXPECT_EQ(RowTexts(f.grid, 2), (Row{"0.000", "25", "2", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 3), kEmpty);
        EXPECT_EQ(RowTexts(f.grid, 4), (Row{"0.000", "", "3", " X "}));
        EXPECT_EQ(RowTexts(f.grid, 5), (Row{"0.000", "60", "4", " X "}));
    }
    {
        GroundFixture f; // a full grid: Delete on the last row empties only that row
        for (int r = 1; r <= 30; ++r)
            Fill(f.grid, {{"0.000", std::to_string(r * 10), "1", " X "}}, r);
        f.grid.Select(30, 2, 30, 2);
        f.GridKeyDown(46);
        EXPECT_EQ(RowTexts(f.grid, 30), kEmpty);
        EXPECT_EQ(RowTexts(f.grid, 29), (Row{"0.000", "290", "1", " X "}));
    }
    {
        GroundFixture f; // Delete in the mark column does nothing
        FiveRows(f.grid);
        f.grid.Select(2, 4, 2, 4);
        f.GridKeyDown(46);
        EXPECT_EQ(RowTexts(f.grid, 2), (Row{"0.000", "10", "1", " X "}));
    }
}

TEST(GroundGridClick, OnAMarkSetsTheProfileEnd) {
    const struct {
        int row;
        const char* zOfClicked;
        std::vector<std::string> marks; // rows 1..7
    } cases[] = {
        {4, "3", {" X", " X", " X", " X", " ", " ", "m"}},
        {2, "1", {"m", "m", " ", " ", " ", " ", "m"}},
        {1, "0", {"m", "m", "m", "m", "m", "m", "m"}},
        {4, "", {"m", "m", "m", "m", "m", "m", "m"}},
    };
    for (const auto& c : cases) {
        GroundFixture f;
        for (int r = 1; r <= 7; ++r)
            Fill(f.grid, {{"0.000", std::to_string(r), r <= 6 ? "1" : "", "m"}}, r);
        f.grid.SetTextMatrix(c.row, 3, c.zOfClicked);
        f.Click(c.row, 4);
        for (int r = 1; r <= 7; ++r)
            EXPECT_EQ(f.grid.TextMatrix(r, 4), c.marks[static_cast<std::size_t>(r - 1)])
                << "click on row " << c.row << ", row " << r;
    }
}

TEST(GroundGridClick, WritesTheOpenEditAsLosingFocusLeftIt) {
    GroundFixture f;
    f.grid.Select(3, 2, 3, 2);
    f.Type("100m");
    f.Click(6, 3);
    EXPECT_EQ(f.grid.TextMatrix(3, 2), "328.08");
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.editor.text, "");
    EXPECT_EQ(f.grid.Row(), 6);
    EXPECT_EQ(f.grid.Col(), 3);
    EXPECT_GT(f.refreshes, 0);
}

TEST(GroundGridClipboard, CopiesTheSelectionAsTabsAndCrLf) {
    const struct {
        int row, col, rowSel, colSel;
        const char* text;
    } cases[] = {
        {3, 2, 4, 3, "a\tb\r\nc\td\r\n"},
        {4, 3, 3, 2, "a\tb\r\nc\td\r\n"}, // drawn upwards and to the left
        {3, 3, 3, 3, "b\r\n"},
        {3, 2, 3, 4, "a\tb\tX\r\n"},
    };
    for (const auto& c : cases) {
        GroundFixture f;
        Fill(f.grid, {{"", " a ", "b", " X "}, {"", "c", " d", ""}}, 3);
        f.grid.Select(c.row, c.col, c.rowSel, c.colSel);
        int key = 3;
        f.rules.GridKeyPress(key);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(f.clipboard, c.text);
        EXPECT_FALSE(f.editor.visible);
    }
}

TEST(GroundGridClipboard, PastesFromTheCurrentCell) {
    const struct {
        const char* name;
        const char* text;
        int row, col;
        std::vector<Row> after; // rows row .. row + n - 1
    } cases[] = {
        {"CrLf",
         "a\tb\r\nc\td\r\n",
         3,
         2,
         {{"", "a", "b", "old"}, {"", "c", "d", "old"}, {"", "old", "old", "old"}}},
        {"LfOnly",
         "a\tb\nc\td\n",
         3,
         2,
         {{"", "a", "b", "old"}, {"", "c", "d", "old"}, {"", "old", "old", "old"}}},
        {"NoLastLineEnd", "a\tb\r\nc", 3, 2, {{"", "a", "b", "old"}, {"", "c", "old", "old"}}},
        {"EmptyFieldKeepsCell", "a\t\tX", 3, 2, {{"", "a", "old", "X"}}},
        {"BeyondTheLastColumnDropped", "1\t2\t3\t4\t5", 3, 3, {{"", "old", "1", "2"}}},
        {"FromColumnThree", "7\t8\n9", 3, 3, {{"", "old", "7", "8"}, {"", "old", "9", "old"}}},
        {"BeyondTheLastRowDropped", "1\n2\n3", 29, 2, {{"", "1", "old", "old"}, {"", "2", "old", "old"}}},
        {"Empty", "", 3, 2, {{"", "old", "old", "old"}}},
    };
    for (const auto& c : cases) {
        GroundFixture f;
        for (int r = 3; r <= 30; ++r)
            Fill(f.grid, {{"", "old", "old", "old"}}, r);
        f.clipboard = c.text;
        f.grid.Select(c.row, c.col, c.row, c.col);
        int key = 22;
        f.rules.GridKeyPress(key);
        EXPECT_EQ(key, 0);
        for (std::size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(RowTexts(f.grid, c.row + static_cast<int>(i)), c.after[i]) << c.name << " +" << i;
        EXPECT_EQ(f.grid.Row(), c.row) << c.name;
        EXPECT_EQ(f.grid.Col(), c.col) << c.name;
        EXPECT_TRUE(f.grid.Redraw());
    }
}

TEST(GroundGridClipboard, CopiedRowsPasteBackAsAProfile) {
    GroundFixture f;
    FiveRows(f.grid);
    f.grid.Select(2, 2, 4, 4);
    f.rules.CopyGroundGridSelection();
    f.grid.Select(6, 2, 6, 2);
    f.rules.PasteIntoGroundGrid(6, 2);
    EXPECT_EQ(RowTexts(f.grid, 8), (Row{"", "40", "3", "X"}));
    EXPECT_EQ(CountGroundRows(f.grid), 8);
}

TEST(GroundGridClipboard, PastedRowsWithNumbersJoinTheProfileAtOnce) {
    GroundFixture f;
    FiveRows(f.grid);
    f.clipboard = "80\t5\r\n100\t6\nabc\t7\n120\t\n";
    f.grid.Select(6, 2, 6, 2);
    f.rules.PasteIntoGroundGrid(6, 2);
    EXPECT_EQ(RowTexts(f.grid, 6), (Row{"", "80", "5", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 7), (Row{"", "100", "6", " X "}));
    EXPECT_EQ(RowTexts(f.grid, 8), (Row{"", "abc", "7", ""})); // not a number: no profile row
    EXPECT_EQ(RowTexts(f.grid, 9), (Row{"", "120", "", ""}));
    EXPECT_EQ(CountGroundRows(f.grid), 7);
}

TEST(GroundGridTerrain, ANewProfileHasNoHeightsToRestore) {
    GroundFixture f;
    FiveRows(f.grid);
    f.grid.Select(1, 3, 5, 3);
    f.rules.FlattenTerrain();
    EXPECT_TRUE(f.rules.CanRestore());
    f.rules.InitGroundGrid(editors::kDataRows);
    EXPECT_FALSE(f.rules.CanRestore());
    Fill(f.grid, {{"0.000", "0", "7", " X "}, {"0.000", "500", "8", " X "}, {"0.000", "900", "9", " X "}});
    f.rules.RestoreTerrain();
    EXPECT_EQ(f.grid.TextMatrix(1, 3), "7");
    EXPECT_EQ(f.grid.TextMatrix(2, 3), "8");
    EXPECT_EQ(f.grid.TextMatrix(3, 3), "9");
    EXPECT_EQ(f.grid.TextMatrix(4, 3), "");
}

TEST(GroundGridTerrain, RestoreBeforeAnyFlattenChangesNothing) {
    GroundFixture f;
    FiveRows(f.grid);
    f.rules.RestoreTerrain();
    EXPECT_EQ(f.grid.TextMatrix(2, 3), "1");
    EXPECT_EQ(f.grid.TextMatrix(5, 3), "4");
    EXPECT_EQ(f.grid.TextMatrix(6, 3), "");
}

TEST(GroundGridTerrain, PastedHeightsBeyondASingleStopTheRestore) {
    for (const char* huge : {"1e39", "1e400", "-5e38"}) {
        GroundFixture f;
        FiveRows(f.grid);
        f.grid.SetTextMatrix(4, 3, huge);
        f.grid.Select(1, 3, 5, 3);
        f.rules.FlattenTerrain();
        f.rules.RestoreTerrain();
        EXPECT_EQ(f.grid.TextMatrix(3, 3), "2.000") << huge;
        EXPECT_EQ(f.grid.TextMatrix(4, 3), "0.000") << huge;
        EXPECT_EQ(f.grid.TextMatrix(5, 3), "0.000") << huge;
    }
}

TEST(GroundGridTerrain, FlattenTheSelectionThenRestoreEverySavedHeight) {
    const struct {
        int row, rowSel;
        std::vector<std::string> flattened; // Z of rows 1..6
    } cases[] = {
        {2, 4, {"0.000", "0.000", "0.000", "0.000", "4", ""}},
        {4, 2, {"0.000", "0.000", "0.000", "0.000", "4", ""}}, // selected upwards
        {5, 6, {"0.000", "1.23456", "2", "3", "0.000", ""}},
    };
    for (const auto& c : cases) {
        GroundFixture f;
        FiveRows(f.grid);
        f.grid.SetTextMatrix(2, 3, "1.23456");
        f.grid.SetTextMatrix(3, 3, "2");
        f.grid.Select(c.row, 3, c.rowSel, 3);
        f.rules.FlattenTerrain();
        for (int r = 1; r <= 6; ++r) {
            EXPECT_EQ(f.grid.TextMatrix(r, 3), c.flattened[static_cast<std::size_t>(r - 1)])
                << c.row << " row " << r;
        }
        f.grid.SetTextMatrix(4, 3, "99");
        Fill(f.grid, {{"", "", "", ""}, {"0.000", "70", "5", ""}}, 6);
        f.rules.RestoreTerrain();
        const std::vector<std::string> restored{"0.000", "1.235", "2.000", "3.000", "4.000", "", "5"};
        for (int r = 1; r <= 7; ++r)
            EXPECT_EQ(f.grid.TextMatrix(r, 3), restored[static_cast<std::size_t>(r - 1)]) << r;
        EXPECT_TRUE(f.grid.Redraw());
    }
}

} // namespace
