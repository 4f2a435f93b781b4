#pragma once

// The scene's small geometric tools: the elevation colour ramp, a point-in-polygon test, a line and
// a plane, and distances along a line. Points are feet in the viewer's world frame.

#include "common/VectorsAndMatrices.h"

#include <array>
#include <vector>

namespace viewer {

// The terrain's colours by elevation, (red, green, blue) each 0..1, low to high.
inline constexpr std::array<std::array<float, 3>, 14> kElevationRamp{{
    {0, 0, 0},
    {0, 0, 0.502F},
    {0, 0, 1},
    {0, 0.749F, 1},
    {0, 1, 1},
    {0.498F, 1, 0.831F},
    {0.235F, 0.702F, 0.443F},
    {0.133F, 0.545F, 0.133F},
    {0, 0.392F, 0},
    {0.545F, 0.271F, 0.075F},
    {0.804F, 0.522F, 0.247F},
    {0.871F, 0.722F, 0.529F},
    {0.961F, 0.871F, 0.702F},
    {1, 1, 1},
}};

// The colour (red, green, blue) of elevation z under colour scale s: entry 7 at z = 0, the ramp
// spanning z from −300/7 to +50 ft at s = 1, interpolated between entries.
common::Vector3 ElevationColor(float z, float s);

// Crossing-number test on the polygon's x and y: a point on a lower edge counts as inside, one on an
// upper edge as outside. An empty polygon contains nothing.
bool PointInPolygon(float x, float y, const std::vector<common::Vector3>& polygon);

// "Not found" of IntersectLinePlane, in each component.
constexpr float kNoIntersection = 999999.0F;

// Where the line through a and b meets the plane through q with normal m; kNoIntersection when
// the line is parallel to the plane (a = b included).
common::Vector3 IntersectLinePlane(const common::Vector3& q, const common::Vector3& m, const common::Vector3& a,
                                   const common::Vector3& b);

// |a − b| / s.
float ScaledDistance(const common::Vector3& a, const common::Vector3& b, float s);

// b moved t·s along the unit vector of a − b; a = b gives b.
common::Vector3 PointAlongLine(float t, const common::Vector3& a, const common::Vector3& b, float s);

} // namespace viewer
