#ifndef KELVD_FUZZ_HARNESS_H
#define KELVD_FUZZ_HARNESS_H

// One input for the readers: a parameter file, optionally followed by a NUL byte and a 3D ground file
// (else a one-point ground file). Reads both, and when they are accepted cuts the flight points and
// evaluates a few of them, so that whatever the readers accept is also safe to compute with.

#include "card_reader.h"
#include "error_codes.h"
#include "ground_file.h"
#include "point_loop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace kelvd_fuzz {

// A FILE over s (which must outlive it).
inline std::FILE* openText(std::string& s) {
    if (!s.empty())
        return fmemopen(s.data(), s.size(), "r");
    return std::tmpfile();
}

// The model that evaluates the points: flat earth (the quickest, for many inputs in a unit test) or
// the one the cards choose.
enum class Models { FlatEarth, AsChosen };

// Returns false when an accepted input produced something that must never happen.
inline bool FuzzOne(const std::uint8_t* data, size_t size, Models models = Models::FlatEarth) {
    const char* text = reinterpret_cast<const char*>(data);
    const char* nul = static_cast<const char*>(std::memchr(text, 0, size));
    std::string cards(text, nul ? static_cast<size_t>(nul - text) : size);
    std::string ground = nul ? std::string(nul + 1, size - cards.size() - 1)
                             : std::string("  1           1\r\n 0.000    0.000    0.000\r\n");

    std::FILE* cf = openText(cards);
    std::FILE* gf = openText(ground);
    if (!cf || !gf) {
        if (cf)
            std::fclose(cf);
        if (gf)
            std::fclose(gf);
        return true;
    }
    kelvd::RunInputs in{};
    std::string echo;
    const int rc = kelvd::ReadCards(cf, in, echo);
    kelvd::GroundData g;
    const int grc = kelvd::LoadGround(gf, g);
    std::fclose(cf);
    std::fclose(gf);
    bool ok = rc == 0 || rc == kelvd::errors::kCard;
    ok = ok && (grc == 0 || grc == kelvd::errors::kCard || grc == kelvd::errors::kBadGroundFile);
    if (rc != 0 || !ok)
        return ok;
    if (in.NV > kelvd::limits::kMaxVertices || in.NA > kelvd::limits::kMaxAntennas)
        return false;
    if (in.profileFromGround && grc != 0)
        return true;
    if (grc == 0 && g.cuts > kelvd::limits::kMaxGroundCuts)
        return false;

    if (models == Models::FlatEarth)
        in.MODEL = 0;
    in.NPTS = std::min(in.NPTS, kelvd::limits::kMaxPoints);
    // As a run does: what would compute nothing is refused before any point.
    std::string reasons;
    if (kelvd::CheckComputable(in, reasons) != 0)
        return !reasons.empty();
    std::vector<kelvd::FlightPoint> points;
    if (kelvd::FlightPoints(in, points) != 0)
        return true;
    kelvd::FieldContext ctx(in);
    for (size_t i = 0; i < points.size(); i += std::max<size_t>(1, points.size() / 4)) {
        kelvd::PointResult r;
        kelvd::EvaluatePoint(in, g, points[i], static_cast<int>(i), ctx, r);
        if (r.error == 0 &&
            (r.plot.find("nan") != std::string::npos || r.plot.find("inf") != std::string::npos))
            return false;
    }
    return true;
}

} // namespace kelvd_fuzz

#endif
