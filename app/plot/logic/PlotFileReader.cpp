#include "plot/logic/PlotFileReader.h"

#include "platform/text/RegularFile.h"
#include "platform/text/TextFile.h"
#include "plot/logic/NumberScan.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace plot {

namespace {

// The largest y the program accepts, as it compares them.
constexpr double kLargestY = 3.402823E+38;
constexpr double kLargestX = std::numeric_limits<float>::max();

struct Record {
    double x = 0;
    double y = 0;
};

// One line: two numbers separated by blanks, a comma, or a comma among blanks; nothing after them.
std::optional<Record> ParseRecord(std::string_view line) {
    std::size_t pos = 0;
    SkipBlanks(line, pos);
    const std::optional<double> x = ScanNumber(line, pos);
    if (!x)
        return std::nullopt;
    const std::size_t afterX = pos;
    SkipBlanks(line, pos);
    if (pos < line.size() && line[pos] == ',') {
        ++pos;
        SkipBlanks(line, pos);
    } else if (pos == afterX) {
        return std::nullopt;
    }
    const std::optional<double> y = ScanNumber(line, pos);
    if (!y)
        return std::nullopt;
    SkipBlanks(line, pos);
    if (pos != line.size())
        return std::nullopt;
    return Record{*x, *y};
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

void Track(float v, std::int16_t dir, bool first, float& lo, float& hi) {
    if (first) {
        lo = hi = v;
        return;
    }
    if (dir == 1) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    } else {
        lo = std::max(lo, v);
        hi = std::min(hi, v);
    }
}

PlotReadStatus Fail(PlotTrace& trace) {
    trace = PlotTrace{};
    return PlotReadStatus::InputError;
}

} // namespace

PlotReadStatus ParsePlotText(std::string_view text, const PlotReadOptions& options, PlotTrace& trace) {
    trace = PlotTrace{};
    const float shift = options.PlotFlightType == 3 ? options.OriginShift : 0.0F;
    for (const std::string_view line : plat::SplitLines(text)) {
        if (IsBlank(line))
            continue;
        const std::optional<Record> r = ParseRecord(line);
        if (!r || std::fabs(r->y) >= kLargestY || std::fabs(r->x) >= kLargestX)
            return Fail(trace);
        if (trace.X.size() == kMaxPlotPoints)
            return Fail(trace);
        const float x = static_cast<float>(r->x) + shift;
        const float y = static_cast<float>(r->y);
        if (!std::isfinite(x))
            return Fail(trace);
        const bool first = trace.X.empty();
        trace.X.push_back(x);
        trace.Y.push_back(y);
        Track(x, options.PlotXDir, first, trace.Xlo, trace.Xhi);
        Track(y, options.PlotYDir, first, trace.Ylo, trace.Yhi);
    }
    return PlotReadStatus::Read;
}

bool ReadPlotBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (path.empty())
        return false;
    plat::FileReadResult file = plat::ReadRegularFile(path);
    if (!file)
        return false;
    bytes = std::move(file.bytes);
    return true;
}

PlotReadStatus ReadPlotFile(const std::string& path, const PlotReadOptions& options, PlotTrace& trace) {
    trace = PlotTrace{};
    std::string text;
    if (!ReadPlotBytes(path, text))
        return PlotReadStatus::NoFile;
    return ParsePlotText(text, options, trace);
}

} // namespace plot
