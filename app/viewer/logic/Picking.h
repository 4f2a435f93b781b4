#pragma once

// What the mouse does to the camera: turning about the look-at point, panning, moving along the line
// of sight, steering a flight and re-aiming, as functions of the camera, the picture's scale and a
// routine that turns a pixel into a world point (the renderer's unprojection).

#include "viewer/logic/Camera.h"
#include "viewer/logic/PictureScale.h"

#include <functional>
#include <utility>

namespace viewer {

// A pixel (x, y downward) and a depth in, the world point there out; a depth above 1 asks the
// renderer to read the depth under the pixel and gives it back.
using Unproject = std::function<common::Vector3(float px, float py, float& depth)>;

// The mouse state between events: where the last press or drag step was (user units) and where the
// cursor ray met the anchor sphere then.
struct DragState {
    float StartX = 0;
    float StartY = 0;
    common::Vector3 Anchor;
};

// The pixel of a point of the picture's user scale, in whole pixels.
std::pair<float, float> PixelOf(float x, float y, const PictureScale& scale);

// Where the ray from the eye through the cursor meets the anchor sphere (centre Target, radius half
// the eye-target distance); common::RayMissesSphere in each component when it misses.
common::Vector3 CursorHit(const Camera& camera, float x, float y, const PictureScale& scale, const Unproject& unproject);

// A press with the left or right button and no shift key: the drag starts here.
void PressForDrag(DragState& drag, const Camera& camera, float x, float y, const PictureScale& scale,
                  const Unproject& unproject);

// Left drag: the eye moves by half the anchor's shift on the sphere, at most 500 ft an event, and
// not below 10 ft. A cursor ray that misses the sphere (now or at the anchor) is no step. Returns
// whether the camera moved.
bool TurnStep(DragState& drag, Camera& camera, float x, float y, const PictureScale& scale, const Unproject& unproject);

// Ctrl + middle drag: eye and look-at point move by ten times the near-plane shift of the cursor,
// the eye not below 10 ft; the X/Y/Z boxes show the look-at point. No step where the pick fails.
bool PanStep(DragState& drag, Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale,
             const Unproject& unproject);

// Right drag: the eye moves along the line of sight by twice the anchor's vertical shift, from at
// most 60760 ft; a move that would take the eye below 5 ft, or a missed ray, is no step.
bool DollyStep(DragState& drag, Camera& camera, float x, float y, const PictureScale& scale,
               const Unproject& unproject);

// A release while flying: FlySpeed 1, and the course turns by up to 20 degrees sideways and 5 up or
// down by where the click lies from the picture's centre (mirrored for the software picture); the
// elevation stays within −89..89.
void SteerFlight(Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale, bool openGL);

// Ctrl + left release: the line of sight turns towards the clicked spot and the look-at point moves
// to where it meets the ground; a line of sight that does not go down to the ground in front of
// the eye keeps the look-at point at its distance along the new line. The boxes show it.
void ReAim(Camera& camera, ViewBoxes& boxes, float x, float y, const PictureScale& scale);

// Right release outside annotation: the anchor where the ray through the point at the depth under
// the release pixel (held inside the picture) meets the anchor sphere. A ray that misses leaves the
// anchor as it was and gives false.
bool ReleaseAnchor(DragState& drag, const Camera& camera, float x, float y, const PictureScale& scale,
                   const Unproject& unproject);

} // namespace viewer
