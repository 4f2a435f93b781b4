// Times a 250-point approach with three antennas over a 30-cut, 200-node 3D ground file by each field
// model (flat earth, GTD, physical optics; GTD also with the terrain given as a 30-vertex card profile),
// with one worker thread and with all cores, one line per case with the parallel efficiency and, beside
// it, the efficiency these cores allow at best. Run from any folder: it works in a temporary folder of
// its own.
#include "card_reader.h"
#include "ground_file.h"
#include "point_loop.h"
#include "simrun.h"
#include "text_format.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <latch>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

namespace {

constexpr int kCuts = 30;
constexpr int kNodesPerCut = 200;

// The cuts run from the array to beyond the farthest point.
double cutY(int c) {
    return 1100.0 * c;
}

double height(double x, int c) {
    return c == 0 ? 0.0 : 0.002 * cutY(c) + 4.0 * std::sin(0.002 * x + 0.3 * c) + 6.0 * std::sin(0.7 * c);
}

void write(const char* name, const std::string& text) {
    std::FILE* f = std::fopen(name, "wb");
    if (f) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

// Three antennas 400 ft off the centre line, the approach along it (the physical-optics model takes
// the lateral offset from the antenna's X alone). One vertex on card 1 has the profile cut from the
// ground file for every antenna at every point; with cardProfile the terrain's centre line is given as
// kCuts vertices instead.
std::string parameterFile(int model, bool cardProfile) {
    std::string s = "'*' 'bench INPUT A' 0\r\n'SECTION'\t1 0 0\r\n";
    char line[160];
    std::snprintf(line, sizeof line, "\t\t%d\t%d\t0\t(\t15.000,\t0.000)\t0.005\r\n", cardProfile ? kCuts : 1,
                  model);
    s += line;
    if (cardProfile) {
        for (int c = 0; c < kCuts; ++c) {
            std::snprintf(line, sizeof line, "\t\t 0.000\t%.3f\t%.3f\r\n", cutY(c), height(0, c));
            s += line;
        }
    } else {
        s += "\t\t 0.000\t0.000\t0.000\r\n";
    }
    s += "'SECTION'\t2 0 0\r\n\t\t\t0.000\t-1000.000\t10.000\t3.000\t0.700\t0.000\r\n"
         "'SECTION'\t3 0 0\r\n\t\t3\t332.000\t0.400\t1.000\t0.500\t0\r\n"
         "\t\t1\t400.000\t0.000\t14.000\t0.000\t0.000\t0.000\t0.000\r\n"
         "\t\t0.250\t180.000\t0.500\t0.000\t0.100\t0.000\r\n"
         "\t\t2\t400.000\t0.000\t28.000\t0.000\t0.000\t0.000\t0.000\r\n"
         "\t\t0.500\t0.000\t1.000\t0.000\t0.000\t0.000\r\n"
         "\t\t3\t400.000\t0.000\t42.000\t0.000\t0.000\t0.000\t0.000\r\n"
         "\t\t0.250\t180.000\t0.000\t0.000\t0.200\t90.000\r\n"
         "'SECTION'\t4 0 0\r\n\t\t3\t250\t0\t\t     0.000 30000.000     3.000\r\n"
         "                                                     0.000  1000.000     3.000\r\n"
         "'SECTION'\t5 0 0\r\n\t\t1\t1\t1 \t0.000\t0.000\t0.000\t0.000  0 0 0 0 0 0 0 0 0 0 0 0 \r\n"
         "'...' 0 0 0\r\n";
    return s;
}

std::string groundFile() {
    std::string s = "  200           30\r\n";
    char line[96];
    for (int c = 0; c < kCuts; ++c)
        for (int i = 0; i < kNodesPerCut; ++i) {
            const double x = -5000.0 + 50.0 * i;
            std::snprintf(line, sizeof line, " %.3f    %.3f    %.3f\r\n", x, cutY(c), height(x, c));
            s += line;
        }
    return s;
}

double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

struct Times {
    double one = 1e300; // one worker thread
    double all = 1e300; // every core
};

// The best of each of five rounds. A round runs the case on one thread and then on every core, so
// that both bests come from the same stretch of the machine's load and their ratio does not follow a
// change of load between them. False when a run fails.
bool runMs(const char* in, kelvd::PointHelpers& helpers, Times& best) {
    kelvd::RunPaths paths;
    paths.in.assign(in);
    paths.plot.assign("bench.prn");
    paths.ground.assign("bench.3D");
    for (int r = 0; r < 5; ++r)
        for (const int threads : {1, 0}) {
            kelvd::RunControl control;
            control.threads = threads;
            control.helpers = &helpers;
            const auto t0 = std::chrono::steady_clock::now();
            const int code = kelvd::SIMRUN(paths, control);
            const double ms = msSince(t0);
            if (code != 0) {
                std::fprintf(stderr, "%s: run failed with code %d\n", in, code);
                return false;
            }
            double& slot = threads == 1 ? best.one : best.all;
            slot = std::min(slot, ms);
        }
    return true;
}

// The point loop's peer: the same point work with nothing shared and no files, one copy of it on one
// thread against a copy on every core at once. The one-copy time over the all-copies time is the
// efficiency these cores allow at best (clock boost, shared caches, the machine's other load); best of
// three of each, taken in turn. -1 when the inputs cannot be read.
double ceilingPercent(const char* in, unsigned cores) {
    kelvd::CLocaleScope locale;
    kelvd::RunInputs inputs{};
    std::string echo;
    std::FILE* cards = std::fopen(in, "rb");
    std::FILE* ground = std::fopen("bench.3D", "rb");
    kelvd::GroundData nodes;
    std::vector<kelvd::FlightPoint> points;
    const bool read = cards && ground && kelvd::ReadCards(cards, inputs, echo) == 0 &&
                      kelvd::FlightPoints(inputs, points) == 0 && kelvd::LoadGround(ground, nodes) == 0;
    for (std::FILE* f : {cards, ground})
        if (f)
            std::fclose(f);
    if (!read)
        return -1;
    const auto copy = [&] {
        kelvd::CLocaleScope threadLocale;
        kelvd::FieldContext ctx(inputs);
        kelvd::PointResult r;
        for (size_t i = 0; i < points.size(); ++i)
            kelvd::EvaluatePoint(inputs, nodes, points[i], static_cast<int>(i), ctx, r);
    };
    double one = 1e300, all = 1e300;
    for (int r = 0; r < 3; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        copy();
        one = std::min(one, msSince(t0));
        // Timed from when every thread is up to when the last is done: starting threads is no part of it.
        std::latch up(cores), go(1);
        std::vector<std::chrono::steady_clock::time_point> done(cores);
        std::vector<std::thread> threads;
        for (unsigned c = 0; c < cores; ++c)
            threads.emplace_back([&, c] {
                up.count_down();
                go.wait();
                copy();
                done[c] = std::chrono::steady_clock::now();
            });
        up.wait();
        const auto start = std::chrono::steady_clock::now();
        go.count_down();
        for (auto& t : threads)
            t.join();
        const auto last = *std::max_element(done.begin(), done.end());
        all = std::min(all, std::chrono::duration<double, std::milli>(last - start).count());
    }
    return 100.0 * one / all;
}

struct Case {
    const char* label;
    const char* file;
    int model;
    bool cardProfile;
};

} // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / ("kelvd_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    write("bench.3D", groundFile());

    const Case cases[] = {
        {"flat earth", "flat.inp", 0, false},
        {"GTD", "gtd.inp", 1, false},
        {"GTD, card profile", "gtd_card.inp", 1, true},
        {"physical optics", "po.inp", 2, false},
    };
    std::printf("250 points x 3 antennas, %d x %d ground file:\n", kCuts, kNodesPerCut);
    bool failed = false;
    // Kept for all the runs, as the library keeps them.
    kelvd::PointHelpers helpers;
    for (const Case& c : cases) {
        write(c.file, parameterFile(c.model, c.cardProfile));
        Times t;
        const bool ran = runMs(c.file, helpers, t);
        const double one = ran ? t.one : -1, all = ran ? t.all : -1;
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const double ceiling = ceilingPercent(c.file, cores);
        failed = failed || !ran || ceiling < 0;
        // Parallel efficiency: the one-thread time over the all-core time times the cores.
        std::printf("  %-18s %8.1f ms (1 thread) %8.1f ms (%u cores)  efficiency %5.1f %%  (ceiling %5.1f %%)\n",
                    c.label, one, all, cores, one > 0 && all > 0 ? 100.0 * one / (cores * all) : 0.0, ceiling);
    }
    std::filesystem::current_path(dir.parent_path());
    std::filesystem::remove_all(dir);
    return failed;
}
