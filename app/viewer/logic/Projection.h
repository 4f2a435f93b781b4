#pragma once

// The software picture's perspective: a scene point seen from the eye towards the look-at point,
// rolled by the bank angle, with a focal length of 6000 × zoom scene feet, in the picture's user
// units with the look-at point at the origin. What lies less than 1 ft in front of the eye is not
// drawn: segments are cut there.

#include "viewer/logic/PictureScale.h"

#include "common/VectorsAndMatrices.h"

#include <optional>
#include <utility>

namespace viewer {

// The nearest depth in front of the eye that is drawn, feet.
inline constexpr double kNearDepth = 1.0;

struct ScreenPoint {
    float X = 0;
    float Y = 0;
};

struct ProjectionView {
    common::Vector3 Eye;
    common::Vector3 Target;
    float Zoom = 1;
    float ZScale = 1; // applied to the projected points only, not to the eye or the look-at point
    int BankAngle = 0; // degrees
};

// v (relative to the look-at point) turned into the view frame, where the eye lies on +Y at
// (0, |eye − target|, 0) and the picture's x and y are the frame's x and z.
common::Vector3 ToViewFrame(const common::Vector3& v, const ProjectionView& view);

// The picture point of p; nothing when p lies less than kNearDepth in front of the eye.
std::optional<ScreenPoint> ProjectPoint(const common::Vector3& p, const ProjectionView& view,
                                        const PictureScale& scale);

// The picture points of the segment a-b, cut where it comes nearer than kNearDepth to the eye's
// plane; nothing when all of it does.
std::optional<std::pair<ScreenPoint, ScreenPoint>> ProjectSegment(const common::Vector3& a, const common::Vector3& b,
                                                                  const ProjectionView& view,
                                                                  const PictureScale& scale);

} // namespace viewer
