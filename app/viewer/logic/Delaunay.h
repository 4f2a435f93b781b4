#pragma once

// The Delaunay triangulation of the ground nodes in the horizontal plane, and the triangle measures
// the rest of the program uses.

#include "common/VectorsAndMatrices.h"

#include <cstdint>
#include <vector>

namespace viewer {

// Three indices into the vertex list a triangulation was given (0-based).
struct MeshTriangle {
    std::int32_t First = 0;
    std::int32_t Second = 0;
    std::int32_t Third = 0;

    bool operator==(const MeshTriangle&) const = default;
};

// The centre and radius reported for three collinear or coincident points, which have none.
constexpr float kNoCircle = 999999.0F;

// Whether (xp, yp) lies inside or on the circle through the three corners; the circle's centre and
// radius are given back. Decided by exact determinant signs, whatever the corners' order; three
// collinear (or coincident) corners have no circle: false, with centre and radius kNoCircle.
bool InCircum(float xp, float yp, float x1, float y1, float x2, float y2, float x3, float y3, float& xc,
              float& yc, float& r);

// The Delaunay triangles of the vertices' (x, y), clockwise in that plane. A vertex at the place of an
// earlier one takes no part (the first is kept); so does one whose x or y is not finite. Fewer than
// three distinct vertices, or only collinear ones, give no triangle. Where four or more vertices lie
// on one circle any of its Delaunay triangulations may come back. Expected time O(n log n).
std::vector<MeshTriangle> Triangulate(const std::vector<common::Vector3>& vertices);

// Measures in three dimensions, in single precision. A triangle whose corners are collinear has no
// circumcentre or circumradius: kNoCircle (in each component of the centre).
float TriangleArea(const common::Vector3& a, const common::Vector3& b, const common::Vector3& c);
float TriangleCircumradius(const common::Vector3& a, const common::Vector3& b, const common::Vector3& c);
common::Vector3 TriangleCircumcenter(const common::Vector3& a, const common::Vector3& b, const common::Vector3& c);

// A mesh with the vertices it indexes.
struct DelaunayMesh {
    std::vector<common::Vector3> Vertices;
    std::vector<MeshTriangle> Triangles;
};

// The mesh of the nodes: vertex i is (second[i], first[i], third[i]), the first two coordinates
// changing places (the viewer passes its node X, Y and Z, so the vertices hold (Y, X, Z)). The three
// arrays have one entry per node.
DelaunayMesh BuildDelaunayMesh(const std::vector<float>& first, const std::vector<float>& second,
                               const std::vector<float>& third);

} // namespace viewer
