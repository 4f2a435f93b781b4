#include "plot/logic/CDIFilter.h"

#include "platform/text/RegularFile.h"
#include "platform/text/TextFile.h"
#include "plot/logic/NumberScan.h"

#include <array>
#include <cmath>
#include <optional>

namespace plot {

namespace {

constexpr double kFeetPerSecondPerKnot = 6076.0 / 3600.0;

struct Point {
    double x, y, z;
};

// A point line: it begins with three numbers, each followed by a blank or the line's end.
std::optional<Point> PointOfLine(std::string_view line) {
    std::array<double, 3> v{};
    std::size_t pos = 0;
    for (double& c : v) {
        SkipBlanks(line, pos);
        const std::optional<double> number = ScanNumber(line, pos);
        if (!number || (pos < line.size() && line[pos] != ' ' && line[pos] != '\t'))
            return std::nullopt;
        c = *number;
    }
    return Point{v[0], v[1], v[2]};
}

} // namespace

SampleRate SampleRateFromText(std::string_view text, float aircraftSpeed) {
    enum class State { BeforeMarker, AfterMarker, InPoints };
    State state = State::BeforeMarker;
    double sum = 0;
    long count = 0;
    Point last{};
    for (const std::string_view line : plat::SplitLines(text)) {
        if (line.substr(0, 3) == "...") {
            state = State::AfterMarker;
            continue;
        }
        if (state == State::BeforeMarker)
            continue;
        const std::optional<Point> q = PointOfLine(line);
        if (!q)
            continue;
        if (state == State::AfterMarker) {
            last = *q;
            state = State::InPoints;
            continue;
        }
        const double d = std::sqrt((q->x - last.x) * (q->x - last.x) + (q->y - last.y) * (q->y - last.y) +
                                   (q->z - last.z) * (q->z - last.z));
        if (d == 0 || !std::isfinite(d))
            continue;
        sum += d;
        ++count;
        last = *q;
    }
    if (state != State::InPoints)
        return {0, kSampleRateNoPoints};
    if (count == 0)
        return {0, kSampleRateZeroPoints};
    if (aircraftSpeed == 0)
        return {0, kSampleRateZeroSpeed};
    const double T = sum / (static_cast<double>(count) * aircraftSpeed * kFeetPerSecondPerKnot);
    const auto rate = static_cast<float>(T);
    if (!std::isfinite(rate) || rate <= 0)
        return {};
    return {rate, {}};
}

SampleRate GetSampleRate(const std::string& fort10Path, float aircraftSpeed) {
    const plat::FileReadResult file = plat::ReadRegularFile(fort10Path);
    if (!file)
        return {0, kSampleRateMissing};
    return SampleRateFromText(file.bytes, aircraftSpeed);
}

float FilterTimeConstant(float aircraftSpeed) {
    return static_cast<float>((303800.0 / 3600.0) / aircraftSpeed);
}

void ApplyCDIFilter(std::span<float> y, float T, float tau) {
    if (y.size() < 2)
        return;
    const double t = T;
    const double twoTau = 2.0 * tau;
    const double denominator = twoTau + t;
    if (!(denominator > 0) || !std::isfinite(denominator))
        return;
    double before = y[0]; // the unfiltered previous sample
    double out = y[0];
    for (std::size_t i = 1; i < y.size(); ++i) {
        const double in = y[i];
        out = ((before + in) * t - (t - twoTau) * out) / denominator;
        before = in;
        y[i] = std::isfinite(out) ? static_cast<float>(out) : y[i];
        if (!std::isfinite(out))
            out = in;
    }
}

std::string FilterCDI(std::span<float> y, const std::string& fort10Path, float aircraftSpeed) {
    const SampleRate rate = GetSampleRate(fort10Path, aircraftSpeed);
    if (rate.T == 0)
        return rate.Message;
    ApplyCDIFilter(y, rate.T, FilterTimeConstant(aircraftSpeed));
    return {};
}

} // namespace plot
