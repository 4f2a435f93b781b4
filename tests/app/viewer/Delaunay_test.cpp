#include "viewer/logic/Delaunay.h"

#include "ReferenceTriangulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <vector>

using common::MakeVector;
using common::Vector3;
using namespace viewer;

namespace {

// The independent checks work on coordinates that are whole multiples of 1/1024, so that every
// determinant is an exact 128-bit integer.
constexpr double kUnit = 1024.0;
__extension__ typedef __int128 Wide;

struct IntPoint {
    std::int64_t x;
    std::int64_t y;
    bool operator<(const IntPoint& o) const { return x != o.x ? x < o.x : y < o.y; }
    bool operator==(const IntPoint&) const = default;
};

IntPoint Exact(const Vector3& v) {
    return {static_cast<std::int64_t>(v.X * kUnit), static_cast<std::int64_t>(v.Y * kUnit)};
}

Wide Cross(const IntPoint& a, const IntPoint& b, const IntPoint& c) {
    return Wide(b.x - a.x) * (c.y - a.y) - Wide(b.y - a.y) * (c.x - a.x);
}

// > 0 when d is strictly inside the circle of the counter-clockwise a, b, c.
Wide InCircleExact(const IntPoint& a, const IntPoint& b, const IntPoint& c, const IntPoint& d) {
    const Wide adx = a.x - d.x, ady = a.y - d.y, bdx = b.x - d.x, bdy = b.y - d.y, cdx = c.x - d.x,
               cdy = c.y - d.y;
    return (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) + (bdx * bdx + bdy * bdy) * (cdx * ady - adx * cdy) +
           (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
}

// The hull of distinct points (monotone chain, collinear points dropped), counter-clockwise.
std::vector<IntPoint> Hull(std::vector<IntPoint> p) {
    std::sort(p.begin(), p.end());
    std::vector<IntPoint> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && Cross(h[k - 2], h[k - 1], p[i]) <= 0)
            --k;
        h[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && Cross(h[k - 2], h[k - 1], p[i]) <= 0)
            --k;
        h[k++] = p[i];
    }
    h.resize(k - 1);
    return h;
}

bool OnSegment(const IntPoint& a, const IntPoint& b, const IntPoint& p) {
    return Cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Every property a Delaunay triangulation of the distinct nodes has, checked by brute force.
void ExpectDelaunay(const std::vector<Vector3>& nodes, const std::vector<MeshTriangle>& triangles) {
    std::map<IntPoint, int> first;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        first.emplace(Exact(nodes[i]), static_cast<int>(i));
    std::vector<IntPoint> distinct;
    for (const auto& [p, i] : first)
        distinct.push_back(p);
    const std::vector<IntPoint> hull = Hull(distinct);
    std::size_t onHull = 0;
    for (const IntPoint& p : distinct) {
        for (std::size_t i = 0; i < hull.size(); ++i) {
            if (OnSegment(hull[i], hull[(i + 1) % hull.size()], p)) {
                ++onHull;
                break;
            }
        }
    }
    ASSERT_EQ(triangles.size(), 2 * distinct.size() - 2 - onHull);
    Wide hullArea = 0;
    for (std::size_t i = 0; i < hull.size(); ++i)
        hullArea += Cross(hull[0], hull[i], hull[(i + 1) % hull.size()]);
    Wide area = 0;
    int clockwise = 0;
    int firstOfCoincident = 0;
    int emptyCircle = 0;
    for (const MeshTriangle& t : triangles) {
        const IntPoint a = Exact(nodes[t.First]), b = Exact(nodes[t.Second]), c = Exact(nodes[t.Third]);
        const Wide twice = Cross(a, b, c);
        clockwise += twice < 0;
        area -= twice;
        firstOfCoincident += first.at(a) == t.First && first.at(b) == t.Second && first.at(c) == t.Third;
        bool empty = true;
        for (const IntPoint& p : distinct)
            empty = empty && InCircleExact(a, c, b, p) <= 0;
        emptyCircle += empty;
    }
    const int count = static_cast<int>(triangles.size());
    EXPECT_EQ(clockwise, count);
    EXPECT_EQ(firstOfCoincident, count);
    EXPECT_EQ(emptyCircle, count);
    EXPECT_TRUE(area == hullArea);
}

float OnGrid(double v) {
    return static_cast<float>(std::floor(v * kUnit) / kUnit);
}

std::vector<Vector3> Uniform(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> u(-2000, 2000);
    std::vector<Vector3> v;
    for (int i = 0; i < n; ++i)
        v.push_back(MakeVector(OnGrid(u(random)), OnGrid(u(random)), static_cast<float>(i)));
    return v;
}

std::vector<Vector3> Clustered(int n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> centre(-5000, 5000);
    std::normal_distribution<double> spread(0, 3);
    std::vector<Vector3> v;
    for (int c = 0; c < 8; ++c) {
        const double cx = centre(random), cy = centre(random);
        for (int i = 0; i < n / 8; ++i)
            v.push_back(MakeVector(OnGrid(cx + spread(random)), OnGrid(cy + spread(random)), 0));
    }
    return v;
}

std::vector<Vector3> WithDuplicates(int n, unsigned seed) {
    std::vector<Vector3> v = Uniform(n, seed);
    std::mt19937 random(seed + 1);
    for (int i = 0; i < n / 3; ++i)
        v.push_back(v[random() % v.size()]);
    std::shuffle(v.begin() + n / 2, v.end(), random);
    return v;
}

std::vector<Vector3> Grid(int side, float step) {
    std::vector<Vector3> v;
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            v.push_back(MakeVector(i * step, j * step, 0));
    return v;
}

TEST(Delaunay, BruteForceChecksOnRandomAndGridNodes) {
    const std::vector<std::pair<const char*, std::vector<Vector3>>> cases = {
        {"uniform", Uniform(1500, 1)},       {"uniform small", Uniform(40, 2)},
        {"clustered", Clustered(1600, 3)},   {"duplicated", WithDuplicates(1200, 4)},
        {"grid 100 x 100", Grid(100, 50.0F)}, {"grid 7 x 7 fine", Grid(7, 0.25F)},
    };
    for (const auto& [name, nodes] : cases) {
        SCOPED_TRACE(name);
        ExpectDelaunay(nodes, Triangulate(nodes));
    }
}

TEST(Delaunay, OldQuadraticTrianglesAreAmongOurs) {
    // In general position the triangulation is unique; the old quadratic one finds most of it and
    // loses some hull triangles to its finite super-triangle.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> u(0, 1000);
    std::vector<Vector3> nodes;
    for (int i = 0; i < 300; ++i)
        nodes.push_back(MakeVector(u(random), u(random), 0));
    const std::vector<MeshTriangle> ours = Triangulate(nodes);
    const std::vector<MeshTriangle> old = reference::Triangulate(nodes);
    const auto key = [](const MeshTriangle& t) {
        std::array<int, 3> k{t.First, t.Second, t.Third};
        std::rotate(k.begin(), std::min_element(k.begin(), k.end()), k.end());
        return k;
    };
    std::set<std::array<int, 3>> ourSet;
    for (const MeshTriangle& t : ours)
        ourSet.insert(key(t));
    int found = 0;
    for (const MeshTriangle& t : old)
        found += ourSet.count(key(t)) == 1;
    EXPECT_EQ(found, static_cast<int>(old.size()));
    EXPECT_GT(old.size(), ours.size() * 95 / 100);
    EXPECT_LE(old.size(), ours.size());
}

TEST(Delaunay, SmallAndDegenerateNodeSets) {
    const std::vector<std::pair<const char*, std::vector<Vector3>>> empty = {
        {"none", {}},
        {"two", {MakeVector(0, 0, 0), MakeVector(1, 1, 0)}},
        {"a fresh editor grid", std::vector<Vector3>(200, MakeVector(0, 0, 0))},
        {"collinear", {MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(5, 0, 0), MakeVector(3, 0, 0)}},
        {"collinear slanted", {MakeVector(0, 0, 0), MakeVector(1, 1, 0), MakeVector(2, 2, 0), MakeVector(0, 0, 0)}},
        {"two distinct", {MakeVector(0, 0, 0), MakeVector(0, 0, 0), MakeVector(3, 4, 0)}},
    };
    for (const auto& [name, nodes] : empty) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Triangulate(nodes).empty());
    }
    EXPECT_EQ(Triangulate({MakeVector(0, 0, 0), MakeVector(10, 0, 0), MakeVector(0, 10, 0)}),
              (std::vector<MeshTriangle>{{0, 2, 1}}));
    const std::vector<Vector3> square = {MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(1, 1, 0),
                                         MakeVector(0, 1, 0)};
    ExpectDelaunay(square, Triangulate(square));
    EXPECT_EQ(Triangulate(square).size(), 2U);
    // Collinear nodes and one off the line: a fan; non-finite nodes take no part.
    std::vector<Vector3> fan = {MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(2, 0, 0), MakeVector(3, 0, 0),
                                MakeVector(1.5F, 1, 0)};
    ExpectDelaunay(fan, Triangulate(fan));
    fan.push_back(MakeVector(std::numeric_limits<float>::infinity(), 0, 0));
    fan.push_back(MakeVector(0, std::numeric_limits<float>::quiet_NaN(), 0));
    EXPECT_EQ(Triangulate(fan).size(), 3U);
}

TEST(Delaunay, InCircumWithoutSlopes) {
    float xc = 0, yc = 0, r = 0;
    // Three equal y: no circle, no message.
    EXPECT_FALSE(InCircum(0, 1, 0, 0, 1, 0, 2, 0, xc, yc, r));
    EXPECT_EQ(xc, kNoCircle);
    EXPECT_EQ(r, kNoCircle);
    EXPECT_FALSE(InCircum(0, 0, 5, 5, 5, 5, 5, 5, xc, yc, r));
    // Two equal y: the centre from the other sides.
    EXPECT_TRUE(InCircum(1, 1, 0, 0, 2, 0, 1, 3, xc, yc, r));
    EXPECT_FLOAT_EQ(xc, 1);
    EXPECT_FLOAT_EQ(yc, 4.0F / 3);
    EXPECT_FLOAT_EQ(r, 5.0F / 3);
    // On the circle counts, whatever the corners' order; outside does not.
    EXPECT_TRUE(InCircum(1, 3, 0, 0, 1, 3, 2, 0, xc, yc, r));
    EXPECT_TRUE(InCircum(0, 1, 1, 0, 0, 0, 1, 1, xc, yc, r));
    EXPECT_FALSE(InCircum(1, -0.7F, 0, 0, 2, 0, 1, 3, xc, yc, r));
    EXPECT_TRUE(InCircum(1, -0.3F, 0, 0, 1, 3, 2, 0, xc, yc, r));
}

TEST(Delaunay, TriangleMeasures) {
    const Vector3 a = MakeVector(0, 0, 0), b = MakeVector(2, 0, 0), c = MakeVector(1, 3, 0);
    const Vector3 centre = TriangleCircumcenter(a, b, c);
    EXPECT_NEAR(centre.X, 1, 1e-5);
    EXPECT_NEAR(centre.Y, 4.0 / 3, 1e-5);
    EXPECT_NEAR(centre.Z, 0, 1e-5);
    EXPECT_NEAR(TriangleCircumradius(a, b, c), 5.0 / 3, 1e-5);
    EXPECT_NEAR(TriangleArea(a, b, c), 3, 1e-5);
    const Vector3 mid = TriangleCircumcenter(MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(0, 1, 0));
    EXPECT_NEAR(mid.X, 0.5, 1e-6);
    EXPECT_NEAR(mid.Y, 0.5, 1e-6);
    // A tilted triangle: the centre is equidistant from the corners in three dimensions.
    const Vector3 p = MakeVector(0, 0, 0), q = MakeVector(4, 0, 3), s = MakeVector(0, 5, 1);
    const Vector3 o = TriangleCircumcenter(p, q, s);
    const float rp = common::VecDistance(o, p);
    EXPECT_NEAR(common::VecDistance(o, q), rp, 1e-4);
    EXPECT_NEAR(common::VecDistance(o, s), rp, 1e-4);
    EXPECT_NEAR(TriangleCircumradius(p, q, s), rp, 1e-4);
    // Degenerate triangles have no circle.
    for (const auto& [u, v, w] : {std::array{p, MakeVector(1, 1, 1), MakeVector(3, 3, 3)}, std::array{p, p, q}}) {
        EXPECT_EQ(TriangleCircumcenter(u, v, w), MakeVector(kNoCircle, kNoCircle, kNoCircle));
        EXPECT_EQ(TriangleCircumradius(u, v, w), kNoCircle);
        EXPECT_EQ(TriangleArea(u, v, w), 0);
    }
}

TEST(Delaunay, MeshSwapsTheFirstTwoArrays) {
    const DelaunayMesh mesh = BuildDelaunayMesh({0, 10, 0, 10}, {0, 0, 10, 10}, {1, 2, 3, 4});
    ASSERT_EQ(mesh.Vertices.size(), 4U);
    EXPECT_EQ(mesh.Vertices[1], MakeVector(0, 10, 2));
    EXPECT_EQ(mesh.Vertices[2], MakeVector(10, 0, 3));
    ExpectDelaunay(mesh.Vertices, mesh.Triangles);
}

} // namespace
