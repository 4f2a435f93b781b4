#include "ground/logic/GroundFile.h"

#include "platform/text/Numbers.h"
#include "platform/text/RegularFile.h"
#include "platform/text/Strings.h"

#include <cmath>

namespace ground {

namespace {

constexpr int kPrintZone = 14;
constexpr char kNodeFormat[] = "####0.00";
// A valid file holds at most 100 × 100 nodes; even with long numbers it stays far below this.
constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;
// A token longer than this is no number the file could hold; it is shown cut in the message.
constexpr std::size_t kShownToken = 24;
constexpr double kLargestSingle = 3.4028234663852886e38;

bool Separator(char ch) {
    return ch == ' ' || ch == ',' || ch == '\r' || ch == '\n' || ch == '\t';
}

// The file's numbers one by one.
class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}
    std::optional<std::string_view> Next() {
        while (pos_ < text_.size() && Separator(text_[pos_]))
            ++pos_;
        if (pos_ >= text_.size())
            return std::nullopt;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !Separator(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::string Shown(std::string_view token) {
    std::string s;
    for (const char ch : token.substr(0, kShownToken))
        s += (static_cast<unsigned char>(ch) < 32) ? '?' : ch;
    return token.size() > kShownToken ? s + "..." : s;
}

std::optional<double> Number(std::string_view token) {
    if (!plat::IsNumeric(token))
        return std::nullopt;
    try {
        return plat::CDbl(token);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

GroundReadResult Refuse(std::string error) {
    return {std::nullopt, std::move(error)};
}

std::string NodeName(int cut, int node) {
    return "node " + std::to_string(node) + " of cut " + std::to_string(cut);
}

// A count of the counts line: a whole number of the accepted range.
std::optional<int> Count(std::optional<std::string_view> token) {
    if (!token)
        return std::nullopt;
    const std::optional<double> v = Number(*token);
    // Rounded first (half to even), as a 16-bit count takes it: 0.5 is 0, out of range.
    if (!v || std::fabs(*v) > kMaxCount + 1)
        return std::nullopt;
    const int count = plat::CInt(*v);
    if (count < kMinCount || count > kMaxCount)
        return std::nullopt;
    return count;
}

// A value as the grid shows it: in the display unit, to two decimals, as a single's shortest text.
std::optional<std::string> Shown(double value, bool metres) {
    const double v = metres ? value / static_cast<double>(kFeetPerMetre) : value;
    const double rounded = plat::RoundHalfEven(v, 2);
    if (!std::isfinite(rounded) || std::fabs(rounded) > kLargestSingle)
        return std::nullopt;
    // The writer takes the shown value back to feet in single precision; it must stay finite there.
    const float shown = static_cast<float>(rounded);
    if (!std::isfinite(shown * (metres ? kFeetPerMetre : 1.0f)))
        return std::nullopt;
    return plat::GeneralText(shown);
}

} // namespace

GroundReadResult Parse3DText(std::string_view text, bool metres) {
    Tokens tokens(text);
    const std::optional<int> numX = Count(tokens.Next());
    const std::optional<int> numY = Count(tokens.Next());
    if (!numX || !numY)
        return Refuse("The first line must give the samples per lateral cut and the number of lateral cuts, "
                      "each from 1 to 100.");
    GroundData data{*numX, *numY, CutTexts(*numY, std::vector<NodeTexts>(*numX))};
    for (int j = 1; j <= *numY; ++j) {
        for (int i = 1; i <= *numX; ++i) {
            for (int c = 0; c < 3; ++c) {
                const std::optional<std::string_view> token = tokens.Next();
                if (!token)
                    return Refuse("The file ends before " + NodeName(j, i) + ": it announces " +
                                  std::to_string(*numX) + " samples in each of " + std::to_string(*numY) +
                                  " cuts.");
                const std::optional<double> value = Number(*token);
                const std::optional<std::string> shown = value ? Shown(*value, metres) : std::nullopt;
                if (!shown)
                    return Refuse("\"" + Shown(*token) + "\" at " + NodeName(j, i) + " is not a number.");
                data.cuts[j - 1][i - 1][c] = *shown;
            }
        }
    }
    return {std::move(data), {}};
}

GroundReadResult Read3DFile(const std::filesystem::path& path, bool metres) {
    const plat::FileReadResult file = plat::ReadRegularFile(path, kMaxFileBytes);
    if (file.tooLarge)
        return Refuse("The file is too large to be a 3D ground file.");
    if (!file)
        return Refuse("The file cannot be read: " + file.reason + ".");
    return Parse3DText(file.bytes, metres);
}

void FillGroundGrid(plat::GridModel& grid, const GroundData& data) {
    WriteNodes(grid, data.cuts);
}

std::string CellName(int numX, GridCell cell) {
    static const char* const kNames[] = {"X", "Y", "Z"};
    const int cut = SelectedCut(cell.row, numX);
    const std::string column = cell.col >= kColX && cell.col <= kColZ ? kNames[cell.col - kColX] : "?";
    return column + " of " + NodeName(cut, cell.row - NodeRow(numX, cut, 0));
}

std::string CountsLine(int numX, int numY) {
    std::string line = " " + std::to_string(numX) + " ";
    line.append((kPrintZone - line.size() % kPrintZone) % kPrintZone, ' ');
    return line + " " + std::to_string(numY) + " \r\n";
}

GroundWriteText Format3DText(const plat::GridModel& grid, int numX, int numY, bool metres) {
    const float factor = metres ? kFeetPerMetre : 1.0f;
    GroundWriteText out;
    out.bytes = CountsLine(numX, numY);
    for (int j = 1; j <= numY; ++j) {
        for (int i = 1; i <= numX; ++i) {
            const int row = NodeRow(numX, j, i);
            for (int c = kColX; c <= kColZ; ++c) {
                const std::string text = plat::Trim(grid.TextMatrix(row, c));
                std::optional<double> value = Number(text);
                if (value && std::fabs(*value) > kLargestSingle)
                    value.reset();
                const float scaled = value ? static_cast<float>(*value) * factor : 0.0f;
                if (!value || !std::isfinite(scaled)) {
                    out.badCell = GridCell{row, c};
                    out.bytes.clear();
                    return out;
                }
                out.bytes += plat::Format(scaled, kNodeFormat);
                out.bytes += c < kColZ ? " " : "\r\n";
            }
        }
    }
    return out;
}

} // namespace ground
