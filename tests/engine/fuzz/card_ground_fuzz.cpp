// libFuzzer target for the card reader and the 3D ground-file reader. An input is a parameter file,
// optionally followed by a NUL byte and a ground file (else the program's one-point default). When both
// read cleanly, the first field points are evaluated too, so that the field models meet what the
// readers let through.
#include "card_reader.h"
#include "ground_file.h"
#include "point_loop.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Reads text through a FILE*, as the run does.
template <class F> int WithFile(const std::string& text, F f) {
    std::FILE* file = std::tmpfile();
    if (!file) std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    const int rc = f(file);
    std::fclose(file);
    return rc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string cards = input.substr(0, split);
    const std::string groundText =
        split == std::string::npos ? std::string("  1           1\r\n 0.000    0.000    0.000\r\n") : input.substr(split + 1);

    kelvd::RunInputs in{};
    std::string echo;
    if (WithFile(cards, [&](std::FILE* f) { return kelvd::ReadCards(f, in, echo); }) != 0) return 0;
    kelvd::GroundData ground;
    if (WithFile(groundText, [&](std::FILE* f) { return kelvd::LoadGround(f, ground); }) != 0) return 0;
    if (in.NPTS > kelvd::limits::kMaxPoints) return 0;

    std::vector<kelvd::FlightPoint> points;
    if (kelvd::FlightPoints(in, points) != 0) return 0;
    kelvd::FieldContext ctx(in);
    for (std::size_t i = 0; i < points.size() && i < 3; ++i) {
        kelvd::PointResult out;
        kelvd::EvaluatePoint(in, ground, points[i], static_cast<int>(i), ctx, out);
        // A value the run would write must never be NaN or infinite.
        if (out.error == 0 && (out.plot.find("nan") != std::string::npos || out.plot.find("inf") != std::string::npos))
            std::abort();
    }
    return 0;
}
