#pragma once

// The viewer's ground nodes, read from either ground grid: the main window's two-dimensional profile
// or the ground editor's grid of lateral cuts. Both are read through the grid's model alone.

#include "viewer/logic/Delaunay.h"

#include <array>
#include <vector>

namespace plat {
class GridModel;
}

namespace viewer {

// The nodes of one load. Cuts are numbered from 1; CutNodeCount[j − 1] is the node count of cut j
// (the editor's grid only). As the scene uses it, CutCount is one above the number of cuts for the
// editor's grid and equal to the node count for the profile.
struct GroundNodes {
    std::vector<float> NodeX;
    std::vector<float> NodeY;
    std::vector<float> NodeZ;
    std::vector<int> NodeCut;
    std::vector<int> CutNodeCount;
    int CutCount = 1;

    int NodeCount() const { return static_cast<int>(NodeX.size()); }
    bool operator==(const GroundNodes&) const = default;
};

// The editor's grid (threeD true): rows from 1 on; a row whose trimmed column 1 is "X" (any case)
// heads a cut; a node row holds X, Y, Z in columns 1 to 3. An empty column 1, 2 or 3 ends the load.
// The profile (threeD false): rows from 1 on while column 4 trimmed is "X" and columns 2 and 3 are
// not empty; a node is (Y, −Y, Z) with Y from column 2, Z from column 3, all in cut 1.
// Any text is accepted: a missing column reads as empty, a value beyond the range of a single ends
// the load like an empty cell. There is no limit on the number of nodes.
GroundNodes LoadGroundNodes(const plat::GridModel& grid, bool threeD);

// Returned by UpdateThresholdElevation when the nodes do not surround (0, 0).
constexpr float kThresholdNotFound = 999999.0F;

// The ground elevation at node (0, 0). Side view: along Y only, the node at Y = 0 or the linear
// interpolation between the nearest nodes on either side (equal bounds give 0). Free view: the
// highest of the four nearest nodes bracketing (0, 0) in X and Y, plus 0.5.
float UpdateThresholdElevation(const GroundNodes& nodes, bool freeView);

// 1 when all three vertices lie on the runway: origin.x + p.x within −length..0 and p.y within
// ±width / 2, bounds included; else 0.
int TriangleInRunway(const common::Vector3& p1, const common::Vector3& p2, const common::Vector3& p3,
                     const common::Vector3& origin, float length, float width);

// The grid of quads of the editor's cuts: node indices (0-based) of (cut j, node i), (j, i + 1),
// (j + 1, i + 1), (j + 1, i) for consecutive cuts, only where both cuts have nodes i and i + 1.
std::vector<std::array<int, 4>> TerrainQuads(const GroundNodes& nodes);

// The Delaunay mesh of the nodes it was last asked for (vertices (Y, X, Z)), rebuilt whenever the
// nodes differ from those.
class GroundMesh {
public:
    const DelaunayMesh& For(const GroundNodes& nodes);

private:
    bool built_ = false;
    std::vector<float> x_;
    std::vector<float> y_;
    std::vector<float> z_;
    DelaunayMesh mesh_;
};

} // namespace viewer
