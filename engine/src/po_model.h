#ifndef KELVD_PO_MODEL_H
#define KELVD_PO_MODEL_H

#include "engine_types.h"
#include "field_context.h"

namespace kelvd {

// The physical-optics model: the direct ray plus a physical-optics integral over the terrain profile,
// the ground being taken as unchanged across the runway (only the vertices' Y and Z are used); the
// antenna and the field point keep their true positions. Pure functions of their inputs, so that points
// can be evaluated on several threads at once.

namespace po {
// The integration step lies between lambda / kStepDivisor and kMaxStepWavelengths * lambda.
constexpr double kStepDivisor = 24.0;
constexpr double kMaxStepWavelengths = 20.0;
// Within those limits the step keeps the curvature of the integrand's exponent over one step, |c| h^2 / 2,
// at most kStepCurvature, and stays below kStepNearFraction of the distance to the antenna or the field
// point, where the amplitude changes fastest.
constexpr double kStepCurvature = 0.5;
constexpr double kStepNearFraction = 0.25;
// One field evaluation takes at most about this many steps: absurd lengths or frequencies stretch the
// shortest step instead of running for hours (a field point cannot be interrupted). At 330 MHz the
// shortest step of lambda / 24 still covers a walk of some 130000 feet.
constexpr long kStepBudget = 1L << 20;
} // namespace po

// The geometry of one evaluation: field point P, antenna A, wavelength and wave number.
struct POGeometry {
    Vec3 P{};
    Vec3 A{};
    double lambda = 0;
    double k = 0;
    // Every step times this (a check of the integral's convergence halves it).
    double stepScale = 1;
};

// The accumulators of one evaluation; steps counts the integration steps taken.
struct POSums {
    double Ga = 0;
    double Gb = 0;
    long steps = 0;
};

// Integrates the segment (Y1, Z1)-(Y2, Z2) into sums by a Filon-type rule with the adaptive step. A
// segment of zero (or not finite) length adds nothing. walkLength is the length of the whole walk the
// segment belongs to (0: the segment alone), over which the step budget is shared.
void POSEG(const POGeometry& g, double Y1, double Z1, double Y2, double Z2, POSums& sums,
           double walkLength = 0);

// The field of antenna A at P over the profile. sums, when given, receives the accumulators after the
// scaling (the start term and the integrated segments).
Complex POFLD(const POGeometry& g, const Profile& profile, POSums* sums = nullptr);

// The field of the context's current antenna at its field point over its profile.
Complex POFLD(const FieldContext& ctx);

} // namespace kelvd

#endif
