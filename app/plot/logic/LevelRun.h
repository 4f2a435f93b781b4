#pragma once

// Level-run analysis: over a run at constant altitude (X the elevation angle from the theodolite,
// increasing; Y the CDI in microamps) the angles where the CDI falls through 0, +75 and -75 uA,
// the sector width and its symmetry, and the angle where it last fell through 180 uA.

#include <array>
#include <span>
#include <string>

namespace plot {

// An angle that was not found.
inline constexpr float kNotFound = 99.99F;

struct LevelRunResult {
    float LevelRunPathAngle = kNotFound;
    float LevelRunAngleP75 = kNotFound;
    float LevelRunAngleM75 = kNotFound;
    float LevelRunWidth = kNotFound;
    float LevelRunSymmetry = 0; // percent, whole
    float LevelRun180Angle = kNotFound;
};

// Every result comes from this run alone.
LevelRunResult PatternBAnalysis(std::span<const float> x, std::span<const float> y);

// The four lines written on a level-run plot at annotation level 2: path angle, width, symmetry,
// structure.
std::array<std::string, 4> LevelRunAnnotationTexts(const LevelRunResult& r);

} // namespace plot
