#pragma once

// The program's constants, each named once. Lengths are feet in every file, in the model variables
// and in the engine; metres appear only on screen.

// Feet per metre.
inline constexpr double kFeetPerMetre = 3.281;

// Feet per metre as a single-precision number, as the program's single-precision sums take it.
inline constexpr float kFeetPerMetreSingle = static_cast<float>(kFeetPerMetre);

static_assert(kFeetPerMetreSingle == 3.281F);
