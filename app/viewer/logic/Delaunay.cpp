#include "viewer/logic/Delaunay.h"

#include "viewer/logic/Predicates.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <random>

using common::Vector3;

namespace viewer {
namespace {

// Incremental insertion (Bowyer-Watson) over triangles that know their neighbours. The outside of
// the hull is covered by ghost triangles, each a hull edge joined to one vertex at infinity, so that
// a point outside the hull finds its cavity like any other. The points come in a biased randomised
// order whose rounds follow a Hilbert curve (see InsertionOrder), and each is located by walking
// from the triangle made last: short walks, O(n log n) expected work.
class Builder {
public:
    // Distinct points, in the order they are to be inserted.
    explicit Builder(std::vector<Point2> points)
        : p_(std::move(points)), infinite_(static_cast<int>(p_.size())) {}

    // Triangles as index triples into the points, counter-clockwise; none when the points are
    // collinear or fewer than three.
    std::vector<MeshTriangle> Run();

private:
    static constexpr int kDead = -1;

    struct Tri {
        int v[3];  // v[0] is kDead for a free slot
        int nb[3]; // nb[i] lies across the edge opposite v[i]
        // Cavity search marks: 2 × search in the cavity, 2 × search + 1 found outside it.
        unsigned stamp;
    };

    bool IsGhost(const Tri& t) const {
        return t.v[0] == infinite_ || t.v[1] == infinite_ || t.v[2] == infinite_;
    }
    bool Conflicts(int t, const Point2& q) const;
    int Locate(const Point2& q);
    void Insert(int index);
    int NewTri(int a, int b, int c);
    void LinkAcross(int t, int u, int w, int outer);

    std::vector<Point2> p_;
    int infinite_;
    std::vector<Tri> tris_;
    std::vector<int> free_;
    unsigned round_ = 0;
    int last_ = 0;
    std::minstd_rand walkRandom_{12345};

    struct Boundary {
        int u;
        int w;
        int outer;
        int made;
    };
    std::vector<int> cavity_;
    std::vector<Boundary> boundary_;
};

bool Builder::Conflicts(int t, const Point2& q) const {
    const Tri& tri = tris_[t];
    if (!IsGhost(tri))
        return InCircle(p_[tri.v[0]], p_[tri.v[1]], p_[tri.v[2]], q) > 0;
    int k = 0;
    while (tri.v[k] != infinite_)
        ++k;
    const Point2& a = p_[tri.v[(k + 1) % 3]];
    const Point2& b = p_[tri.v[(k + 2) % 3]];
    const int side = Orient2D(a, b, q);
    if (side != 0)
        return side > 0;
    // On the hull edge's line: in conflict only strictly between its ends.
    if (a.x != b.x)
        return (a.x < q.x && q.x < b.x) || (b.x < q.x && q.x < a.x);
    return (a.y < q.y && q.y < b.y) || (b.y < q.y && q.y < a.y);
}

int Builder::Locate(const Point2& q) {
    int t = last_;
    if (IsGhost(tris_[t])) {
        int k = 0;
        while (tris_[t].v[k] != infinite_)
            ++k;
        t = tris_[t].nb[k];
    }
    for (;;) {
        const Tri& tri = tris_[t];
        const int first = static_cast<int>(walkRandom_() % 3);
        int next = -1;
        for (int i = 0; i < 3 && next < 0; ++i) {
            const int e = (first + i) % 3;
            if (Orient2D(p_[tri.v[(e + 1) % 3]], p_[tri.v[(e + 2) % 3]], q) < 0)
                next = tri.nb[e];
        }
        if (next < 0)
            return t;
        t = next;
        if (IsGhost(tris_[t]))
            return t;
    }
}

int Builder::NewTri(int a, int b, int c) {
    int t = 0;
    if (!free_.empty()) {
        t = free_.back();
        free_.pop_back();
    } else {
        t = static_cast<int>(tris_.size());
        tris_.push_back({});
    }
    tris_[t] = Tri{{a, b, c}, {-1, -1, -1}, 0};
    return t;
}

// Makes outer, which has the edge w -> u, point across it to t.
void Builder::LinkAcross(int t, int u, int w, int outer) {
    Tri& o = tris_[outer];
    for (int e = 0; e < 3; ++e) {
        if (o.v[(e + 1) % 3] == w && o.v[(e + 2) % 3] == u) {
            o.nb[e] = t;
            return;
        }
    }
}

void Builder::Insert(int index) {
    const Point2& q = p_[index];
    const int start = Locate(q);
    ++round_;
    cavity_.clear();
    boundary_.clear();
    cavity_.push_back(start);
    tris_[start].stamp = 2 * round_;
    for (std::size_t i = 0; i < cavity_.size(); ++i) {
        const int t = cavity_[i];
        for (int e = 0; e < 3; ++e) {
            const int n = tris_[t].nb[e];
            const unsigned mark = tris_[n].stamp;
            if (mark == 2 * round_)
                continue;
            if (mark != 2 * round_ + 1 && Conflicts(n, q)) {
                tris_[n].stamp = 2 * round_;
                cavity_.push_back(n);
                continue;
            }
            tris_[n].stamp = 2 * round_ + 1;
            boundary_.push_back({tris_[t].v[(e + 1) % 3], tris_[t].v[(e + 2) % 3], n, -1});
        }
    }
    for (const int t : cavity_) {
        tris_[t].v[0] = kDead;
        free_.push_back(t);
    }
    for (Boundary& b : boundary_) {
        b.made = NewTri(b.u, b.w, index);
        tris_[b.made].nb[2] = b.outer;
        LinkAcross(b.made, b.u, b.w, b.outer);
    }
    // Around the new point: the triangle on u -> w meets the one starting at w across (w, q), and
    // the one ending at u across (q, u).
    for (const Boundary& b : boundary_) {
        for (const Boundary& other : boundary_) {
            if (other.u == b.w)
                tris_[b.made].nb[0] = other.made;
            if (other.w == b.u)
                tris_[b.made].nb[1] = other.made;
        }
    }
    last_ = boundary_.front().made;
    for (const Boundary& b : boundary_) {
        if (!IsGhost(tris_[b.made])) {
            last_ = b.made;
            break;
        }
    }
}

// A key along a Hilbert curve of order 16 over the points' bounding box.
std::uint32_t HilbertKey(double x, double y, double xMin, double yMin, double xSpan, double ySpan) {
    constexpr std::uint32_t kSide = 1U << 16;
    const auto cell = [](double v, double lo, double span) {
        const double f = span > 0 ? (v - lo) / span : 0.0;
        return static_cast<std::uint32_t>(std::clamp(f * (kSide - 1), 0.0, double(kSide - 1)));
    };
    std::uint32_t cx = cell(x, xMin, xSpan);
    std::uint32_t cy = cell(y, yMin, ySpan);
    std::uint32_t key = 0;
    for (std::uint32_t s = kSide / 2; s > 0; s /= 2) {
        const std::uint32_t rx = (cx & s) ? 1 : 0;
        const std::uint32_t ry = (cy & s) ? 1 : 0;
        key += s * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                cx = kSide - 1 - cx;
                cy = kSide - 1 - cy;
            }
            std::swap(cx, cy);
        }
    }
    return key;
}

// Rounds of doubling size, the last the second half of a random shuffle, each sorted along the
// Hilbert curve: a biased randomised insertion order.
std::vector<int> InsertionOrder(const std::vector<Point2>& p) {
    struct Entry {
        std::uint32_t key;
        int index;
    };
    double xMin = p[0].x;
    double xMax = xMin;
    double yMin = p[0].y;
    double yMax = yMin;
    for (const Point2& q : p) {
        xMin = std::min(xMin, q.x);
        xMax = std::max(xMax, q.x);
        yMin = std::min(yMin, q.y);
        yMax = std::max(yMax, q.y);
    }
    std::vector<Entry> entries(p.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        entries[i] = {HilbertKey(p[i].x, p[i].y, xMin, yMin, xMax - xMin, yMax - yMin), static_cast<int>(i)};
    std::shuffle(entries.begin(), entries.end(), std::minstd_rand(20261210));
    std::size_t end = entries.size();
    while (end > 0) {
        const std::size_t begin = end < 64 ? 0 : end / 2;
        std::sort(entries.begin() + static_cast<std::ptrdiff_t>(begin), entries.begin() + static_cast<std::ptrdiff_t>(end),
                  [](const Entry& a, const Entry& b) { return a.key < b.key; });
        end = begin;
    }
    std::vector<int> order(p.size());
    for (std::size_t i = 0; i < p.size(); ++i)
        order[i] = entries[i].index;
    return order;
}

std::vector<MeshTriangle> Builder::Run() {
    const int n = infinite_;
    if (n < 3)
        return {};
    // A triangulation of n points has 2n − 2 triangles with the ghosts; a cavity frees its slots
    // before the new triangles take them.
    tris_.reserve(2 * p_.size() + 64);
    const int a = 0;
    const int b = 1;
    int third = 2;
    while (third < n && Orient2D(p_[a], p_[b], p_[third]) == 0)
        ++third;
    if (third == n)
        return {};
    int c = third;
    int bb = b;
    if (Orient2D(p_[a], p_[bb], p_[c]) < 0)
        std::swap(bb, c);
    const int inner = NewTri(a, bb, c);
    const int ghosts[3] = {NewTri(c, bb, infinite_), NewTri(a, c, infinite_), NewTri(bb, a, infinite_)};
    tris_[inner].nb[0] = ghosts[0];
    tris_[inner].nb[1] = ghosts[1];
    tris_[inner].nb[2] = ghosts[2];
    for (const int g : ghosts) {
        tris_[g].nb[2] = inner;
        for (const int h : ghosts) {
            if (h == g)
                continue;
            // g = (x, y, ∞): across (y, ∞) lies the ghost starting at y, across (∞, x) the one ending at x.
            if (tris_[h].v[0] == tris_[g].v[1])
                tris_[g].nb[0] = h;
            if (tris_[h].v[1] == tris_[g].v[0])
                tris_[g].nb[1] = h;
        }
    }
    last_ = inner;
    for (int i = 2; i < n; ++i) {
        if (i != third)
            Insert(i);
    }
    std::size_t finite = 0;
    for (const Tri& t : tris_)
        finite += t.v[0] != kDead && !IsGhost(t);
    std::vector<MeshTriangle> result;
    result.reserve(finite);
    for (const Tri& t : tris_) {
        if (t.v[0] != kDead && !IsGhost(t))
            result.push_back({t.v[0], t.v[1], t.v[2]});
    }
    return result;
}

double Length(const Vector3& a, const Vector3& b) {
    const double dx = static_cast<double>(b.X) - a.X;
    const double dy = static_cast<double>(b.Y) - a.Y;
    const double dz = static_cast<double>(b.Z) - a.Z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

// Whether the three corners lie on one line (coincident ones included), exactly for single inputs.
bool Collinear(const Vector3& a, const Vector3& b, const Vector3& c) {
    const Point2 xy[3] = {{a.X, a.Y}, {b.X, b.Y}, {c.X, c.Y}};
    const Point2 yz[3] = {{a.Y, a.Z}, {b.Y, b.Z}, {c.Y, c.Z}};
    const Point2 zx[3] = {{a.Z, a.X}, {b.Z, b.X}, {c.Z, c.X}};
    return Orient2D(xy[0], xy[1], xy[2]) == 0 && Orient2D(yz[0], yz[1], yz[2]) == 0 &&
           Orient2D(zx[0], zx[1], zx[2]) == 0;
}

// The distinct finite points of the vertices (the first of coincident ones kept) in insertion
// order, numbered so that they lie in memory as they are used, with their vertex indices. The
// working lists end here, before the triangulation needs its memory.
void OrderedPoints(const std::vector<Vector3>& vertices, std::vector<Point2>& points, std::vector<int>& original) {
    struct Item {
        float x;
        float y;
        int index;
    };
    std::vector<Item> items;
    items.reserve(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (std::isfinite(vertices[i].X) && std::isfinite(vertices[i].Y))
            items.push_back({vertices[i].X, vertices[i].Y, static_cast<int>(i)});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.x != b.x ? a.x < b.x : (a.y != b.y ? a.y < b.y : a.index < b.index);
    });
    std::size_t count = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == 0 || items[i].x != items[count - 1].x || items[i].y != items[count - 1].y)
            items[count++] = items[i];
    }
    items.resize(count);
    std::vector<Point2> distinct(count);
    for (std::size_t i = 0; i < count; ++i)
        distinct[i] = {items[i].x, items[i].y};
    if (count < 3)
        return;
    const std::vector<int> order = InsertionOrder(distinct);
    points.resize(count);
    original.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto k = static_cast<std::size_t>(order[i]);
        points[i] = distinct[k];
        original[i] = items[k].index;
    }
}

} // namespace

bool InCircum(float xp, float yp, float x1, float y1, float x2, float y2, float x3, float y3, float& xc,
              float& yc, float& r) {
    const Point2 a{x1, y1};
    const Point2 b{x2, y2};
    const Point2 c{x3, y3};
    const int turn = Orient2D(a, b, c);
    if (turn == 0) {
        xc = yc = r = kNoCircle;
        return false;
    }
    // The centre from the perpendicular bisectors, as determinants relative to the first corner.
    const double bx = static_cast<double>(x2) - x1;
    const double by = static_cast<double>(y2) - y1;
    const double cx = static_cast<double>(x3) - x1;
    const double cy = static_cast<double>(y3) - y1;
    const double d = 2 * (bx * cy - by * cx);
    const double b2 = bx * bx + by * by;
    const double c2 = cx * cx + cy * cy;
    const double ux = (cy * b2 - by * c2) / d;
    const double uy = (bx * c2 - cx * b2) / d;
    xc = static_cast<float>(x1 + ux);
    yc = static_cast<float>(y1 + uy);
    r = static_cast<float>(std::sqrt(ux * ux + uy * uy));
    return turn * InCircle(a, b, c, Point2{xp, yp}) >= 0;
}

std::vector<MeshTriangle> Triangulate(const std::vector<Vector3>& vertices) {
    std::vector<Point2> points;
    std::vector<int> original;
    OrderedPoints(vertices, points, original);
    std::vector<MeshTriangle> triangles = Builder(std::move(points)).Run();
    // Counter-clockwise from the builder; the mesh wants them clockwise.
    for (MeshTriangle& t : triangles)
        t = {original[t.First], original[t.Third], original[t.Second]};
    return triangles;
}

float TriangleArea(const Vector3& a, const Vector3& b, const Vector3& c) {
    const auto ab = static_cast<float>(Length(a, b));
    const auto bc = static_cast<float>(Length(b, c));
    const auto ca = static_cast<float>(Length(c, a));
    const float s = (ab + bc + ca) / 2;
    const float product = s * (s - ab) * (s - bc) * (s - ca);
    return product > 0 ? std::sqrt(product) : 0.0F;
}

float TriangleCircumradius(const Vector3& a, const Vector3& b, const Vector3& c) {
    const float area = TriangleArea(a, b, c);
    if (Collinear(a, b, c) || area <= 0)
        return kNoCircle;
    const auto ab = static_cast<float>(Length(a, b));
    const auto bc = static_cast<float>(Length(b, c));
    const auto ca = static_cast<float>(Length(c, a));
    return ab * bc * ca / (4 * area);
}

Vector3 TriangleCircumcenter(const Vector3& a, const Vector3& b, const Vector3& c) {
    const float area = TriangleArea(a, b, c);
    if (Collinear(a, b, c) || area <= 0)
        return {kNoCircle, kNoCircle, kNoCircle};
    const Vector3 u = common::VecSubtract(b, a);
    const Vector3 v = common::VecSubtract(c, b);
    const Vector3 w = common::VecSubtract(a, c);
    const float k = common::VecDot(u, v) / (8 * area * area);
    const Vector3 mid = common::VecScale(common::VecAdd(a, c), 0.5F);
    return common::VecAdd(mid, common::VecScale(common::VecCross(w, common::VecCross(u, v)), k));
}

DelaunayMesh BuildDelaunayMesh(const std::vector<float>& first, const std::vector<float>& second,
                               const std::vector<float>& third) {
    DelaunayMesh mesh;
    const std::size_t count = std::min({first.size(), second.size(), third.size()});
    mesh.Vertices.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        mesh.Vertices.push_back(common::MakeVector(second[i], first[i], third[i]));
    mesh.Triangles = Triangulate(mesh.Vertices);
    return mesh;
}

} // namespace viewer
