// The profile grid's layout and its keys: typing into the floating editor, Enter, the arrows,
// Escape, the mark column, and an edit committed before the model is collected.

#include "GroundGridFixture.h"

#include <gtest/gtest.h>

using namespace editors;
using namespace shell;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kUp = 38;
constexpr int kDown = 40;

TEST(GroundGridLayout, NewGridHasThirtyNumberedRowsAndTheFlatDefaultProfile) {
    GroundFixture f;
    EXPECT_EQ(f.grid.Rows(), 31);
    EXPECT_EQ(f.grid.Cols(), 5);
    std::vector<int> widths;
    for (int c = 0; c < f.grid.Cols(); ++c)
        widths.push_back(f.grid.ColWidth(c));
    EXPECT_EQ(widths, (std::vector<int>{265, 0, 892, 892, 270}));
    EXPECT_EQ(f.grid.TextMatrix(0, 0), "");
    EXPECT_EQ(f.grid.TextMatrix(0, 1), "       X");
    EXPECT_EQ(f.grid.TextMatrix(0, 2), "       Y");
    EXPECT_EQ(f.grid.TextMatrix(0, 3), "       Z");
    EXPECT_EQ(f.grid.TextMatrix(0, 4), " ");
    for (int r = 1; r <= 30; ++r)
        EXPECT_EQ(f.grid.TextMatrix(r, 0), std::to_string(r));
    EXPECT_EQ(RowTexts(f.grid, 1), (std::vector<std::string>{"0.00", "-1000.00", "0.00", " X"}));
    EXPECT_EQ(RowTexts(f.grid, 2), (std::vector<std::string>{"0.00", "20000.00", "0.00", " X"}));
    for (int r = 3; r <= 30; ++r)
        EXPECT_EQ(RowTexts(f.grid, r), (std::vector<std::string>{"", "", "", ""})) << r;
    EXPECT_TRUE(f.grid.Redraw());
    EXPECT_EQ(CountGroundRows(f.grid), 2);
    EXPECT_EQ(f.grid.Col(), 2); // not the hidden X column
}

TEST(GroundGridLayout, RebuildingEmptiesEveryEditedCellAndDropsAnOpenEdit) {
    GroundFixture f;
    Fill(f.grid, {{"0.000", "5", "6", " X "}}, 7);
    f.grid.Select(3, 3, 3, 3);
    f.Type("500");
    f.rules.InitGroundGrid(editors::kDataRows);
    EXPECT_EQ(RowTexts(f.grid, 7), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_FALSE(f.editor.visible);
    f.Click(3, 3);
    f.rules.CommitOpenEdit();
    EXPECT_EQ(f.grid.TextMatrix(3, 3), "");
}

// One cell typed and closed by a key: where the text goes and where the current cell ends up.
struct EditCase {
    const char* name;
    int row, col;
    const char* presetY; // text of column 2 of the edited row before typing
    std::string typed;   // keys typed on the grid; the first opens the editor
    int closeKey;        // Enter or Escape (key press), Up or Down (key down)
    std::uint8_t unit;
    const char* cellAfter;
    int rowAfter, colAfter;
    const char* markAfter;
};

class GroundGridEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(GroundGridEdit, WritesTheCellAndMovesOn) {
    const EditCase& c = GetParam();
    GroundFixture f;
    f.lengthUnit = c.unit;
    f.grid.SetTextMatrix(c.row, 2, c.presetY);
    f.grid.SetTextMatrix(c.row, 4, "m");
    f.grid.Select(c.row, c.col, c.row, c.col);
    f.Type(c.typed);
    ASSERT_TRUE(f.editor.visible);
    if (c.closeKey == kEnter || c.closeKey == kEscape)
        EXPECT_EQ(f.EditorKey(c.closeKey), 0);
    else
        f.EditorArrow(c.closeKey);
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.editor.text, "");
    EXPECT_EQ(f.grid.TextMatrix(c.row, c.col), c.cellAfter);
    EXPECT_EQ(f.grid.Row(), c.rowAfter);
    EXPECT_EQ(f.grid.Col(), c.colAfter);
    EXPECT_EQ(f.grid.RowSel(), c.rowAfter);
    EXPECT_EQ(f.grid.ColSel(), c.colAfter);
    EXPECT_EQ(f.grid.TextMatrix(c.row, 4), c.markAfter);
    EXPECT_TRUE(f.gridFocused);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GroundGridEdit,
    ::testing::Values(
        // Z of a row with a Y: Enter formats, marks the row and goes to the next row's Y.
        EditCase{"HeightEnterMarksRow", 3, 3, "500", "1500", kEnter, 0, "1500.000", 4, 2, " X "},
        EditCase{"HeightWithoutDistanceUnmarks", 3, 3, "", "1500", kEnter, 0, "1500.000", 4, 2, ""},
        EditCase{"DistanceEnterMovesRight", 3, 2, "", "25", kEnter, 0, "25.000", 3, 3, "m"},
        EditCase{"EmptyEditorGivesZero", 5, 2, "", "\r", kEnter, 0, "0.000", 5, 3, "m"},
        EditCase{"FullStopStartsTheEditor", 5, 2, "", ".", kEnter, 0, "0.000", 5, 3, "m"},
        EditCase{"LettersGiveZero", 5, 2, "", "abc", kEnter, 0, "0.000", 5, 3, "m"},
        EditCase{"MetresSuffixInFeet", 5, 2, "", "100m", kEnter, 0, "328.080", 5, 3, "m"},
        EditCase{"FeetSuffixInMetres", 5, 2, "", "100f", kEnter, 1, "30.480", 5, 3, "m"},
        EditCase{"NegativeValue", 5, 3, "7", "-12.3456", kEnter, 0, "-12.346", 6, 2, " X "},
        EditCase{"LastRowHeightMovesLeft", 30, 3, "9", "4", kEnter, 0, "4.000", 30, 2, "m"},
        EditCase{"EscapeWritesNothing", 5, 2, "", "77", kEscape, 0, "", 5, 2, "m"},
        // The arrows check the number but convert no unit suffix.
        EditCase{"DownMovesAndMarks", 3, 3, "500", "8", kDown, 0, "8.000", 4, 3, " X "},
        EditCase{"UpMovesAndUnmarks", 3, 2, "", "8", kUp, 0, "8.000", 2, 2, ""},
        EditCase{"DownConvertsNoSuffix", 3, 2, "", "100m", kDown, 0, "0.000", 4, 2, ""},
        EditCase{"UpInRowOneStays", 1, 2, "", "8", kUp, 0, "8.000", 1, 2, "m"},
        EditCase{"DownInLastRowStays", 30, 3, "", "8", kDown, 0, "8.000", 30, 3, "m"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GroundGridEditor, OpensOverTheCellWithItsTextSelectedOrTheTypedKey) {
    GroundFixture f;
    f.grid.Select(2, 3, 2, 3);
    f.Press(13);
    EXPECT_TRUE(f.editor.visible);
    EXPECT_TRUE(f.editor.focused);
    EXPECT_EQ(f.editor.text, "0.00");
    EXPECT_TRUE(f.editor.allSelected);
    const CellPlace cell = f.Place();
    EXPECT_EQ(f.editor.place.left, cell.left);
    EXPECT_EQ(f.editor.place.top, cell.top - 15);
    EXPECT_EQ(f.editor.place.width, cell.width + 15);
    EXPECT_EQ(f.editor.place.height, cell.height - 100);
    EXPECT_EQ(f.rules.EditRow(), 2);
    EXPECT_EQ(f.rules.EditCol(), 3);

    GroundFixture g;
    g.grid.Select(2, 3, 2, 3);
    g.Press('7');
    EXPECT_EQ(g.editor.text, "7");
    EXPECT_FALSE(g.editor.allSelected);
}

TEST(GroundGridEditor, KeysReachingTheGridWhileTheEditorIsOpen) {
    GroundFixture f;
    f.grid.Select(4, 2, 4, 2);
    f.Press('1');
    f.Press('2');
    EXPECT_EQ(f.editor.text, "12");
    f.Press(8);
    EXPECT_EQ(f.editor.text, "1");
    f.Press(22); // a control character is no text
    EXPECT_EQ(f.editor.text, "1");
    f.Press(13);
    EXPECT_EQ(f.editor.text, "1.000");
    EXPECT_TRUE(f.editor.visible);
    EXPECT_EQ(f.grid.TextMatrix(4, 2), "");
}

TEST(GroundGridEditor, ControlKeysOnTheGridOpenNoEditor) {
    GroundFixture f;
    f.grid.Select(4, 2, 4, 2);
    f.Press(kEscape);
    f.Press(9);
    EXPECT_FALSE(f.editor.visible);
}

TEST(GroundGridEditor, EnteringTheHiddenDistanceColumnFillsItAndMovesToY) {
    GroundFixture f;
    f.grid.Select(6, 3, 6, 3);
    f.grid.SetCol(1);
    EXPECT_EQ(f.grid.TextMatrix(6, 1), "0.000");
    EXPECT_EQ(f.grid.Col(), 2);
}

TEST(GroundGridMark, KeyPressInTheMarkColumnToggles) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {{" X ", ""}, {" X", ""}, {"X", ""}, {"", " X "}, {" ", " X "}, {"x", " X "}};
    for (const auto& c : cases) {
        GroundFixture f;
        f.grid.SetTextMatrix(5, 4, c.before);
        f.grid.Select(5, 4, 5, 4);
        f.Press('q');
        EXPECT_EQ(f.grid.TextMatrix(5, 4), c.after) << '"' << c.before << '"';
        EXPECT_FALSE(f.editor.visible);
    }
}

TEST(GroundGridCommit, AnOpenEditIsWrittenWhereItWasOpened) {
    const struct {
        const char* typed;
        std::uint8_t unit;
        const char* cell;
    } cases[] = {{"12", 0, "12.000"}, {"100m", 0, "328.080"}, {"x", 0, "0.000"}, {"10f", 1, "3.050"}};
    for (const auto& c : cases) {
        GroundFixture f;
        f.lengthUnit = c.unit;
        f.grid.Select(3, 3, 3, 3);
        f.Type(c.typed);
        f.rules.CommitOpenEdit();
        EXPECT_EQ(f.grid.TextMatrix(3, 3), c.cell) << c.typed;
        EXPECT_FALSE(f.editor.visible);
        EXPECT_EQ(f.grid.TextMatrix(3, 4), "");
    }
    GroundFixture closed;
    closed.editor.text = "55";
    closed.rules.CommitOpenEdit();
    EXPECT_EQ(CountGroundRows(closed.grid), 2);
    EXPECT_EQ(closed.grid.TextMatrix(1, 2), "-1000.00");
}

TEST(GroundGridCommit, LosingFocusConvertsTheOpenTextWithoutWriting) {
    GroundFixture f;
    f.grid.Select(3, 2, 3, 2);
    f.Type("2m");
    f.rules.EditorLostFocus();
    EXPECT_EQ(f.editor.text, "6.56");
    EXPECT_EQ(f.grid.TextMatrix(3, 2), "");
}

TEST(GroundProcedures, ConvertCellReadsDegreesMinutesSeconds) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"12'30", "12.5"}, {"10'30'36", "10.51"},          {"1'2'3'4", "1'2'3'4"},
                 {"12.5", "12.5"},  {"abcdefghijkl", "abcdefghij"}, {"1'1'1", "1.01694444"},
                 {"12'", "12"}};
    for (const auto& c : cases)
        EXPECT_EQ(ConvertCell(c.in), c.out) << c.in;
}

TEST(GroundProcedures, CheckRowWantsEveryCellFromColumnTwo) {
    GroundFixture f;
    EXPECT_EQ(CheckRow(f.grid, 1), 1);
    EXPECT_EQ(f.grid.Row(), 1);
    f.grid.SetTextMatrix(2, 4, "");
    EXPECT_EQ(CheckRow(f.grid, 2), 0);
    EXPECT_EQ(CheckRow(f.grid, 3), 0);
    EXPECT_EQ(f.grid.Row(), 3);
}

} // namespace
