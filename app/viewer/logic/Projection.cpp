#include "viewer/logic/Projection.h"

#include <cmath>

using common::Vector3;

namespace viewer {
namespace {

// Degrees to radians for the bank, as the software picture has always used it.
constexpr double kBankDegToRad = 0.017453292519943;

struct Frame {
    double cosHeading;
    double sinHeading;
    double cosPitch;
    double sinPitch;
    double cosBank;
    double sinBank;
    double length;
};

// The turns that lay e = eye − target along +Y: about Z by the heading, then about X by the pitch,
// then the roll about Y. Worked out here in double precision rather than with VecToAngles, which
// lays a vector along −Y and has no pitch for a vertical one.
Frame MakeFrame(const ProjectionView& view) {
    const double ex = static_cast<double>(view.Eye.X) - view.Target.X;
    const double ey = static_cast<double>(view.Eye.Y) - view.Target.Y;
    const double ez = static_cast<double>(view.Eye.Z) - view.Target.Z;
    const double ground = std::hypot(ex, ey);
    const double length = std::hypot(ground, ez);
    const double heading = std::atan2(ex, ey);
    const double pitch = std::atan2(-ez, ground);
    const double bank = -view.BankAngle * kBankDegToRad;
    return {std::cos(heading), std::sin(heading), std::cos(pitch), std::sin(pitch),
            std::cos(bank),    std::sin(bank),    length};
}

struct Point3 {
    double x;
    double y;
    double z;
};

Point3 Turn(const Frame& f, double x, double y, double z) {
    // RotateAboutZ, RotateAboutX, RotateAboutY in that order.
    const double x1 = x * f.cosHeading - y * f.sinHeading;
    const double y1 = x * f.sinHeading + y * f.cosHeading;
    const double y2 = y1 * f.cosPitch - z * f.sinPitch;
    const double z2 = y1 * f.sinPitch + z * f.cosPitch;
    return {z2 * f.sinBank + x1 * f.cosBank, y2, z2 * f.cosBank - x1 * f.sinBank};
}

// A scene point in the view frame, relative to the look-at point, its height exaggerated.
Point3 InFrame(const Frame& f, const Vector3& p, const ProjectionView& view) {
    return Turn(f, static_cast<double>(p.X) - view.Target.X, static_cast<double>(p.Y) - view.Target.Y,
                static_cast<double>(p.Z) * view.ZScale - view.Target.Z);
}

ScreenPoint OnPicture(const Frame& f, const Point3& d, const ProjectionView& view, const PictureScale& scale) {
    const double depth = f.length - d.y;
    const double focal = 6000.0 * view.Zoom;
    const double sx = (scale.ScaleLeft - (scale.ScaleLeft + scale.ScaleWidth)) / 1000.0;
    const double sy = (scale.ScaleTop - (scale.ScaleTop + scale.ScaleHeight)) / 1000.0 * (scale.Width / scale.Height);
    return {static_cast<float>(focal * d.x / depth * sx), static_cast<float>(focal * d.z / depth * sy)};
}

bool InFront(const Frame& f, const Point3& d) {
    return f.length - d.y >= kNearDepth;
}

} // namespace

Vector3 ToViewFrame(const Vector3& v, const ProjectionView& view) {
    const Point3 p = Turn(MakeFrame(view), v.X, v.Y, v.Z);
    return common::MakeVector(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

std::optional<ScreenPoint> ProjectPoint(const Vector3& p, const ProjectionView& view, const PictureScale& scale) {
    const Frame f = MakeFrame(view);
    const Point3 d = InFrame(f, p, view);
    if (!InFront(f, d))
        return std::nullopt;
    return OnPicture(f, d, view, scale);
}

std::optional<std::pair<ScreenPoint, ScreenPoint>> ProjectSegment(const Vector3& a, const Vector3& b,
                                                                  const ProjectionView& view,
                                                                  const PictureScale& scale) {
    const Frame f = MakeFrame(view);
    Point3 da = InFrame(f, a, view);
    Point3 db = InFrame(f, b, view);
    const bool aIn = InFront(f, da);
    const bool bIn = InFront(f, db);
    if (!aIn && !bIn)
        return std::nullopt;
    if (aIn != bIn) {
        // Cut at the near plane, y = length − kNearDepth in the view frame.
        const double cut = f.length - kNearDepth;
        const double t = (cut - da.y) / (db.y - da.y);
        const Point3 c{da.x + t * (db.x - da.x), cut, da.z + t * (db.z - da.z)};
        (aIn ? db : da) = c;
    }
    return std::pair{OnPicture(f, da, view, scale), OnPicture(f, db, view, scale)};
}

} // namespace viewer
