#pragma once

// The digitiser's geometry: the convexity test of the four calibration corners, the mapping of a
// click inside them to ground values, and the end points of the guide lines.

#include <array>

#include "common/VectorsAndMatrices.h"

namespace digitise {

// The four corners in the order they are clicked, in one coordinate system (y grows downwards).
struct Corners {
    common::Vector3 LL;
    common::Vector3 UL;
    common::Vector3 UR;
    common::Vector3 LR;
};

// The ground values at the left (XMin), right (XMax), bottom (YMin) and top (YMax) sides.
struct GroundRange {
    float XMin = 0;
    float XMax = 1;
    float YMin = 0;
    float YMax = 1;
};

// True when every corner of the closed polygon pts[1..n] turns the same way; pts[0] is working
// space. A zero turn (two corners at one place, three on a line) counts as not convex, since the
// mapping would divide by zero on such corners.
bool IsConvexPolygon(std::array<common::Vector3, 5>& pts);

// The ground values (x, y, 0) of point p inside the convex quadrilateral c: seen from the meeting
// point of the bottom and top sides, p's angular fraction between them and its distance between
// the left and right sides along its ray give x; the left and right sides give y likewise. Angles
// are unwrapped about the reference corner's and everything is computed in double. Where a pair of
// sides is parallel, or meets beyond 10^6 times the quadrilateral's size, the rule's limit is used:
// the fraction across the two lines and the distances along them.
common::Vector3 MapImageToGround(const common::Vector3& p, const GroundRange& range, const Corners& c);

// One guide line of the calibration, from (X1, Y1) to (X2, Y2) in user units.
struct GuideLine {
    bool Visible = false;
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
};

// The guide lines 1..4 (elements 0..3) once n - 1 corners are placed (n = 2 to 5): n = 2 the arms
// at LL, n = 3 the left side with arms at LL and UL, n = 4 the left and bottom sides with arms at UL
// and LR, n = 5 the closed outline; any other n shows nothing. user holds the corners in the
// picture's user units, angleFrom the same corners in the units the arm directions are taken from
// (twips while dragging, so the arms are perpendicular on screen; user units on release). h is the
// arm length (0.05 × ScaleHeight), r the horizontal factor ScaleWidth / ScaleHeight.
std::array<GuideLine, 4> GuideLines(int n, const Corners& user, const Corners& angleFrom, float h, float r);

} // namespace digitise
