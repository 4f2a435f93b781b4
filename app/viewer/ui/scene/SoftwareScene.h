#ifndef VIEWER_UI_SCENE_SOFTWARESCENE_H
#define VIEWER_UI_SCENE_SOFTWARESCENE_H

#include <cstdint>
#include <vector>

#include "viewer/logic/GroundNodes.h"
#include "viewer/logic/PictureScale.h"
#include "viewer/logic/Projection.h"
#include "viewer/logic/SceneRules.h"

// The scene as a wire picture without OpenGL: what the picture box draws, in its user units and in
// drawing order, each segment projected by the software perspective (cut short of the eye) and
// clipped to the picture. The picture is the OpenGL one mirrored across the runway centreline.
namespace viewer {

// The viewer's colour properties the wire picture uses (colour numbers 0x00BBGGRR).
struct SoftwareColours {
    std::int32_t Runway = 0x606061;
    std::int32_t Grid = 0xC000;
    std::int32_t Grid2 = 0xC0C000;
    std::int32_t Grid3 = 0x79B4DF;
    std::int32_t Ground = 0;
};

struct SoftwareSceneInput {
    bool ShowArray = true;
    bool ShowRunway = true;
    bool ShowGrids = true;
    // Eye, look-at point, bank angle, zoom and the vertical exaggeration (one above the slider's).
    ProjectionView View;
    float ThresholdElevation = 0;
    // MastY taken with the software picture's sign (+X of the position antenna's box).
    ArrayLayout Array;
    float RunwayLength = 0;
    float RunwayWidth = 0;
    SoftwareColours Colours;
    // The picture box's line width before this picture (the grids keep it).
    int StartDrawWidth = 1;
};

struct WireShape {
    enum class Kind : std::uint8_t { Line, Circle };
    Kind Shape = Kind::Line;
    std::int32_t Colour = 0;
    int DrawWidth = 1;
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;     // lines only
    float Y2 = 0;     // lines only
    float Radius = 0; // circles only
};

// The eye mark's colour, which the wire picture sets on the viewer (red).
inline constexpr std::int32_t kEyeColour = 0xFF;

// The shapes of the scene; nodes are drawn as the terrain whatever the terrain-lines switch says.
std::vector<WireShape> SoftwareScene(const SoftwareSceneInput& in, const GroundNodes& nodes,
                                     const PictureScale& scale);

} // namespace viewer

#endif
