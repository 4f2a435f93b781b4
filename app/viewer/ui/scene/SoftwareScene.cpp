#include "viewer/ui/scene/SoftwareScene.h"

#include <algorithm>
#include <array>

#include "plot/page/PlotClip.h"

namespace viewer {
namespace {

using common::Vector3;

constexpr float kGridExtent = 10000;
constexpr int kGridStep = 500;

class WireBuilder {
public:
    WireBuilder(const SoftwareSceneInput& in, const PictureScale& scale)
        : in_(in), scale_(scale), width_(in.StartDrawWidth) {
        xmin_ = std::min(scale.ScaleLeft, scale.ScaleLeft + scale.ScaleWidth);
        xmax_ = std::max(scale.ScaleLeft, scale.ScaleLeft + scale.ScaleWidth);
        ymin_ = std::min(scale.ScaleTop, scale.ScaleTop + scale.ScaleHeight);
        ymax_ = std::max(scale.ScaleTop, scale.ScaleTop + scale.ScaleHeight);
    }

    void Pen(std::int32_t colour, int width) {
        colour_ = colour;
        width_ = width;
    }
    // The colour alone: the line width stays what the picture box has.
    void Pen(std::int32_t colour) { colour_ = colour; }

    void Circle(float x, float y, float radius) {
        shapes_.push_back({WireShape::Kind::Circle, colour_, width_, x, y, 0, 0, radius});
    }

    // Projects and clips the segment; a segment wholly behind the eye's near plane or wholly beyond
    // one edge of the picture is not drawn. `endMark` puts a circle of that radius at a's picture
    // point first.
    void Segment(const Vector3& a, const Vector3& b, float endMark = 0) {
        const auto ends = ProjectSegment(a, b, in_.View, scale_);
        if (!ends) {
            return;
        }
        float x1 = ends->first.X;
        float y1 = ends->first.Y;
        float x2 = ends->second.X;
        float y2 = ends->second.Y;
        if (endMark > 0) {
            Circle(x1, y1, endMark);
        }
        if ((x1 < xmin_ && x2 < xmin_) || (x1 > xmax_ && x2 > xmax_) || (y1 < ymin_ && y2 < ymin_) ||
            (y1 > ymax_ && y2 > ymax_)) {
            return;
        }
        plot::ClipSegment(x1, y1, x2, y2, xmin_, xmax_, ymin_, ymax_);
        shapes_.push_back({WireShape::Kind::Line, colour_, width_, x1, y1, x2, y2, 0});
    }

    std::vector<WireShape> Take() { return std::move(shapes_); }

private:
    const SoftwareSceneInput& in_;
    const PictureScale& scale_;
    float xmin_ = 0;
    float xmax_ = 0;
    float ymin_ = 0;
    float ymax_ = 0;
    std::int32_t colour_ = 0;
    int width_ = 1;
    std::vector<WireShape> shapes_;
};

void Array(const SoftwareSceneInput& in, WireBuilder& wire) {
    const ArrayLayout& a = in.Array;
    wire.Pen(kEyeColour, 1);
    wire.Circle(0, 0, 200);
    wire.Pen(in.View.Eye.Z < 0 ? 0x30 : 0xC0, 2);
    const float top = a.Count >= 1 ? a.Heights[static_cast<std::size_t>(a.Count - 1)] : 0.0F;
    wire.Segment({a.MastX, a.MastY, 0}, {a.MastX, a.MastY, 1.1F * top});
    for (int i = 0; i < a.Count; ++i) {
        const float h = a.Heights[static_cast<std::size_t>(i)];
        wire.Segment({a.MastX, a.MastY + 10, h}, {a.MastX, a.MastY - 10, h});
    }
}

void Runway(const SoftwareSceneInput& in, WireBuilder& wire) {
    wire.Pen(in.Colours.Runway, 2);
    const float halfW = in.RunwayWidth / 2;
    const float z = in.ThresholdElevation;
    const std::array<Vector3, 4> c{
        {{-in.RunwayLength, -halfW, z}, {0, -halfW, z}, {0, halfW, z}, {-in.RunwayLength, halfW, z}}};
    for (std::size_t k = 0; k < 4; ++k) {
        wire.Segment(c[k], c[(k + 1) % 4]);
    }
}

// The elevation grid's half on one side of 0: sign +1 above, -1 below.
void ElevationHalf(WireBuilder& wire, int sign) {
    for (int h = 50; h <= 1000; h += 50) {
        const auto z = static_cast<float>(sign * h);
        wire.Segment({-kGridExtent, 0, z}, {kGridExtent, 0, z});
    }
    for (int x = -10000; x <= 10000; x += kGridStep) {
        const auto f = static_cast<float>(x);
        wire.Segment({f, 0, static_cast<float>(sign * 1000)}, {f, 0, 0});
    }
}

void Grids(const SoftwareSceneInput& in, WireBuilder& wire) {
    wire.Pen(in.Colours.Grid);
    for (int c = -10000; c <= 10000; c += kGridStep) {
        const auto f = static_cast<float>(c);
        wire.Segment({f, -kGridExtent, 0}, {f, kGridExtent, 0});
        wire.Segment({-kGridExtent, f, 0}, {kGridExtent, f, 0});
    }
    // The eye sees the half of the elevation grid on its side of the ground, both within 2 ft of it.
    if (in.View.Eye.Z < 2) {
        wire.Pen(in.Colours.Grid3);
        ElevationHalf(wire, -1);
    }
    if (in.View.Eye.Z > -2) {
        wire.Pen(in.Colours.Grid2);
        ElevationHalf(wire, 1);
    }
}

// Quads between consecutive cuts, edge by edge, each edge with a mark at its first end. Only node
// pairs both cuts hold are joined.
void Terrain(const SoftwareSceneInput& in, const GroundNodes& nodes, WireBuilder& wire) {
    wire.Pen(in.Colours.Ground, 4);
    const auto point = [&](int k) {
        const auto n = static_cast<std::size_t>(k);
        return Vector3{in.Array.MastX + nodes.NodeY[n], nodes.NodeX[n], nodes.NodeZ[n]};
    };
    for (const std::array<int, 4>& quad : TerrainQuads(nodes)) {
        for (std::size_t k = 0; k < 4; ++k) {
            wire.Segment(point(quad[k]), point(quad[(k + 1) % 4]), 50);
        }
    }
}

} // namespace

std::vector<WireShape> SoftwareScene(const SoftwareSceneInput& in, const GroundNodes& nodes,
                                     const PictureScale& scale) {
    WireBuilder wire(in, scale);
    if (in.ShowArray) {
        Array(in, wire);
    }
    if (in.ShowRunway) {
        Runway(in, wire);
    }
    if (in.ShowGrids) {
        Grids(in, wire);
    }
    Terrain(in, nodes, wire);
    return wire.Take();
}

} // namespace viewer
