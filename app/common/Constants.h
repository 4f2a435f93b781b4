#pragma once

// The program's constants, each named once. Lengths are feet in every file, in the model variables
// and in the engine; metres appear only on screen. Each keeps the digits the program computes with,
// so results stay as they were.

namespace common {

// Feet per metre.
inline constexpr double kFeetPerMetre = 3.281;

// Feet per metre as a single-precision number, as the program's single-precision sums take it.
inline constexpr float kFeetPerMetreSingle = static_cast<float>(kFeetPerMetre);

static_assert(kFeetPerMetreSingle == 3.281F);

// Metres per foot and feet per nautical mile, as the typed unit suffixes convert lengths.
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kFeetPerNauticalMile = 6076.0;

// Metres per nautical mile as the unit suffixes take it: 6076 x 0.3048 in decimal, which the
// double product misses by one unit in the last place.
inline constexpr double kMetresPerNauticalMile = 1851.9648;

// π as the program computes with it, and 2π.
inline constexpr double kPi = 3.141592653;
inline constexpr double kTwoPi = 2 * kPi;

static_assert(kTwoPi == 6.283185306);

// π as a single-precision number, as the vector routines' single-precision angles take it.
inline constexpr float kPiSingle = static_cast<float>(kPi);

static_assert(kPiSingle == 3.1415927F);

// Degrees to radians: π / 180 with the program's π.
inline constexpr double kDegToRad = 0.017453292516666667;

static_assert(kDegToRad == kPi / 180);

// What a run of the field engine keeps at most of its terrain: the parameter file's profile points and
// the lateral cuts of a 3D ground file. It refuses more; the ground editor keeps more but says so on saving.
inline constexpr int kRunMaxProfilePoints = 30;
inline constexpr int kRunMaxCuts = 30;

} // namespace common
