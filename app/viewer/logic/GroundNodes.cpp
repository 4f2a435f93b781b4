#include "viewer/logic/GroundNodes.h"

#include "platform/grid/GridModel.h"
#include "platform/text/Numbers.h"
#include "platform/text/Strings.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

using common::Vector3;

namespace viewer {
namespace {

std::string Cell(const plat::GridModel& grid, int row, int col) {
    return col < grid.Cols() ? grid.TextMatrix(row, col) : std::string();
}

// Val of the text as a single, or nothing when it lies beyond a single's range.
std::optional<float> SingleValue(const std::string& text) {
    double v = 0;
    try {
        v = plat::Val(text);
    } catch (const plat::OverflowError&) {
        return std::nullopt;
    }
    if (std::fabs(v) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(v);
}

void AddNode(GroundNodes& nodes, float x, float y, float z, int cut) {
    nodes.NodeX.push_back(x);
    nodes.NodeY.push_back(y);
    nodes.NodeZ.push_back(z);
    nodes.NodeCut.push_back(cut);
}

GroundNodes LoadCuts(const plat::GridModel& grid) {
    GroundNodes nodes;
    bool header = false;
    int counter = 0;
    for (int row = 1; row < grid.Rows(); ++row) {
        const std::string c1 = plat::Trim(Cell(grid, row, 1));
        if (c1.empty())
            break;
        if (plat::UCase(c1) == "X") {
            header = true;
            continue;
        }
        const std::string c2 = Cell(grid, row, 2);
        const std::string c3 = Cell(grid, row, 3);
        if (c2.empty() || c3.empty())
            break;
        const std::optional<float> x = SingleValue(c1);
        const std::optional<float> y = SingleValue(c2);
        const std::optional<float> z = SingleValue(c3);
        if (!x || !y || !z)
            break;
        if (header) {
            nodes.CutNodeCount.push_back(counter);
            ++nodes.CutCount;
            counter = 0;
            header = false;
        }
        AddNode(nodes, *x, *y, *z, nodes.CutCount);
        ++counter;
    }
    nodes.CutNodeCount.push_back(counter);
    ++nodes.CutCount;
    return nodes;
}

GroundNodes LoadProfile(const plat::GridModel& grid) {
    GroundNodes nodes;
    for (int row = 1; row < grid.Rows(); ++row) {
        const std::string c2 = Cell(grid, row, 2);
        const std::string c3 = Cell(grid, row, 3);
        if (plat::Trim(Cell(grid, row, 4)) != "X" || c2.empty() || c3.empty())
            break;
        const std::optional<float> y = SingleValue(c2);
        const std::optional<float> z = SingleValue(c3);
        if (!y || !z)
            break;
        AddNode(nodes, *y, -*y, *z, 1);
    }
    nodes.CutCount = nodes.NodeCount();
    return nodes;
}

// The nearest node at or above / at or below 0 found so far, with its elevation.
struct Bound {
    float at;
    float z = 0;
    bool found = false;
};

float SideViewThreshold(const GroundNodes& nodes) {
    Bound up{kThresholdNotFound};
    Bound low{-kThresholdNotFound};
    for (int i = 0; i < nodes.NodeCount(); ++i) {
        const float y = nodes.NodeY[i];
        if (y == 0)
            return nodes.NodeZ[i];
        if (y > 0 && y <= up.at)
            up = {y, nodes.NodeZ[i], true};
        else if (y < 0 && y >= low.at)
            low = {y, nodes.NodeZ[i], true};
    }
    if (!up.found || !low.found)
        return kThresholdNotFound;
    if (up.at == low.at)
        return 0;
    return low.z + (up.z - low.z) * (-low.at) / (up.at - low.at);
}

float FreeViewThreshold(const GroundNodes& nodes) {
    Bound xUp{kThresholdNotFound};
    Bound xLow{-kThresholdNotFound};
    Bound yUp{kThresholdNotFound};
    Bound yLow{-kThresholdNotFound};
    for (int i = 0; i < nodes.NodeCount(); ++i) {
        const float x = nodes.NodeX[i];
        const float y = nodes.NodeY[i];
        const float z = nodes.NodeZ[i];
        if (xLow.at <= x && x <= xUp.at) {
            if (y >= 0 && y <= yUp.at)
                yUp = {y, z, true};
            else if (y < 0 && y >= yLow.at)
                yLow = {y, z, true};
        }
        if (yLow.at <= y && y <= yUp.at) {
            if (x >= 0 && x <= xUp.at)
                xUp = {x, z, true};
            else if (x < 0 && x >= xLow.at)
                xLow = {x, z, true};
        }
    }
    if (!xUp.found || !xLow.found || !yUp.found || !yLow.found)
        return kThresholdNotFound;
    return std::max({xUp.z, xLow.z, yUp.z, yLow.z}) + 0.5F;
}

} // namespace

GroundNodes LoadGroundNodes(const plat::GridModel& grid, bool threeD) {
    return threeD ? LoadCuts(grid) : LoadProfile(grid);
}

float UpdateThresholdElevation(const GroundNodes& nodes, bool freeView) {
    return freeView ? FreeViewThreshold(nodes) : SideViewThreshold(nodes);
}

int TriangleInRunway(const Vector3& p1, const Vector3& p2, const Vector3& p3, const Vector3& origin, float length,
                     float width) {
    const float halfW = width / 2;
    for (const Vector3* p : {&p1, &p2, &p3}) {
        const float x = origin.X + p->X;
        if (x < -length || x > 0 || p->Y < -halfW || p->Y > halfW)
            return 0;
    }
    return 1;
}

std::vector<std::array<int, 4>> TerrainQuads(const GroundNodes& nodes) {
    std::vector<std::array<int, 4>> quads;
    int start = 0;
    const int cuts = static_cast<int>(nodes.CutNodeCount.size());
    for (int j = 0; j + 1 < cuts; ++j) {
        const int next = start + nodes.CutNodeCount[j];
        const int shared = std::min(nodes.CutNodeCount[j], nodes.CutNodeCount[j + 1]);
        for (int i = 0; i + 1 < shared; ++i)
            quads.push_back({start + i, start + i + 1, next + i + 1, next + i});
        start = next;
    }
    return quads;
}

const DelaunayMesh& GroundMesh::For(const GroundNodes& nodes) {
    if (!built_ || x_ != nodes.NodeX || y_ != nodes.NodeY || z_ != nodes.NodeZ) {
        x_ = nodes.NodeX;
        y_ = nodes.NodeY;
        z_ = nodes.NodeZ;
        mesh_ = BuildDelaunayMesh(x_, y_, z_);
        built_ = true;
    }
    return mesh_;
}

} // namespace viewer
