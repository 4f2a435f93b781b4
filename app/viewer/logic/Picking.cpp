#include "viewer/logic/Picking.h"

#include "platform/text/Strings.h"
#include "viewer/logic/SceneGeometry.h"

#include <algorithm>
#include <cmath>

using common::Vector3;

namespace viewer {
namespace {

bool Missed(const Vector3& v) {
    return v.X == common::RayMissesSphere;
}

double AnchorRadius(const Camera& camera) {
    return 0.5 * common::VecDistance(camera.Eye, camera.Target);
}

Vector3 NearPoint(float x, float y, const PictureScale& scale, const Unproject& unproject) {
    const auto [px, py] = PixelOf(x, y, scale);
    float depth = 0;
    return unproject(px, py, depth);
}

} // namespace

std::pair<float, float> PixelOf(float x, float y, const PictureScale& scale) {
    return {std::nearbyint(scale.ScaleXToPixels(x + scale.ScaleWidth / 2)),
            std::nearbyint(scale.ScaleYToPixels(y + scale.ScaleHeight / 2))};
}

Vector3 CursorHit(const Camera& camera, float x, float y, const PictureScale& scale, const Unproject& unproject) {
    return common::IntersectRaySphere(camera.Eye, NearPoint(x, y, scale, unproject), camera.Target,
                                      AnchorRadius(camera));
}

void PressForDrag(DragState& drag, const Camera& camera, float x, float y, const PictureScale& scale,
                  const Unproject& unproject) {
    drag.StartX = x;
    drag.StartY = y;
    drag.Anchor = CursorHit(camera, x, y, scale, unproject);
}

bool TurnStep(DragState& drag, Camera& camera, float x, float y, const PictureScale& scale, const Unproject& unproject) {
    const Vector3 hit = CursorHit(camera, x, y, scale, unproject);
    if (Missed(hit) || Missed(drag.Anchor))
        return false;
    Vector3 delta = common::VecSubtract(drag.Anchor, hit);
    if (common::VecLength(delta) > 1000)
        delta = common::VecScale(common::VecNormalize(delta), 1000);
    camera.Eye = common::VecAdd(camera.Eye, common::VecScale(delta, 0.5F));
    camera.Eye.Z = std::max(camera.Eye.Z, 10.0F);
    drag.StartX = x;
    drag.StartY = y;
    drag.Anchor = hit;
    return true;
}

bool PanStep(DragState& drag, Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale,
             const Unproject& unproject) {
    const Vector3 now = NearPoint(x, y, scale, unproject);
    const Vector3 before = NearPoint(drag.StartX, drag.StartY, scale, unproject);
    if (now.X == kNoIntersection)
        return false;
    const Vector3 delta = common::VecScale(common::VecSubtract(before, now), 10);
    camera.Eye = common::VecAdd(camera.Eye, delta);
    camera.Target = common::VecAdd(camera.Target, delta);
    const bool eyeChosen = boxes.EyeChosen;
    boxes.EyeChosen = false;
    ShowChosenPoint(camera, boxes, "####0.000");
    boxes.EyeChosen = eyeChosen;
    camera.Eye.Z = std::max(camera.Eye.Z, 10.0F);
    drag.StartX = x;
    drag.StartY = y;
    drag.Anchor = now;
    return true;
}

bool DollyStep(DragState& drag, Camera& camera, float x, float y, const PictureScale& scale,
               const Unproject& unproject) {
    const Vector3 hit = CursorHit(camera, x, y, scale, unproject);
    if (Missed(hit) || Missed(drag.Anchor))
        return false;
    const Vector3 delta = common::VecSubtract(drag.Anchor, hit);
    const float s = std::min(common::VecDistance(camera.Eye, camera.Target) / 50, 60760.0F / 50);
    const float u = delta.Z / 25 + s;
    const Vector3 eye = PointAlongLine(u, camera.Eye, camera.Target, 50);
    drag.Anchor = hit;
    if (eye.Z < 5)
        return false;
    camera.Eye = eye;
    return true;
}

void SteerFlight(Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale, bool openGL) {
    camera.FlySpeed = 1.0F;
    const Vector3 w = common::VecSubtract(camera.Target, camera.Eye);
    const double r = common::VecLength(w);
    double a = 0;
    double e = 0;
    SightAngles(w, a, e);
    const double dv = -5.0 * (y - scale.CentreY()) / (scale.ScaleHeight / 2);
    const float shown = openGL ? x : 2 * scale.ScaleLeft + scale.ScaleWidth - x;
    const double dh = 20.0 * (shown - scale.CentreX()) / (scale.ScaleWidth / 2);
    e += dv;
    if (e <= -90)
        e = -89;
    else if (e >= 90)
        e = 89;
    boxes.ElevAngle = plat::Format(e, "###0");
    a += dh;
    if (a < 0)
        a += 360;
    else if (a >= 360)
        a -= 360;
    boxes.LatAngle = plat::Format(a, "###0");
    camera.Target = PointFrom(camera.Eye, r * camera.FlySpeed, ViewDirection(a, e));
    if (!boxes.EyeChosen)
        ShowChosenPoint(camera, boxes, "####0.00");
}

void ReAim(Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale) {
    const double k = 4.1 * scale.Height / scale.Width;
    const Vector3 w = common::VecSubtract(camera.Target, camera.Eye);
    const double r = std::min(static_cast<double>(common::VecLength(w)), 1e30);
    double a = 0;
    double e = 0;
    SightAngles(w, a, e);
    const double ty = (y - scale.CentreY()) / (scale.ScaleHeight / 2) * k / 2;
    const double tx = (x - scale.CentreX()) / (scale.ScaleWidth / 2) * 4.1 / 2;
    a += std::atan(tx / 5) * kRadToDeg;
    e -= std::atan(ty / 5) * kRadToDeg;
    const Vector3 sight = ViewDirection(a, e);
    camera.Target = PointFrom(camera.Eye, r, sight);
    // The ground is met in front of the eye only by a line going down from above it.
    if (camera.Eye.Z > 0 && sight.Z < 0)
        camera.Target = IntersectLinePlane(common::MakeVector(0, 0, 0), common::MakeVector(0, 0, 1), camera.Eye,
                                           camera.Target);
    boxes.X0 = plat::Format(camera.Target.X, "#####0.0000");
    boxes.Y0 = plat::Format(camera.Target.Y, "#####0.0000");
    boxes.Z0 = plat::Format(camera.Target.Z, "#####0.0000");
}

bool ReleaseAnchor(DragState& drag, const Camera& camera, float x, float y, const PictureScale& scale,
                   const Unproject& unproject) {
    const auto [px, py] = PixelOf(x, y, scale);
    float depth = 999;
    const Vector3 p = unproject(std::clamp(px, 0.0F, static_cast<float>(scale.WidthPixels - 1)),
                                std::clamp(py, 0.0F, static_cast<float>(scale.HeightPixels - 1)), depth);
    const Vector3 hit = common::IntersectRaySphere(camera.Eye, p, camera.Target, AnchorRadius(camera));
    if (Missed(hit))
        return false;
    drag.Anchor = hit;
    return true;
}

} // namespace viewer
