#include "editors/arrayedit/ArrayGridRules.h"

#include <algorithm>

namespace editors {

namespace {

constexpr char kGlideSlopeFeet[] =
    "|<Num |<X(ft)            |<Y(ft)            |<Z(ft)            |<Rot(deg) |<CSB Amplitude(dB) |<CSB "
    "Phase(deg)|<SBO Amplitude(dB) |<SBO Phase(deg)";
constexpr char kGlideSlopeMetres[] =
    "|<Num |<X(m )            |<Y(m )            |<Z(m )            |<Rot(deg) |<CSB Amplitude(dB) |<CSB "
    "Phase(deg)|<SBO Amplitude(dB) |<SBO Phase(deg)";
constexpr char kLocalizerFeet[] =
    "|<Num|<X(ft)           |<Y(ft)           |<Z(ft)           |<Rot(deg) |<CSB Amp(dB) |<CSB Phs(deg)|<SBO "
    "Amp(dB) |<SBO Phs(deg)|<CLR Amp(dB) |<CLR Phs(deg)";
constexpr char kLocalizerMetres[] =
    "|<Num|<X(m )           |<Y(m )           |<Z(m )           |<Rot(deg) |<CSB Amp(dB) |<CSB Phs(deg)|<SBO "
    "Amp(dB) |<SBO Phs(deg)|<CLR Amp(dB) |<CLR Phs(deg)";

void CopyRow(plat::GridModel& g, int from, int to) {
    for (int c = 0; c < g.Cols(); ++c)
        g.SetTextMatrix(to, c, g.TextMatrix(from, c));
}

void EmptyRow(plat::GridModel& g, int row) {
    for (int c = 0; c < g.Cols(); ++c)
        g.SetTextMatrix(row, c, "");
}

} // namespace

std::optional<std::string> ArrayGridFormat(std::uint8_t facility, double workingUnit) {
    const bool feet = workingUnit == 1.0;
    if (!feet && workingUnit != 2.0)
        return std::nullopt;
    if (facility == 1)
        return feet ? kGlideSlopeFeet : kGlideSlopeMetres;
    if (facility == 2)
        return feet ? kLocalizerFeet : kLocalizerMetres;
    return std::nullopt;
}

std::vector<ArrayGridColumn> FormatStringColumns(std::string_view format) {
    std::vector<ArrayGridColumn> columns;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = format.find('|', start);
        std::string_view piece = format.substr(start, bar == std::string_view::npos ? bar : bar - start);
        ArrayGridColumn column;
        if (!piece.empty() && piece.front() == '<') {
            column.leftAligned = true;
            piece.remove_prefix(1);
        }
        column.header = std::string(piece);
        columns.push_back(column);
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    return columns;
}

ArrayCell NextArrayCell(int row, int col, int rows, int cols) {
    if (col < cols - 1)
        return {row, col + 1};
    if (row < rows - 1)
        return {row + 1, 1};
    return {row, col};
}

void InsertArrayRows(plat::GridModel& grid, int row, int rowSel) {
    const int r1 = std::min(row, rowSel);
    const int r2 = std::max(row, rowSel);
    if (r1 <= 0)
        return;
    const int n = r2 - r1 + 1;
    for (int r = grid.Rows() - 1; r >= r1; --r)
        if (r + n < grid.Rows())
            CopyRow(grid, r, r + n);
    for (int r = r1; r <= r2 && r < grid.Rows(); ++r)
        EmptyRow(grid, r);
}

void DeleteArrayRows(plat::GridModel& grid, int row, int rowSel) {
    const int r1 = std::min(row, rowSel);
    const int r2 = std::max(row, rowSel);
    if (r1 <= 0)
        return;
    const int n = r2 - r1 + 1;
    for (int r = r2 + 1; r < grid.Rows(); ++r)
        CopyRow(grid, r, r - n);
    for (int r = std::max(r1, grid.Rows() - n); r < grid.Rows(); ++r)
        EmptyRow(grid, r);
}

} // namespace editors
