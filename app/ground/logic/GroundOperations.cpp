#include "ground/logic/GroundOperations.h"

#include "editors/ground/GroundProfileGrid.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <algorithm>
#include <cmath>

namespace ground {

namespace {

constexpr char kTranslatedFormat[] = "#######0.0##";
constexpr double kLargestSingle = 3.4028234663852886e38;
constexpr float kFar = 999999.0f;
const char* const kProfileX[] = {"-5000", "0", "5000"};

// A cell's number as a single, or nothing for text that is not one.
std::optional<float> Single(const std::string& text) {
    if (!plat::IsNumeric(text))
        return std::nullopt;
    try {
        const double v = plat::CDbl(text);
        if (std::fabs(v) > kLargestSingle)
            return std::nullopt;
        return static_cast<float>(v);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// A cell's number as the look-up reads it: its leading number, 0 for none.
float Value(const std::string& text) {
    try {
        const double v = plat::Val(text);
        return std::fabs(v) > kLargestSingle ? 0.0f : static_cast<float>(v);
    } catch (const plat::OverflowError&) {
        return 0.0f;
    }
}

// Grid drawing off for the life of the object, back as it was after.
class NoRedraw {
public:
    explicit NoRedraw(plat::GridModel& grid) : grid_(grid), was_(grid.Redraw()) { grid_.SetRedraw(false); }
    ~NoRedraw() { grid_.SetRedraw(was_); }
    NoRedraw(const NoRedraw&) = delete;
    NoRedraw& operator=(const NoRedraw&) = delete;

private:
    plat::GridModel& grid_;
    bool was_;
};

} // namespace

void SwapX(plat::GridModel& grid, int numX, int numY) {
    if (!GridMatches(grid, numX, numY))
        return;
    CutTexts cuts = ReadNodes(grid, numX, numY);
    for (auto& cut : cuts)
        std::reverse(cut.begin(), cut.end());
    const NoRedraw off(grid);
    for (int j = 1; j <= numY; ++j)
        for (int i = 1; i <= numX; ++i)
            for (int c = kColX; c <= kColZ; ++c)
                grid.SetTextMatrix(NodeRow(numX, j, i), c, cuts[j - 1][i - 1][c - kColX]);
}

void SwapY(plat::GridModel& grid, int numX, int numY) {
    if (!GridMatches(grid, numX, numY))
        return;
    CutTexts cuts = ReadNodes(grid, numX, numY);
    std::reverse(cuts.begin(), cuts.end());
    const NoRedraw off(grid);
    for (int j = 1; j <= numY; ++j)
        for (int i = 1; i <= numX; ++i)
            for (int c = kColX; c <= kColZ; ++c)
                grid.SetTextMatrix(NodeRow(numX, j, i), c, cuts[j - 1][i - 1][c - kColX]);
}

std::optional<GridCell> TranslateAllData(plat::GridModel& grid, int numX, int numY, float setback,
                                         float offset, float elevation) {
    if (!GridMatches(grid, numX, numY))
        return std::nullopt;
    const float amounts[] = {offset, setback, elevation};
    std::vector<std::pair<GridCell, std::string>> changes;
    for (int j = 1; j <= numY; ++j) {
        for (int i = 1; i <= numX; ++i) {
            const int row = NodeRow(numX, j, i);
            for (int c = kColX; c <= kColZ; ++c) {
                const std::string text = plat::Trim(grid.TextMatrix(row, c));
                if (text.empty())
                    continue;
                const std::optional<float> v = Single(text);
                const float moved = v ? *v + amounts[c - kColX] : 0.0f;
                if (!v || !std::isfinite(moved))
                    return GridCell{row, c};
                changes.push_back({GridCell{row, c}, plat::Format(moved, kTranslatedFormat)});
            }
        }
    }
    const NoRedraw off(grid);
    for (const auto& [cell, text] : changes)
        grid.SetTextMatrix(cell.row, cell.col, text);
    return std::nullopt;
}

std::string CopyCells(const plat::GridModel& grid) {
    const int r1 = std::min(grid.Row(), grid.RowSel());
    const int r2 = std::min(std::max(grid.Row(), grid.RowSel()), grid.Rows() - 1);
    const int c1 = std::min(grid.Col(), grid.ColSel());
    const int c2 = std::min(std::max(grid.Col(), grid.ColSel()), grid.Cols() - 1);
    std::string text;
    for (int r = r1; r <= r2; ++r) {
        if (IsHeaderRow(grid, r))
            continue;
        for (int c = c1; c <= c2; ++c)
            text += plat::Trim(grid.TextMatrix(r, c)) + (c < c2 ? "\t" : "\r\n");
    }
    return text;
}

void PasteCells(plat::GridModel& grid, int row, int col, std::string_view text) {
    const NoRedraw off(grid);
    const int current = grid.Row();
    const int currentCol = grid.Col();
    // Header rows take no text: a line meant for one goes to the next node row.
    const editors::PasteRules rules{
        [&grid](int r) {
            while (r < grid.Rows() && IsHeaderRow(grid, r))
                ++r;
            return r;
        },
        [&grid](int r, int c) { return r < grid.Rows() && c >= kColX && c <= kColZ; }};
    editors::PasteText(grid, row, col, text, rules);
    grid.Select(current, currentCol);
}

std::vector<ProfileLine> ProfileLines(std::string_view text) {
    std::vector<ProfileLine> lines;
    std::size_t start = 0;
    while (start < text.size() && static_cast<int>(lines.size()) < kMaxCount) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            lines.emplace_back(std::nullopt);
        } else {
            const std::size_t next = line.find('\t', tab + 1);
            const std::string_view z = line.substr(
                tab + 1, next == std::string_view::npos ? std::string_view::npos : next - tab - 1);
            lines.emplace_back(std::make_pair(plat::Trim(line.substr(0, tab)), plat::Trim(z)));
        }
        start = end + 1;
    }
    return lines;
}

void Fill2DTo3D(plat::GridModel& grid, const std::vector<ProfileLine>& lines) {
    const int numX = 3;
    const int numY = static_cast<int>(lines.size());
    if (!GridMatches(grid, numX, numY))
        return;
    const NoRedraw off(grid);
    int cut = 1;
    for (const ProfileLine& line : lines) {
        if (!line)
            continue;
        for (int i = 1; i <= numX; ++i) {
            const int row = NodeRow(numX, cut, i);
            grid.SetTextMatrix(row, 1, kProfileX[i - 1]);
            grid.SetTextMatrix(row, 2, line->first);
            grid.SetTextMatrix(row, 3, line->second);
        }
        ++cut;
    }
    grid.Select(1, 1);
}

int InsertNode(plat::GridModel& grid, int numX, int numY, int p) {
    if (!GridMatches(grid, numX, numY) || numY >= kMaxCount || p < 0 || p > numY)
        return numY;
    CutTexts cuts = ReadNodes(grid, numX, numY);
    const NoRedraw off(grid);
    if (p == numY) {
        cuts.emplace_back(numX, NodeTexts{"0.000", "0.000", "0.000"});
    } else {
        cuts.insert(cuts.begin() + p, std::vector<NodeTexts>(numX, NodeTexts{"0", "0", "0"}));
    }
    WriteNodes(grid, cuts);
    return numY + 1;
}

int RemoveNode(plat::GridModel& grid, int numX, int numY, int k) {
    if (!GridMatches(grid, numX, numY) || numY <= 1 || k < 1 || k > numY)
        return numY;
    CutTexts cuts = ReadNodes(grid, numX, numY);
    cuts.erase(cuts.begin() + (k - 1));
    const NoRedraw off(grid);
    WriteNodes(grid, cuts);
    return numY - 1;
}

int RemoveRowFromAll(plat::GridModel& grid, int numX, int numY, int row) {
    if (!GridMatches(grid, numX, numY) || numX <= 1)
        return numX;
    const int k = SelectedCut(row, numX);
    const int i = row - NodeRow(numX, k, 0);
    if (i < 1 || i > numX || IsHeaderRow(grid, row))
        return numX;
    CutTexts cuts = ReadNodes(grid, numX, numY);
    for (auto& cut : cuts)
        cut.erase(cut.begin() + (i - 1));
    const NoRedraw off(grid);
    WriteNodes(grid, cuts);
    return numX - 1;
}

float GroundElevationAt(const plat::GridModel& grid, float y, float x) {
    float yAbove = kFar;
    float yBelow = -kFar;
    float xHigh = kFar;
    float zHigh = kFar;
    float xLow = -kFar;
    float zLow = -kFar;
    const auto takeX = [&](float nx, float nz) {
        if (nx >= x) {
            xHigh = nx;
            zHigh = nz;
        }
        if (nx <= x) {
            xLow = nx;
            zLow = nz;
        }
    };
    for (int r = 1; r < grid.Rows(); ++r) {
        if (IsHeaderRow(grid, r))
            continue;
        const float nx = Value(grid.TextMatrix(r, 1));
        const float ny = Value(grid.TextMatrix(r, 2));
        const float nz = Value(grid.TextMatrix(r, 3));
        if (ny >= y && ny <= yAbove && nx >= xLow && nx <= xHigh) {
            yAbove = ny;
            takeX(nx, nz);
        }
        if (ny <= y && ny >= yBelow && nx >= xLow && nx <= xHigh) {
            yBelow = ny;
            takeX(nx, nz);
        }
    }
    if (yAbove != 0.0f || yBelow != 0.0f || xHigh == kFar || xLow == -kFar)
        return 0.0f;
    if (xHigh == xLow)
        return zLow;
    const float t = (x - xLow) / (xHigh - xLow);
    return zLow + (zHigh - zLow) * t;
}

} // namespace ground
