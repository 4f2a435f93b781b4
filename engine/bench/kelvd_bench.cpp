// Times a 250-point approach with three antennas over a 30-cut, 200-node 3D ground file, by the
// flat-earth model, with one worker thread and with all cores. Run from any folder: it works in a
// temporary folder of its own.
#include "ground_file.h"
#include "simrun.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

void write(const char* name, const std::string& text) {
    std::FILE* f = std::fopen(name, "wb");
    if (f) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

std::string parameterFile() {
    return "'*' 'bench INPUT A' 0\r\n"
           "'SECTION'\t1 0 0\r\n\t\t1\t0\t0\t(\t15.000,\t0.000)\t0.005\r\n\t\t 0.000\t0.000\t0.000\r\n"
           "'SECTION'\t2 0 0\r\n\t\t\t0.000\t-1000.000\t10.000\t3.000\t0.700\t0.000\r\n"
           "'SECTION'\t3 0 0\r\n\t\t3\t332.000\t0.400\t1.000\t0.500\t0\r\n"
           "\t\t1\t0.000\t0.000\t14.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.250\t180.000\t0.500\t0.000\t0.100\t0.000\r\n"
           "\t\t2\t0.000\t0.000\t28.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.500\t0.000\t1.000\t0.000\t0.000\t0.000\r\n"
           "\t\t3\t0.000\t0.000\t42.000\t0.000\t0.000\t0.000\t0.000\r\n\t\t0.250\t180.000\t0.000\t0.000\t0.200\t90.000\r\n"
           "'SECTION'\t4 0 0\r\n\t\t3\t250\t0\t\t   200.000 30000.000     3.000\r\n"
           "                                                     0.000  1000.000     3.000\r\n"
           "'SECTION'\t5 0 0\r\n\t\t1\t1\t1 \t0.000\t0.000\t0.000\t0.000  0 0 0 0 0 0 0 0 0 0 0 0 \r\n"
           "'...' 0 0 0\r\n";
}

std::string groundFile() {
    std::string s = "  200           30\r\n";
    char line[96];
    for (int c = 0; c < 30; ++c)
        for (int i = 0; i < 200; ++i) {
            const double x = -5000.0 + 50.0 * i, y = -500.0 + 1000.0 * c;
            const double z = c == 0 ? 0.0 : 0.002 * y + 4.0 * std::sin(0.002 * x + 0.3 * c);
            std::snprintf(line, sizeof line, " %.3f    %.3f    %.3f\r\n", x, y, z);
            s += line;
        }
    return s;
}

double runMs(int threads, int repeats) {
    kelvd::RunPaths paths;
    paths.in.assign("bench.inp");
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
    const auto dir = std::filesystem::temp_directory_path() / ("kelvd_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    write("bench.inp", parameterFile());
    write("bench.3D", groundFile());
    const double one = runMs(1, 5);
    const double all = runMs(0, 5);
    std::printf("250 points x 3 antennas, 30 x 200 ground file, flat earth: %.1f ms (1 thread), %.1f ms (all cores)\n",
                one, all);
    // For comparison: one read of the ground file, which a run re-reading it per antenna and point does 750 times.
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        std::FILE* f = std::fopen("bench.3D", "rb");
        kelvd::GroundData g;
        kelvd::LoadGround(f, g);
        std::fclose(f);
    }
    const double read = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / 20;
    std::printf("one read of the ground file: %.2f ms (x 750 = %.0f ms)\n", read, read * 750);
    std::filesystem::current_path(dir.parent_path());
    std::filesystem::remove_all(dir);
    return one < 0 || all < 0;
}
