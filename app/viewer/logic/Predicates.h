#pragma once

// Exact orientation and in-circle signs of points in the plane. A floating-point evaluation decides
// whenever its error bound allows; otherwise the determinant is evaluated exactly in expansion
// arithmetic, so the sign is always that of the exact determinant of the given coordinates.

#include <cmath>

namespace viewer {

struct Point2 {
    double x = 0;
    double y = 0;
};

namespace detail {
// The exact evaluations behind the filters below.
int Orient2DExact(const Point2& a, const Point2& b, const Point2& c);
int InCircleExact(const Point2& a, const Point2& b, const Point2& c, const Point2& d);

// Error bounds of the floating-point evaluations (relative to the sums of the terms' magnitudes).
inline constexpr double kEpsilon = 0x1p-53;
inline constexpr double kOrientBound = (3.0 + 16.0 * kEpsilon) * kEpsilon;
inline constexpr double kInCircleBound = (10.0 + 96.0 * kEpsilon) * kEpsilon;
} // namespace detail

// +1 when a, b, c turn counter-clockwise, −1 clockwise, 0 collinear (coincident points included).
inline int Orient2D(const Point2& a, const Point2& b, const Point2& c) {
    const double left = (a.x - c.x) * (b.y - c.y);
    const double right = (a.y - c.y) * (b.x - c.x);
    const double det = left - right;
    const double bound = detail::kOrientBound * (std::fabs(left) + std::fabs(right));
    if (det > bound)
        return 1;
    if (-det > bound)
        return -1;
    return detail::Orient2DExact(a, b, c);
}

// For a, b, c counter-clockwise: +1 when d lies strictly inside their circumcircle, −1 strictly
// outside, 0 on it. The sign flips for a clockwise a, b, c; collinear a, b, c give the side of the
// line d lies on, or 0.
inline int InCircle(const Point2& a, const Point2& b, const Point2& c, const Point2& d) {
    const double adx = a.x - d.x;
    const double ady = a.y - d.y;
    const double bdx = b.x - d.x;
    const double bdy = b.y - d.y;
    const double cdx = c.x - d.x;
    const double cdy = c.y - d.y;
    const double bdxcdy = bdx * cdy;
    const double cdxbdy = cdx * bdy;
    const double cdxady = cdx * ady;
    const double adxcdy = adx * cdy;
    const double adxbdy = adx * bdy;
    const double bdxady = bdx * ady;
    const double aLift = adx * adx + ady * ady;
    const double bLift = bdx * bdx + bdy * bdy;
    const double cLift = cdx * cdx + cdy * cdy;
    const double det = aLift * (bdxcdy - cdxbdy) + bLift * (cdxady - adxcdy) + cLift * (adxbdy - bdxady);
    const double permanent = (std::fabs(bdxcdy) + std::fabs(cdxbdy)) * aLift +
                             (std::fabs(cdxady) + std::fabs(adxcdy)) * bLift +
                             (std::fabs(adxbdy) + std::fabs(bdxady)) * cLift;
    const double bound = detail::kInCircleBound * permanent;
    if (det > bound)
        return 1;
    if (-det > bound)
        return -1;
    return detail::InCircleExact(a, b, c, d);
}

} // namespace viewer
