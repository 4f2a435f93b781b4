#include "common/VectorsAndMatrices.h"

#include "common/Constants.h"
#include "common/modFunctions.h"

#include <cmath>

namespace common {

namespace {

Vector3 Stored(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

double Dot(const Vector3& a, const Vector3& b) {
    return static_cast<double>(a.X) * b.X + static_cast<double>(a.Y) * b.Y + static_cast<double>(a.Z) * b.Z;
}

// The bearing moves share everything but the direction.
void OffsetOnBearing(float& x, float& y, float h, float elevation, double direction) {
    const double r = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
    if (r == 0) {
        x = 0;
        y = 0;
        return;
    }
    if (elevation == 0)
        return;
    const double delta = direction * h / std::tan(elevation * kDegToRad);
    x = static_cast<float>(x + delta * x / r);
    y = static_cast<float>(y + delta * y / r);
}

} // namespace

Vector3 MakeVector(float x, float y, float z) {
    return {x, y, z};
}
Vector3 VecCopy(const Vector3& v) {
    return v;
}

Vector3 VecCross(const Vector3& a, const Vector3& b) {
    return Stored(static_cast<double>(a.Y) * b.Z - static_cast<double>(a.Z) * b.Y,
                  static_cast<double>(a.Z) * b.X - static_cast<double>(a.X) * b.Z,
                  static_cast<double>(a.X) * b.Y - static_cast<double>(a.Y) * b.X);
}

Vector3 VecAdd(const Vector3& a, const Vector3& b) {
    return Stored(static_cast<double>(a.X) + b.X, static_cast<double>(a.Y) + b.Y,
                  static_cast<double>(a.Z) + b.Z);
}

Vector3 VecSubtract(const Vector3& a, const Vector3& b) {
    return Stored(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y,
                  static_cast<double>(a.Z) - b.Z);
}

Vector3 VecScale(const Vector3& v, float s) {
    return VecScaleDouble(v, s);
}

Vector3 VecScaleDouble(const Vector3& v, double s) {
    return Stored(v.X * s, v.Y * s, v.Z * s);
}

float VecLength(const Vector3& v) {
    return static_cast<float>(std::sqrt(Dot(v, v)));
}

float VecDistance(const Vector3& a, const Vector3& b) {
    return VecLength(VecSubtract(b, a));
}

float VecDot(const Vector3& a, const Vector3& b) {
    return static_cast<float>(Dot(a, b));
}

float VecCross2D(const Vector3& a, const Vector3& b) {
    return static_cast<float>(static_cast<double>(a.X) * b.Y - static_cast<double>(a.Y) * b.X);
}

Vector3 VecNormalize(const Vector3& v) {
    const float length = VecLength(v);
    if (length == 0)
        return {};
    return Stored(static_cast<double>(v.X) / length, static_cast<double>(v.Y) / length,
                  static_cast<double>(v.Z) / length);
}

Plane MakePlane(const Vector3& n, const Vector3& p) {
    return {static_cast<float>(-Dot(n, p)), n};
}

Vector3 RotateAboutZ(const Vector3& v, float angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Stored(v.X * c - v.Y * s, v.X * s + v.Y * c, v.Z);
}

Vector3 RotateAboutY(const Vector3& v, float angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Stored(v.Z * s + v.X * c, v.Y, v.Z * c - v.X * s);
}

Vector3 RotateAboutX(const Vector3& v, float angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return Stored(v.X, v.Y * c - v.Z * s, v.Y * s + v.Z * c);
}

Vector3 VecToAngles(const Vector3& v) {
    constexpr float Tolerance = 0.001F;
    float heading = 0;
    if (std::fabs(v.X) > Tolerance)
        heading = static_cast<float>(Atan2Pos(v.Y, v.X) + kPiSingle);
    else if (std::fabs(v.Y) >= Tolerance)
        heading = v.Y < 0 ? 0.0F : kPiSingle;
    const Vector3 w = RotateAboutZ(v, heading);
    float pitch = 0;
    if (std::fabs(w.Y) > Tolerance)
        pitch = static_cast<float>(-std::atan(static_cast<double>(w.Z) / w.Y));
    else if (std::fabs(w.Z) >= Tolerance)
        pitch = w.Z < 0 ? 0.0F : kPiSingle;
    return {pitch, 0, heading};
}

Vector3 CartesianToSpherical(const Vector3& v) {
    const double ground = std::sqrt(static_cast<double>(v.X) * v.X + static_cast<double>(v.Y) * v.Y);
    return Stored(std::sqrt(Dot(v, v)), Atan2Pos(v.Y, v.X), Atan2Pos(ground, v.Z));
}

Vector3 VecIntersectLinePlane(const Vector3& p1, const Vector3& p2, const Plane& plane) {
    const double s = Dot(plane.Normal, p1) + plane.D;
    const double q = Dot(VecSubtract(p1, p2), plane.Normal);
    if (q == 0)
        return {LineParallelToPlane, LineParallelToPlane, LineParallelToPlane};
    const double t = s / q;
    const Vector3 u = VecNormalize(VecSubtract(p2, p1));
    const double step = t * VecDistance(p2, p1);
    return Stored(p1.X + step * u.X, p1.Y + step * u.Y, p1.Z + step * u.Z);
}

Vector3 IntersectLines2D(const Vector3& a1, const Vector3& a2, const Vector3& b1, const Vector3& b2) {
    struct Line {
        bool vertical;
        float m;
        float c;
    };
    const auto line = [](const Vector3& p, const Vector3& q) {
        const auto dx = static_cast<float>(static_cast<double>(q.X) - p.X);
        if (dx == 0)
            return Line{true, 0, 0};
        const auto m = static_cast<float>(static_cast<float>(static_cast<double>(q.Y) - p.Y) / dx);
        return Line{false, m, static_cast<float>(p.Y - static_cast<double>(m) * p.X)};
    };
    const Line a = line(a1, a2);
    const Line b = line(b1, b2);
    const Vector3 parallel{ParallelLines2D, 0, 0};
    if (a.vertical && b.vertical)
        return parallel;
    if (a.vertical)
        return Stored(a1.X, static_cast<double>(b.m) * a1.X + b.c, 0);
    if (b.vertical)
        return Stored(b1.X, static_cast<double>(a.m) * b1.X + a.c, 0);
    const auto slopes = static_cast<float>(static_cast<double>(b.m) - a.m);
    if (slopes == 0)
        return parallel;
    const double x = (static_cast<double>(a.c) - b.c) / slopes;
    return Stored(x, a.m * x + a.c, 0);
}

Vector3 IntersectRaySphere(const Vector3& p1, const Vector3& p2, const Vector3& c, double r) {
    const Vector3 miss{RayMissesSphere, RayMissesSphere, RayMissesSphere};
    const double dx = static_cast<double>(p2.X) - p1.X;
    const double dy = static_cast<double>(p2.Y) - p1.Y;
    const double dz = static_cast<double>(p2.Z) - p1.Z;
    const double ox = static_cast<double>(p1.X) - c.X;
    const double oy = static_cast<double>(p1.Y) - c.Y;
    const double oz = static_cast<double>(p1.Z) - c.Z;
    const double a = dx * dx + dy * dy + dz * dz;
    // A ray from a point through itself has no direction and meets nothing.
    if (a == 0)
        return miss;
    const double b = 2 * (ox * dx + oy * dy + oz * dz);
    const double e = ox * ox + oy * oy + oz * oz - r * r;
    const double disc = b * b - 4 * a * e;
    if (disc < 0)
        return miss;
    const double t1 = (-b - std::sqrt(disc)) / (2 * a);
    const double t2 = (-b + std::sqrt(disc)) / (2 * a);
    double t = 0;
    if (t1 > 0)
        t = t1;
    else if (t2 > 0)
        t = t2;
    else
        return miss;
    return Stored(p1.X + t * dx, p1.Y + t * dy, p1.Z + t * dz);
}

void OffsetAlongBearing(float& x, float& y, float h, float elevation) {
    OffsetOnBearing(x, y, h, elevation, 1);
}

void OffsetAgainstBearing(float& x, float& y, float h, float elevation) {
    OffsetOnBearing(x, y, h, elevation, -1);
}

} // namespace common
