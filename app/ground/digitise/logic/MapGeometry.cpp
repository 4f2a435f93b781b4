#include "ground/digitise/logic/MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/modFunctions.h"

namespace digitise {
namespace {

struct P2 {
    double x = 0;
    double y = 0;
};

P2 ToP2(const common::Vector3& v) {
    return {v.X, v.Y};
}
P2 Sub(P2 a, P2 b) {
    return {a.x - b.x, a.y - b.y};
}
double Cross(P2 a, P2 b) {
    return a.x * b.y - a.y * b.x;
}
double Dot(P2 a, P2 b) {
    return a.x * b.x + a.y * b.y;
}
double Dist(P2 a, P2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Beyond this many quadrilateral sizes a meeting point is treated as at infinity.
constexpr double kFarFactor = 1e6;

// The angle of q about v less that of ref about v, in (−π, π].
double AngleFrom(P2 v, P2 ref, P2 q) {
    double a = std::atan2(q.y - v.y, q.x - v.x) - std::atan2(ref.y - v.y, ref.x - v.x);
    if (a > std::numbers::pi)
        a -= 2 * std::numbers::pi;
    else if (a <= -std::numbers::pi)
        a += 2 * std::numbers::pi;
    return a;
}

// The fraction of p from side a (a0 → a1) to the opposite side b (b0 → b1), the two sides lying on
// lines that meet far away or not at all (a0 and b0 on one end, a1 and b1 on the other). The value
// is 0 on a and 1 on b; the second result is p's fraction from the a0-b0 end to the a1-b1 end.
struct Fractions {
    double across = 0;
    double along = 0;
};

// Rays from the meeting point v of the lines of sides a and b.
Fractions ByVanishingPoint(P2 v, P2 p, P2 a0, P2 a1, P2 b0, P2 b1) {
    const double t = AngleFrom(v, a0, p) / AngleFrom(v, a0, b0);
    const double r0 = Dist(v, a0) + t * (Dist(v, b0) - Dist(v, a0));
    const double r1 = Dist(v, a1) + t * (Dist(v, b1) - Dist(v, a1));
    return {t, (Dist(v, p) - r0) / (r1 - r0)};
}

// The limit of the rays as v goes to infinity: lines parallel to the mean direction of the sides.
Fractions ByParallelLines(P2 p, P2 a0, P2 a1, P2 b0, P2 b1) {
    P2 da = Sub(a1, a0);
    P2 db = Sub(b1, b0);
    const double la = std::hypot(da.x, da.y);
    const double lb = std::hypot(db.x, db.y);
    const P2 e{da.x / la + db.x / lb, da.y / la + db.y / lb};
    const P2 n{-e.y, e.x};
    const double ha = Dot(n, Sub(p, a0));
    const double hb = Dot(n, Sub(p, b0));
    const double t = ha / (ha - hb);
    const double r0 = Dot(e, a0) + t * (Dot(e, b0) - Dot(e, a0));
    const double r1 = Dot(e, a1) + t * (Dot(e, b1) - Dot(e, a1));
    return {t, (Dot(e, p) - r0) / (r1 - r0)};
}

// The fractions of p relative to sides a and b; size is the quadrilateral's extent.
Fractions Locate(P2 p, P2 a0, P2 a1, P2 b0, P2 b1, double size) {
    const P2 da = Sub(a1, a0);
    const P2 db = Sub(b1, b0);
    const double denom = Cross(da, db);
    if (denom != 0) {
        const double k = Cross(Sub(b0, a0), db) / denom;
        const P2 v{a0.x + k * da.x, a0.y + k * da.y};
        if (std::isfinite(v.x) && std::isfinite(v.y) && Dist(v, a0) <= kFarFactor * size)
            return ByVanishingPoint(v, p, a0, a1, b0, b1);
    }
    return ByParallelLines(p, a0, a1, b0, b1);
}

} // namespace

bool IsConvexPolygon(std::array<common::Vector3, 5>& pts) {
    constexpr int n = 4;
    pts[0] = pts[n];
    bool negative = false;
    bool positive = false;
    for (int j = 1; j <= n; ++j) {
        const P2 pj = ToP2(pts[j]);
        const P2 pi = ToP2(pts[j - 1]);
        const P2 pk = ToP2(pts[j == n ? 1 : j + 1]);
        const double c = Cross(Sub(pi, pj), Sub(pk, pj));
        if (c == 0)
            return false;
        (c < 0 ? negative : positive) = true;
    }
    return !(negative && positive);
}

common::Vector3 MapImageToGround(const common::Vector3& point, const GroundRange& range, const Corners& c) {
    const P2 p = ToP2(point);
    const P2 ll = ToP2(c.LL);
    const P2 ul = ToP2(c.UL);
    const P2 ur = ToP2(c.UR);
    const P2 lr = ToP2(c.LR);
    const double size = std::max({Dist(ll, ur), Dist(ul, lr), Dist(ll, ul), Dist(ll, lr)});
    // Bottom (LL → LR) and top (UL → UR): across them runs y, along them x.
    const Fractions bottomTop = Locate(p, ll, lr, ul, ur, size);
    // Left (LL → UL) and right (LR → UR): across them runs x, along them y.
    const Fractions leftRight = Locate(p, ll, ul, lr, ur, size);
    const double x = range.XMin + bottomTop.along * (static_cast<double>(range.XMax) - range.XMin);
    const double y = range.YMin + leftRight.along * (static_cast<double>(range.YMax) - range.YMin);
    return common::MakeVector(static_cast<float>(x), static_cast<float>(y), 0);
}

std::array<GuideLine, 4> GuideLines(int n, const Corners& user, const Corners& angleFrom, float h, float r) {
    constexpr float kToDegrees = 57.29577952383886F;
    constexpr float kToRadians = 0.017453292516666667F;
    const auto degrees = [](const common::Vector3& from, const common::Vector3& to) {
        return static_cast<float>(common::Atan2Pos(to.Y - from.Y, to.X - from.X)) * kToDegrees;
    };
    const auto line = [](const common::Vector3& a, const common::Vector3& b) {
        return GuideLine{true, a.X, a.Y, b.X, b.Y};
    };
    // An arm of length h from corner c in direction φ (degrees, from +y towards +x).
    const auto arm = [h, r](const common::Vector3& c, float phi) {
        const float rad = phi * kToRadians;
        return GuideLine{true, c.X, c.Y, c.X + h * r * std::sin(rad), c.Y + h * std::cos(rad)};
    };
    std::array<GuideLine, 4> lines{};
    switch (n) {
    case 2:
        lines[0] = GuideLine{true, user.LL.X, user.LL.Y, user.LL.X, user.LL.Y - h};
        lines[1] = GuideLine{true, user.LL.X, user.LL.Y, user.LL.X + h * r, user.LL.Y};
        break;
    case 3: {
        const float a = degrees(angleFrom.LL, angleFrom.UL);
        lines[0] = line(user.LL, user.UL);
        lines[1] = arm(user.LL, a - 90);
        lines[2] = arm(user.UL, a - 90);
        break;
    }
    case 4: {
        const float a = degrees(angleFrom.LL, angleFrom.UL);
        const float b = degrees(angleFrom.LL, angleFrom.LR);
        lines[0] = line(user.LL, user.UL);
        lines[1] = line(user.LL, user.LR);
        lines[2] = arm(user.UL, a - 90);
        lines[3] = arm(user.LR, b + 90);
        break;
    }
    case 5:
        lines[0] = line(user.LL, user.UL);
        lines[1] = line(user.UL, user.UR);
        lines[2] = line(user.UR, user.LR);
        lines[3] = line(user.LR, user.LL);
        break;
    default:
        break;
    }
    return lines;
}

} // namespace digitise
