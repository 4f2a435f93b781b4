// Times the plot window's work on a 20001-point approach: reading the plot file, afresh and as a
// redraw of an unchanged file finds it kept (against a plain std::from_chars loop over the same file
// in the same run), the CDI filter with its FORT10, and the
// analysis by both methods. Run from any folder: it works in a temporary folder of its own.

#include "plot/logic/ApproachResults.h"
#include "plot/logic/CDIFilter.h"
#include "plot/logic/PlotFileCache.h"
#include "plot/logic/PlotFileReader.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace plot;

namespace {

constexpr int kPoints = 20001;
constexpr int kRepeats = 15;

std::string PlotFileText() {
    std::string text;
    char line[64];
    for (int i = 0; i < kPoints; ++i) {
        const double d = 30380.0 - i * (29880.0 / (kPoints - 1));
        const double cdi = (std::atan((50 + d * std::tan(3 * 0.0174533)) / d) / 0.0174533 - 3) * 150 / 0.7 +
                           8 * std::sin(d / 300) + 3 * std::sin(d / 37);
        std::snprintf(line, sizeof line, " %12.5E %12.5E\n", d, cdi);
        text += line;
    }
    return text;
}

std::string Fort10Text() {
    std::string text = "'*''bench INPUT A'\n...           0\n";
    char line[128];
    for (int i = 0; i < kPoints; ++i) {
        const double d = 30380.0 - i * (29880.0 / (kPoints - 1));
        std::snprintf(line, sizeof line, "%10.2f%10.2f%10.2f%20.11E%20.11E\n", 0.0, d, d * 0.0524, 1e-5,
                      -2e-5);
        text += line;
    }
    return text;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The floor: every number of the file read with std::from_chars, nothing checked.
std::size_t FromCharsLoop(const fs::path& p, std::vector<float>& out) {
    const std::string text = ReadAll(p);
    out.clear();
    const char* c = text.data();
    const char* end = c + text.size();
    while (c < end) {
        while (c < end && (*c == ' ' || *c == '\n' || *c == '\r'))
            ++c;
        double v = 0;
        const auto r = std::from_chars(c, end, v);
        if (r.ec != std::errc())
            break;
        out.push_back(static_cast<float>(v));
        c = r.ptr;
    }
    return out.size();
}

template <typename F> double BestMs(F&& f) {
    double best = 1e300;
    for (int r = 0; r < kRepeats; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const std::chrono::duration<double, std::milli> dt = std::chrono::steady_clock::now() - t0;
        best = std::min(best, dt.count());
    }
    return best;
}

} // namespace

int main() {
    const fs::path dir = fs::temp_directory_path() / ("plot_bench_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path prn = dir / "bench.prn";
    const fs::path fort10 = dir / kFort10Name;
    std::ofstream(prn, std::ios::binary) << PlotFileText();
    std::ofstream(fort10, std::ios::binary) << Fort10Text();

    PlotTrace trace;
    std::vector<float> floor;
    const double readMs = BestMs([&] { ReadPlotFile(prn.string(), {3, 0, 1, 1}, trace); });
    const double floorMs = BestMs([&] { FromCharsLoop(prn, floor); });
    PlotFileCache cache;
    PlotTrace kept;
    const double keptMs = BestMs([&] { cache.Read(prn.string(), {3, 0, 1, 1}, kept); });
    if (trace.Count() != kPoints || kept.Count() != kPoints || cache.Parses() != 1 ||
        floor.size() != 2 * kPoints) {
        std::fprintf(stderr, "plot_bench: read %zu points, the floor %zu numbers\n", trace.Count(),
                     floor.size());
        return 1;
    }

    std::vector<float> filtered;
    std::string message;
    const double filterMs = BestMs([&] {
        filtered = trace.Y;
        message = FilterCDI(filtered, fort10.string(), 200.0F);
    });
    if (!message.empty()) {
        std::fprintf(stderr, "plot_bench: %s\n", message.c_str());
        return 1;
    }

    ILSAnalysisRec rec;
    rec.PathAngle = 3.0F;
    rec.PathWidth = 0.7F;
    RefCurve ref;
    const double reversalMs = BestMs([&] { RunApproachAnalysis(trace.X, filtered, 0, rec, ref); });
    const double smoothingMs = BestMs([&] { RunApproachAnalysis(trace.X, filtered, 1, rec, ref); });
    fs::remove_all(dir);

    std::printf("plot_bench: %d points, best of %d\n", kPoints, kRepeats);
    std::printf("  read plot file     %8.3f ms   (from_chars loop %8.3f ms, ratio %.2f)\n", readMs, floorMs,
                readMs / floorMs);
    std::printf("  kept (unchanged)   %8.3f ms   (from_chars loop %8.3f ms, ratio %.2f)\n", keptMs, floorMs,
                keptMs / floorMs);
    std::printf("  CDI filter+FORT10  %8.3f ms\n", filterMs);
    std::printf("  reversal method    %8.3f ms\n", reversalMs);
    std::printf("  smoothing method   %8.3f ms   (BFSL %.3f deg, RDH %.2f ft)\n", smoothingMs, rec.BFSLAngle,
                rec.RDH);
    return 0;
}
