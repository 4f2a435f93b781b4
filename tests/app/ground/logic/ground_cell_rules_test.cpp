// The ground editor's floating cell box and clipboard keys over the grid model.

#include "ground/logic/GroundCellRules.h"
#include "ground/logic/GroundGrid.h"

#include <gtest/gtest.h>

using namespace ground;

namespace {

class FakeEditor : public editors::GroundCellEditor {
public:
    bool Visible() const override { return visible; }
    void SetVisible(bool v) override { visible = v; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t; }
    void SelectAll() override {}
    void CaretToEnd() override {}
    void Move(int l, int t, int w, int h) override { place = {l, t, w, h}; }
    void SetFocus() override {}

    bool visible = false;
    std::string text;
    editors::CellPlace place;
};

struct Fixture {
    Fixture() { SetupGroundGrid(grid, 2, 2); }
    // Keys typed in the grid, or in the box once it is open; '\r' is Enter.
    void Type(const std::string& keys) {
        for (const char ch : keys) {
            int k = ch == '\r' ? 13 : static_cast<unsigned char>(ch);
            if (editor.visible)
                k == 13 || k == 27 ? rules.EditorKeyPress(k) : void(editor.text += ch);
            else
                rules.GridKeyPress(k);
        }
    }

    plat::GridModel grid;
    FakeEditor editor;
    std::string clipboard;
    int changes = 0;
    std::uint8_t unit = 0;
    GroundCellRules rules{grid,
                          editor,
                          {{},
                           [] {
                               return editors::CellPlace{100, 200, 992, 240};
                           }},
                          {[this] { return clipboard; }, [this](const std::string& t) { clipboard = t; }},
                          unit,
                          [this] { ++changes; }};
};

} // namespace

TEST(GroundCellEnter, StoresTwoDecimalsAndMovesOn) {
    struct Case {
        int row, col;
        const char* typed;
        const char* stored;
        int toRow, toCol;
    };
    const Case cases[] = {
        {1, 1, "12.5\r", "12.50", 1, 2}, {1, 2, "abc\r", "0.00", 1, 3},
        {1, 3, "2u\r", "90.90", 2, 1}, // Z: next row's X (here the header of cut 2)
        {5, 3, "-3\r", "-3.00", 5, 2}, // the last row: its Y
        {4, 1, "1m\r", "3.28", 4, 2},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.grid.Select(c.row, c.col);
        f.Type(c.typed);
        EXPECT_EQ(f.grid.TextMatrix(c.row, c.col), c.stored) << c.typed;
        EXPECT_EQ(f.grid.Row(), c.toRow) << c.typed;
        EXPECT_EQ(f.grid.Col(), c.toCol) << c.typed;
        EXPECT_FALSE(f.editor.visible);
        EXPECT_GT(f.changes, 0);
    }
}

TEST(GroundCellEnter, BoxOpensOverTheCellOnlyOutsideHeaders) {
    Fixture f;
    f.grid.Select(3, 2);
    f.Type("7");
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.changes, 1); // still counts as a change
    EXPECT_EQ(f.grid.TextMatrix(3, 2), " Y");
    f.grid.Select(4, 2);
    int enter = 13;
    f.rules.GridKeyPress(enter);
    EXPECT_TRUE(f.editor.visible);
    EXPECT_EQ(f.editor.text, "0.000");
    EXPECT_EQ(f.editor.place.width, 992 + 15);
    EXPECT_EQ(f.editor.place.height, 240 - 100);
    f.Type("\x1b");
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.grid.TextMatrix(4, 2), "0.000");
}

TEST(GroundCellEnter, EnterInTheGridWithTheBoxOpenKeepsOnlyPlainNumbers) {
    for (const auto& [typed, left] : {std::pair{"12.5", "12.50"}, {"12.50", "0.00"}, {"x", "0.00"}}) {
        Fixture f;
        f.grid.Select(1, 1);
        f.Type("");
        int k = 13;
        f.rules.GridKeyPress(k); // opens with the cell's text
        f.editor.text = typed;
        f.rules.GridKeyPress(k); // the grid has the focus again
        EXPECT_EQ(f.editor.text, left) << typed;
        EXPECT_EQ(f.grid.TextMatrix(1, 1), "0.000");
    }
}

TEST(GroundCellArrows, CommitWithoutTheUSuffixAndMove) {
    struct Case {
        int row, col, key;
        const char* typed;
        const char* stored;
        int toRow, toCol;
    };
    const Case cases[] = {
        {1, 1, 38, "4", "4.00", 1, 1}, {5, 3, 40, "4", "4.00", 5, 3},  {2, 1, 37, "1", "1.00", 1, 3},
        {1, 1, 37, "1", "1.00", 1, 1}, {2, 3, 39, "2u", "0.00", 3, 1}, {5, 3, 39, "5", "5.00", 5, 3},
        {2, 2, 40, "6", "6.00", 3, 2},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.grid.Select(c.row, c.col);
        f.Type(c.typed);
        int key = c.key;
        f.rules.EditorKeyDown(key, 0);
        EXPECT_EQ(f.grid.TextMatrix(c.row, c.col), c.stored) << c.key;
        EXPECT_EQ(f.grid.Row(), c.toRow) << c.row << "," << c.col << " key " << c.key;
        EXPECT_EQ(f.grid.Col(), c.toCol) << c.row << "," << c.col << " key " << c.key;
    }
}

TEST(GroundCellClick, StoresTheBoxAsItStandsAndCountsAsAChange) {
    Fixture f;
    f.grid.Select(1, 2);
    f.Type("1,5");
    f.grid.Select(5, 1);
    f.changes = 0;
    f.rules.GridClick();
    EXPECT_EQ(f.grid.TextMatrix(1, 2), "1,5");
    EXPECT_FALSE(f.editor.visible);
    EXPECT_EQ(f.grid.Row(), 5);
    EXPECT_EQ(f.changes, 1);
    f.rules.EditorLostFocus(); // a closed box stays empty
    EXPECT_EQ(f.editor.text, "");
}

TEST(GroundCellKeys, CopyAndPasteKeysThroughTheClipboard) {
    Fixture f;
    f.grid.Select(1, 1, 2, 2);
    int ctrlC = 3;
    f.rules.GridKeyPress(ctrlC);
    EXPECT_EQ(ctrlC, 0);
    EXPECT_EQ(f.clipboard, "0.000\t0.000\r\n0.000\t0.000\r\n");
    f.clipboard = "8\t9\r\n10";
    f.grid.Select(3, 1); // a header row
    int ctrlV = 22;
    f.rules.GridKeyPress(ctrlV);
    EXPECT_EQ(f.grid.TextMatrix(3, 1), " X");
    EXPECT_EQ(f.grid.TextMatrix(4, 1), "8");
    EXPECT_EQ(f.grid.TextMatrix(5, 1), "10");
    EXPECT_FALSE(f.editor.visible);
}
