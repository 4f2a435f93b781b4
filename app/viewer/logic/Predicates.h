#pragma once

// Exact orientation and in-circle signs of points in the plane. A floating-point evaluation decides
// whenever its error bound allows; otherwise the determinant is evaluated exactly in expansion
// arithmetic, so the sign is always that of the exact determinant of the given coordinates.

namespace viewer {

struct Point2 {
    double x = 0;
    double y = 0;
};

// +1 when a, b, c turn counter-clockwise, −1 clockwise, 0 collinear (coincident points included).
int Orient2D(const Point2& a, const Point2& b, const Point2& c);

// For a, b, c counter-clockwise: +1 when d lies strictly inside their circumcircle, −1 strictly
// outside, 0 on it. The sign flips for a clockwise a, b, c; collinear a, b, c give the side of the
// line d lies on, or 0.
int InCircle(const Point2& a, const Point2& b, const Point2& c, const Point2& d);

} // namespace viewer
