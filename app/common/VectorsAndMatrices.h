#pragma once

// Three-component vector routines, planes, intersections and the two bearing moves of ground
// points. Components are computed in double precision and stored in single precision.

namespace common {

// A vector or point: feet where it holds a position.
struct Vector3 {
    float X = 0;
    float Y = 0;
    float Z = 0;

    bool operator==(const Vector3&) const = default;
};

// A plane: a point p lies on it when Normal · p + D = 0.
struct Plane {
    float D = 0;
    Vector3 Normal;

    bool operator==(const Plane&) const = default;
};

// "Not found" results, in every component of the result unless said.
constexpr float LineParallelToPlane = 9999999.0F; // VecIntersectLinePlane
constexpr float RayMissesSphere = 999999.0F;      // IntersectRaySphere
constexpr float ParallelLines2D = 999999.0F;      // IntersectLines2D: (ParallelLines2D, 0, 0)

Vector3 MakeVector(float x, float y, float z);
Vector3 VecCopy(const Vector3& v);
Vector3 VecCross(const Vector3& a, const Vector3& b);
Vector3 VecAdd(const Vector3& a, const Vector3& b);
Vector3 VecSubtract(const Vector3& a, const Vector3& b);
Vector3 VecScale(const Vector3& v, float s);
Vector3 VecScaleDouble(const Vector3& v, double s);
float VecLength(const Vector3& v);
// The length of b − a.
float VecDistance(const Vector3& a, const Vector3& b);
float VecDot(const Vector3& a, const Vector3& b);
// a.X b.Y − a.Y b.X; Z plays no part.
float VecCross2D(const Vector3& a, const Vector3& b);
// v / |v|; the zero vector gives (0, 0, 0).
Vector3 VecNormalize(const Vector3& v);

// The plane through p with normal n: D = −(n · p). A plane through the origin (D = 0) keeps its
// normal like any other.
Plane MakePlane(const Vector3& n, const Vector3& p);

// Rotations by an angle in radians.
Vector3 RotateAboutZ(const Vector3& v, float angle);
Vector3 RotateAboutY(const Vector3& v, float angle);
Vector3 RotateAboutX(const Vector3& v, float angle);

// (pitch, 0, heading) in radians: turning v by RotateAboutZ with the heading and then by
// RotateAboutX with the pitch lays it along +Y. Components below 0.001 count as zero.
Vector3 VecToAngles(const Vector3& v);

// (r, azimuth, elevation): azimuth from +Y towards +X in [0, 2π); elevation in [0, 2π), above π for
// a point below the X-Y plane.
Vector3 CartesianToSpherical(const Vector3& v);

// The point of the line through p1 and p2 on the plane; LineParallelToPlane in all three
// components when the line is parallel to it or p1 = p2.
Vector3 VecIntersectLinePlane(const Vector3& p1, const Vector3& p2, const Plane& plane);

// The crossing of the line a1-a2 with the line b1-b2 in the X-Y plane (Z of the result 0);
// (ParallelLines2D, 0, 0) for parallel lines, both vertical lines included.
Vector3 IntersectLines2D(const Vector3& a1, const Vector3& a2, const Vector3& b1, const Vector3& b2);

// The first point in front of p1 at which the ray from p1 through p2 meets the sphere; the exit
// point when p1 is inside; RayMissesSphere in all three components when it misses, the sphere
// lies behind p1, or p1 = p2 (no direction).
Vector3 IntersectRaySphere(const Vector3& p1, const Vector3& p2, const Vector3& c, double r);

// Moves (x, y) outward (Along) or inward (Against) on its own bearing by h / tan(elevation), the
// elevation in degrees. A point at the origin becomes (0, 0); elevation 0 leaves it as it is.
void OffsetAlongBearing(float& x, float& y, float h, float elevation);
void OffsetAgainstBearing(float& x, float& y, float h, float elevation);

} // namespace common
