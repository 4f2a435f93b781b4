// The array grid editor's rules: headers by kind of array and unit, the move after Enter, and
// inserting and deleting rows.

#include "editors/arrayedit/ArrayGridRules.h"

#include <gtest/gtest.h>

using namespace editors;

namespace {

// A grid whose data cells tell where they started: row r, column c holds "r.c".
class Table final : public plat::GridModel {
public:
    Table(int rows, int cols) {
        SetRows(rows);
        SetCols(cols);
        for (int r = 1; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
    }
    // The row's first cell tells which original row it holds ("" when empty).
    std::string Origin(int row) const {
        const std::string t = TextMatrix(row, 1);
        return t.empty() ? "" : t.substr(0, t.find('.'));
    }
};

TEST(ArrayGridHeader, ByKindOfArrayAndUnit) {
    const struct {
        std::uint8_t facility;
        double unit;
        std::size_t columns; // including the hidden column 0
        const char* second;
        const char* last;
    } cases[] = {
        {1, 1.0, 10, "Num ", "SBO Phase(deg)"},
        {1, 2.0, 10, "Num ", "SBO Phase(deg)"},
        {2, 1.0, 12, "Num", "CLR Phs(deg)"},
        {2, 2.0, 12, "Num", "CLR Phs(deg)"},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> format = ArrayGridFormat(c.facility, c.unit);
        ASSERT_TRUE(format);
        const std::vector<ArrayGridColumn> cols = FormatStringColumns(*format);
        ASSERT_EQ(cols.size(), c.columns);
        EXPECT_EQ(cols[0].header, "");
        EXPECT_EQ(cols[1].header, c.second);
        EXPECT_EQ(cols.back().header, c.last);
        EXPECT_TRUE(cols[2].leftAligned);
        EXPECT_EQ(cols[2].header.substr(0, 5), c.unit == 1.0 ? "X(ft)" : "X(m )");
    }
    EXPECT_EQ(*ArrayGridFormat(1, 1.0),
              "|<Num |<X(ft)            |<Y(ft)            |<Z(ft)            |<Rot(deg) |<CSB Amplitude(dB) "
              "|<CSB Phase(deg)|<SBO Amplitude(dB) |<SBO Phase(deg)");
    EXPECT_EQ(*ArrayGridFormat(2, 2.0),
              "|<Num|<X(m )           |<Y(m )           |<Z(m )           |<Rot(deg) |<CSB Amp(dB) |<CSB "
              "Phs(deg)|<SBO Amp(dB) |<SBO Phs(deg)|<CLR Amp(dB) |<CLR Phs(deg)");
    EXPECT_FALSE(ArrayGridFormat(3, 1.0));
    EXPECT_FALSE(ArrayGridFormat(0, 1.0));
    EXPECT_FALSE(ArrayGridFormat(1, 3.0));
}

TEST(ArrayGridEnter, MovesRightThenToTheNextRow) {
    const struct {
        int row, col, cols;
        ArrayCell next;
    } cases[] = {{3, 1, 12, {3, 2}},
                 {3, 11, 12, {4, 1}},
                 {3, 9, 10, {4, 1}},
                 {99, 11, 12, {99, 11}},
                 {0, 5, 12, {0, 6}}};
    for (const auto& c : cases) {
        const ArrayCell n = NextArrayCell(c.row, c.col, 100, c.cols);
        EXPECT_EQ(n.row, c.next.row) << c.row << "," << c.col;
        EXPECT_EQ(n.col, c.next.col) << c.row << "," << c.col;
    }
}

TEST(ArrayGridRows, DeleteMovesTheRowsBelowUp) {
    Table t(100, 12);
    DeleteArrayRows(t, 4, 6);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(t.Origin(r), std::to_string(r));
    for (int r = 4; r <= 96; ++r)
        EXPECT_EQ(t.Origin(r), std::to_string(r + 3)) << r;
    for (int r = 97; r <= 99; ++r)
        for (int c = 0; c < 12; ++c)
            EXPECT_EQ(t.TextMatrix(r, c), "") << r;
    EXPECT_EQ(t.TextMatrix(4, 11), "7.11");
}

TEST(ArrayGridRows, InsertMovesTheRowsDownAndEmptiesTheSelection) {
    Table t(100, 10);
    InsertArrayRows(t, 6, 5); // selected upwards: rows 5 and 6
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(t.Origin(r), std::to_string(r));
    EXPECT_EQ(t.Origin(5), "");
    EXPECT_EQ(t.Origin(6), "");
    for (int r = 7; r <= 99; ++r)
        EXPECT_EQ(t.Origin(r), std::to_string(r - 2)) << r;
}

TEST(ArrayGridRows, TheHeadingRowAndTheEndsOfTheGrid) {
    Table t(100, 10);
    const Table before(100, 10);
    InsertArrayRows(t, 0, 3);
    DeleteArrayRows(t, 0, 0);
    for (int r = 0; r < 100; ++r)
        EXPECT_EQ(t.TextMatrix(r, 1), before.TextMatrix(r, 1));
    DeleteArrayRows(t, 99, 99);
    EXPECT_EQ(t.Origin(99), "");
    EXPECT_EQ(t.Origin(98), "98");
    InsertArrayRows(t, 98, 99);
    EXPECT_EQ(t.Origin(97), "97");
    EXPECT_EQ(t.Origin(98), "");
    EXPECT_EQ(t.Origin(99), "");
}

} // namespace
