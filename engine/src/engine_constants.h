#ifndef KELVD_ENGINE_CONSTANTS_H
#define KELVD_ENGINE_CONSTANTS_H

// The numbers the engine's formulas share, with the digits its routines use (all in full double
// precision, so that one value serves every routine).

namespace kelvd {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
// Degrees to radians (pi / 180): angles in degrees are multiplied by it, radians divided by it.
constexpr double kRadPerDeg = 0.017453292519943295;
// Radians to degrees (180 / pi): the point loop multiplies by it.
constexpr double kDegPerRad = 180.0 / kPi;
// 60 pi and 0.4 pi of the antenna's source field and element factor.
constexpr double kSixtyPi = 188.49555921538757;
constexpr double kPointFourPi = 1.2566370614359172;
// A length in feet times this is the length in metres.
constexpr double kMetresPerFoot = 0.3048;

static_assert(kTwoPi == 2 * kPi);

} // namespace kelvd

#endif
