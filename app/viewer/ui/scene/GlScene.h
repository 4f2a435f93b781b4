#ifndef VIEWER_UI_SCENE_GLSCENE_H
#define VIEWER_UI_SCENE_GLSCENE_H

#include "common/VectorsAndMatrices.h"
#include "viewer/logic/GroundNodes.h"
#include "viewer/logic/SceneRules.h"

// The viewer's scene drawn by OpenGL on the current context: camera and light, the array, the
// ground, the runway slab and the reference grids, in that order.
namespace viewer {

// The scene check boxes as the drawing reads them (true: ticked).
struct SceneSwitches {
    bool ShowArray = true;
    bool ShowRunway = true;
    bool ShowTerrainLines = true;
    bool ExpandMesh = true;
    bool ShowGrids = true;
    bool ShowElevGrid = false;
    bool ShowLegend = false;

    bool operator==(const SceneSwitches&) const = default;
};

struct GlSceneInput {
    SceneSwitches Show;
    bool SideView = false;
    // The ground comes from the ground editor's cuts, not from the main window's profile.
    bool ThreeDSource = false;
    float ZScale = 1;
    float ColorScale = 2;
    float ThresholdElevation = 0;
    ArrayLayout Array;
    float RunwayLength = 0;
    float RunwayWidth = 0;
    common::Vector3 Eye;
    common::Vector3 Target;
    // The view boxes' angles (degrees), which orient the camera when the line of sight is vertical
    // or has no length.
    double LateralAngle = 270;
    double ElevationAngle = 30;
};

// The projection's fixed values: field of view (degrees), near and far planes (feet).
inline constexpr double kFieldOfView = 35.0;
inline constexpr double kNearPlane = 10.0;
inline constexpr double kFarPlane = 10000.0;

// Draws the scene into the current context's whole surface of width x height pixels and flushes.
void DrawGLScene(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh, int width, int height);

// The scene as DrawGLScene draws it, with all but the camera and the light compiled once into a
// display list of the current context, which each redraw calls. The list is compiled again when
// what it was made from changes: the nodes, the switches, the Z scale, the colour scale, the array,
// the runway and its elevation, the view mode (the profile strip's width) or the ground's source;
// and in a context other than the one it was compiled in.
class CompiledGlScene {
public:
    CompiledGlScene() = default;
    CompiledGlScene(const CompiledGlScene&) = delete;
    CompiledGlScene& operator=(const CompiledGlScene&) = delete;

    void Draw(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh, int width, int height);
    // How many times a list was compiled.
    int Compiles() const { return compiles_; }

private:
    struct Content {
        GlSceneInput In;
        GroundNodes Nodes;
    };
    const void* context_ = nullptr;
    unsigned list_ = 0;
    Content content_;
    int compiles_ = 0;
};

} // namespace viewer

#endif
