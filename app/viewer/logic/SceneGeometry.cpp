#include "viewer/logic/SceneGeometry.h"

#include <cmath>

using common::Vector3;

namespace viewer {

Vector3 ElevationColor(float z, float s) {
    const float t = 7 + (7 * z * s) / 50;
    const auto entry = [](int i) {
        const auto& c = kElevationRamp[static_cast<std::size_t>(i - 1)];
        return common::MakeVector(c[0], c[1], c[2]);
    };
    if (!(t >= 1))
        return entry(1);
    if (t > 14)
        return entry(14);
    const auto lo = static_cast<int>(std::floor(t));
    const auto hi = static_cast<int>(std::ceil(t));
    if (hi == lo)
        return entry(lo);
    const float f = (t - static_cast<float>(lo)) / static_cast<float>(hi - lo);
    const Vector3 a = entry(lo);
    const Vector3 b = entry(hi);
    return common::MakeVector(a.X + (b.X - a.X) * f, a.Y + (b.Y - a.Y) * f, a.Z + (b.Z - a.Z) * f);
}

bool PointInPolygon(float x, float y, const std::vector<Vector3>& polygon) {
    const std::size_t n = polygon.size();
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vector3& a = polygon[i];
        const Vector3& b = polygon[j];
        if ((a.Y <= y && y < b.Y) || (b.Y <= y && y < a.Y)) {
            const float dy = b.Y - a.Y;
            if (dy == 0 || x < (b.X - a.X) * (y - a.Y) / dy + a.X)
                inside = !inside;
        }
    }
    return inside;
}

Vector3 IntersectLinePlane(const Vector3& q, const Vector3& m, const Vector3& a, const Vector3& b) {
    const Vector3 d = common::VecSubtract(b, a);
    const double e = static_cast<double>(m.X) * d.X + static_cast<double>(m.Y) * d.Y + static_cast<double>(m.Z) * d.Z;
    if (e == 0)
        return {kNoIntersection, kNoIntersection, kNoIntersection};
    const Vector3 qa = common::VecSubtract(q, a);
    const double t = (static_cast<double>(m.X) * qa.X + static_cast<double>(m.Y) * qa.Y +
                      static_cast<double>(m.Z) * qa.Z) /
                     e;
    return common::MakeVector(static_cast<float>(a.X + t * d.X), static_cast<float>(a.Y + t * d.Y),
                              static_cast<float>(a.Z + t * d.Z));
}

float ScaledDistance(const Vector3& a, const Vector3& b, float s) {
    return common::VecDistance(a, b) / s;
}

Vector3 PointAlongLine(float t, const Vector3& a, const Vector3& b, float s) {
    const Vector3 unit = common::VecNormalize(common::VecSubtract(a, b));
    return common::VecAdd(b, common::VecScaleDouble(unit, static_cast<double>(t) * s));
}

} // namespace viewer
