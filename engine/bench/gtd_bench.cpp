// Times a 250-point approach with three antennas over a 30-cut 3D ground file by the GTD model, with
// one worker thread and with all cores, and the same terrain given as a 30-vertex card profile. Run from
// any folder: it works in a temporary folder of its own.
#include "simrun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kCuts = 30;

void write(const char* name, const std::string& text) {
    std::FILE* f = std::fopen(name, "wb");
    if (f) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

double cutY(int c) {
    return -500.0 + 1000.0 * c;
}
double height(double x, int c) {
    return c == 0 ? 0.0 : 0.002 * cutY(c) + 4.0 * std::sin(0.002 * x + 0.3 * c) + 6.0 * std::sin(0.7 * c);
}

std::string parameterFile(bool cardProfile) {
    std::string s = "'*' 'gtd bench INPUT A' 0\r\n'SECTION'\t1 0 0\r\n";
    char line[160];
    if (cardProfile) {
        std::snprintf(line, sizeof line, "\t\t%d\t1\t0\t(\t0.000,\t0.000)\t0.000\r\n", kCuts);
        s += line;
        for (int c = 0; c < kCuts; ++c) {
            std::snprintf(line, sizeof line, "\t\t 0.000\t%.3f\t%.3f\r\n", cutY(c), height(0, c));
            s += line;
        }
    } else {
        s += "\t\t1\t1\t0\t(\t0.000,\t0.000)\t0.000\r\n\t\t 0.000\t0.000\t0.000\r\n";
    }
    s += "'SECTION'\t2 0 0\r\n\t\t\t0.000\t-1000.000\t10.000\t3.000\t0.700\t0.000\r\n"
         "'SECTION'\t3 0 0\r\n\t\t3\t332.000\t0.400\t1.000\t0.500\t0\r\n"
         "\t\t1\t0.000\t0.000\t14.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.250\t180.000\t0.500\t0.000\t0."
         "100\t0.000\r\n"
         "\t\t2\t0.000\t0.000\t28.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.500\t0.000\t1.000\t0.000\t0."
         "000\t0.000\r\n"
         "\t\t3\t0.000\t0.000\t42.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.250\t180.000\t0.000\t0.000\t0."
         "200\t90.000\r\n"
         "'SECTION'\t4 0 0\r\n\t\t3\t250\t0\t\t   200.000 30000.000     3.000\r\n"
         "                                                     0.000  1000.000     3.000\r\n"
         "'SECTION'\t5 0 0\r\n\t\t1\t1\t1 \t0.000\t0.000\t0.000\t0.000  0 0 0 0 0 0 0 0 0 0 0 0 \r\n"
         "'...' 0 0 0\r\n";
    return s;
}

std::string groundFile() {
    std::string s = "  200           30\r\n";
    char line[96];
    for (int c = 0; c < kCuts; ++c)
        for (int i = 0; i < 200; ++i) {
            const double x = -5000.0 + 50.0 * i;
            std::snprintf(line, sizeof line, " %.3f    %.3f    %.3f\r\n", x, cutY(c), height(x, c));
            s += line;
        }
    return s;
}

double runMs(const char* in, int threads, int repeats) {
    kelvd::RunPaths paths;
    paths.in.assign(in);
    paths.plot.assign("bench.prn");
    paths.ground.assign("bench.3D");
    double best = 1e300;
    for (int r = 0; r < repeats; ++r) {
        kelvd::RunControl control;
        control.threads = threads;
        const auto t0 = std::chrono::steady_clock::now();
        const int code = kelvd::SIMRUN(paths, control);
        const auto t1 = std::chrono::steady_clock::now();
        if (code != 0) {
            std::fprintf(stderr, "run failed with code %d\n", code);
            return -1;
        }
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

} // namespace

int main() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kelvd_gtd_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    write("file.inp", parameterFile(false));
    write("card.inp", parameterFile(true));
    write("bench.3D", groundFile());
    bool failed = false;
    for (const char* in : {"file.inp", "card.inp"}) {
        const double one = runMs(in, 1, 3);
        const double all = runMs(in, 0, 3);
        failed = failed || one < 0 || all < 0;
        std::printf("GTD, 250 points x 3 antennas, 30 cuts (%s): %.1f ms (1 thread), %.1f ms (%u cores)\n",
                    in[0] == 'f' ? "profile cut from the 3D ground file" : "card profile", one, all,
                    std::thread::hardware_concurrency());
    }
    std::filesystem::current_path(dir.parent_path());
    std::filesystem::remove_all(dir);
    return failed;
}
