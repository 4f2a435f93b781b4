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
// a point outside the hull finds its cavity like any other. Points come in a biased randomised
// order whose rounds follow a Hilbert curve, and each is located by walking from the triangle made
// last: near-linear walks, O(n log n) expected work.
class Builder {
public:
    explicit Builder(std::vector<Point2> points)
        : p_(std::move(points)), infinite_(static_cast<int>(p_.size())) {}

    // Triangles as index triples into the points, counter-clockwise; none when the points are
    // collinear or fewer than three.
    std::vector<MeshTriangle> Run();

private:
    struct Tri {
        int v[3];
        int nb[3]; // nb[i] lies across the edge opposite v[i]
    };

    bool IsGhost(const Tri& t) const {
        return t.v[0] == infinite_ || t.v[1] == infinite_ || t.v[2] == infinite_;
    }
    bool Conflicts(int t, const Point2& q) const;
    int Locate(const Point2& q);
    void Insert(int index);
    int NewTri(int a, int b, int c);
    void LinkAcross(int t, int u, int w, int outer);
    std::vector<int> InsertionOrder() const;

    std::vector<Point2> p_;
    int infinite_;
    std::vector<Tri> tris_;
    std::vector<char> alive_;
    std::vector<int> free_;
    std::vector<unsigned> stamp_;
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
        alive_.push_back(0);
        stamp_.push_back(0);
    }
    tris_[t] = Tri{{a, b, c}, {-1, -1, -1}};
    alive_[t] = 1;
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
    stamp_[start] = 2 * round_;
    // Cavity triangles carry the stamp 2·round, triangles found outside it 2·round + 1.
    for (std::size_t i = 0; i < cavity_.size(); ++i) {
        const int t = cavity_[i];
        for (int e = 0; e < 3; ++e) {
            const int n = tris_[t].nb[e];
            if (stamp_[n] == 2 * round_)
                continue;
            if (stamp_[n] != 2 * round_ + 1 && Conflicts(n, q)) {
                stamp_[n] = 2 * round_;
                cavity_.push_back(n);
                continue;
            }
            stamp_[n] = 2 * round_ + 1;
            boundary_.push_back({tris_[t].v[(e + 1) % 3], tris_[t].v[(e + 2) % 3], n, -1});
        }
    }
    for (const int t : cavity_) {
        alive_[t] = 0;
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
std::uint64_t HilbertKey(double x, double y, double xMin, double yMin, double xSpan, double ySpan) {
    constexpr std::uint32_t kSide = 1U << 16;
    const auto cell = [](double v, double lo, double span) {
        const double f = span > 0 ? (v - lo) / span : 0.0;
        return static_cast<std::uint32_t>(std::clamp(f * (kSide - 1), 0.0, double(kSide - 1)));
    };
    std::uint32_t cx = cell(x, xMin, xSpan);
    std::uint32_t cy = cell(y, yMin, ySpan);
    std::uint64_t key = 0;
    for (std::uint32_t s = kSide / 2; s > 0; s /= 2) {
        const std::uint32_t rx = (cx & s) ? 1 : 0;
        const std::uint32_t ry = (cy & s) ? 1 : 0;
        key += static_cast<std::uint64_t>(s) * s * ((3 * rx) ^ ry);
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

// Rounds of doubling size, each in Hilbert order (a biased randomised insertion order).
std::vector<int> Builder::InsertionOrder() const {
    const int n = infinite_;
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 shuffle(20261210);
    std::shuffle(order.begin(), order.end(), shuffle);
    double xMin = p_[0].x;
    double xMax = xMin;
    double yMin = p_[0].y;
    double yMax = yMin;
    for (const Point2& q : p_) {
        xMin = std::min(xMin, q.x);
        xMax = std::max(xMax, q.x);
        yMin = std::min(yMin, q.y);
        yMax = std::max(yMax, q.y);
    }
    std::vector<std::uint64_t> key(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        key[i] = HilbertKey(p_[i].x, p_[i].y, xMin, yMin, xMax - xMin, yMax - yMin);
    std::size_t end = order.size();
    while (end > 0) {
        const std::size_t begin = end < 64 ? 0 : end / 2;
        std::sort(order.begin() + static_cast<std::ptrdiff_t>(begin), order.begin() + static_cast<std::ptrdiff_t>(end),
                  [&](int a, int b) { return key[a] < key[b]; });
        end = begin;
    }
    return order;
}

std::vector<MeshTriangle> Builder::Run() {
    if (p_.size() < 3)
        return {};
    const std::vector<int> order = InsertionOrder();
    const int a = order[0];
    const int b = order[1];
    std::size_t third = 2;
    while (third < order.size() && Orient2D(p_[a], p_[b], p_[order[third]]) == 0)
        ++third;
    if (third == order.size())
        return {};
    int c = order[third];
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
    for (std::size_t i = 2; i < order.size(); ++i) {
        if (i != third)
            Insert(order[i]);
    }
    std::vector<MeshTriangle> result;
    result.reserve(tris_.size() / 2);
    for (std::size_t t = 0; t < tris_.size(); ++t) {
        if (alive_[t] && !IsGhost(tris_[t]))
            result.push_back({tris_[t].v[0], tris_[t].v[1], tris_[t].v[2]});
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
    // Distinct finite points, the first of coincident ones kept.
    std::vector<int> byPlace;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (std::isfinite(vertices[i].X) && std::isfinite(vertices[i].Y))
            byPlace.push_back(static_cast<int>(i));
    }
    std::stable_sort(byPlace.begin(), byPlace.end(), [&](int a, int b) {
        return vertices[a].X != vertices[b].X ? vertices[a].X < vertices[b].X : vertices[a].Y < vertices[b].Y;
    });
    std::vector<int> original;
    std::vector<Point2> points;
    for (std::size_t i = 0; i < byPlace.size(); ++i) {
        const Vector3& v = vertices[byPlace[i]];
        if (i > 0 && v.X == vertices[byPlace[i - 1]].X && v.Y == vertices[byPlace[i - 1]].Y)
            continue;
        original.push_back(byPlace[i]);
        points.push_back({v.X, v.Y});
    }
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
