#include "platform/gl/GlDrawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <vector>

namespace plat {
namespace {

using common::VecAdd;
using common::VecCross;
using common::VecNormalize;
using common::VecScale;
using common::VecSubtract;

constexpr float OutlineOffset = 0.1F;

// The normal at `vertex` between its neighbours in emission order.
Vector3 VertexNormal(const Vector3& previous, const Vector3& vertex, const Vector3& next) {
    return VecNormalize(VecCross(VecSubtract(previous, vertex), VecSubtract(next, vertex)));
}

// The material array of a colour number &HRRGGBB, with `fourth` as its last value.
std::array<float, 4> MaterialOf(std::int32_t colour, float fourth) {
    const auto part = [colour](std::int32_t mask) {
        return static_cast<float>(static_cast<double>(colour & mask) / static_cast<double>(mask));
    };
    return {part(0xFF0000), part(0xFF00), part(0xFF), fourth};
}

void Vertex(const Vector3& normal, const Vector3& p) {
    glNormal3f(normal.X, normal.Y, normal.Z);
    glVertex3f(p.X, p.Y, p.Z);
}

// Moves p along `normal` by the outline offset, keeps the moved corner and sends it.
template <class Emit> void OutlineVertex(const Vector3& normal, Vector3& p, Emit&& emit) {
    p = VecAdd(p, VecScale(normal, OutlineOffset));
    emit(normal, p);
}

// The quad's corners in emission order, each with its neighbours (cyclic in that order).
struct QuadCorners {
    std::array<Vector3*, 4> order;
    Vector3 Normal(int i) const { return VertexNormal(*order[(i + 3) % 4], *order[i], *order[(i + 1) % 4]); }
};

// The outline strip's vertices in order; each normal is taken after the corners before it moved.
template <class Emit> void QuadOutline(QuadCorners& quad, Emit&& emit) {
    for (int i = 0; i < 4; ++i) {
        OutlineVertex(quad.Normal(i), *quad.order[i], emit);
    }
}

void QuadOutline(QuadCorners& quad) {
    glBegin(GL_LINE_STRIP);
    QuadOutline(quad, Vertex);
    glEnd();
}

void BeginColourMaterial() {
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void OutlineStyle() {
    glLineWidth(2.0F);
    glColor3f(0.1F, 0.1F, 0.1F);
}

// A quad's fill: its corners in emission order, each with its own colour and vertex normal.
void QuadFill(const std::array<const Vector3*, 4>& order, const std::array<const Vector3*, 4>& colours) {
    for (std::size_t i = 0; i < 4; ++i) {
        glColor3f(colours[i]->X, colours[i]->Y, colours[i]->Z);
        Vertex(VertexNormal(*order[(i + 3) % 4], *order[i], *order[(i + 1) % 4]), *order[i]);
    }
}

Vector3 TriangleNormal(const Vector3& p0, const Vector3& p1, const Vector3& p2) {
    return VecNormalize(VecCross(VecSubtract(p0, p1), VecSubtract(p1, p2)));
}

template <class Emit> void TriangleOutline(Vector3& p0, Vector3& p1, Vector3& p2, Emit&& emit) {
    for (Vector3* corner : {&p2, &p1, &p0}) {
        OutlineVertex(TriangleNormal(p0, p1, p2), *corner, emit);
    }
}

// Sends one vertex with its colour and normal.
void Immediate(const Vector3& colour, const Vector3& normal, const Vector3& p) {
    glColor3f(colour.X, colour.Y, colour.Z);
    Vertex(normal, p);
}

// Vertices with their normals, and colours unless all take the current one, gathered for OpenGL
// 1.1's vertex arrays, drawn by one call (inside a display list the list keeps a copy).
class VertexArrays {
public:
    explicit VertexArrays(std::size_t vertices) {
        points_.reserve(3 * vertices);
        normals_.reserve(3 * vertices);
    }
    void operator()(const Vector3& colour, const Vector3& normal, const Vector3& p) {
        colours_.insert(colours_.end(), {colour.X, colour.Y, colour.Z});
        (*this)(normal, p);
    }
    void operator()(const Vector3& normal, const Vector3& p) {
        normals_.insert(normals_.end(), {normal.X, normal.Y, normal.Z});
        points_.insert(points_.end(), {p.X, p.Y, p.Z});
    }
    void Draw(GLenum mode) const {
        if (points_.empty()) {
            return;
        }
        const bool coloured = !colours_.empty();
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, points_.data());
        glNormalPointer(GL_FLOAT, 0, normals_.data());
        if (coloured) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(3, GL_FLOAT, 0, colours_.data());
        }
        glDrawArrays(mode, 0, static_cast<GLsizei>(points_.size() / 3));
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        // The arrays leave the current colour and normal undefined; they are left as the last
        // vertex's, as sending the vertices one by one leaves them.
        const std::size_t last = points_.size() - 3;
        if (coloured) {
            glColor3f(colours_[last], colours_[last + 1], colours_[last + 2]);
        }
        glNormal3f(normals_[last], normals_[last + 1], normals_[last + 2]);
    }

private:
    std::vector<float> points_;
    std::vector<float> normals_;
    std::vector<float> colours_;
};

// One line strip's vertices as separate segments, so that many strips go in one GL_LINES draw.
class StripSegments {
public:
    explicit StripSegments(VertexArrays& lines) : lines_(lines) {}
    void operator()(const Vector3& normal, const Vector3& p) {
        if (started_) {
            lines_(lastNormal_, last_);
            lines_(normal, p);
        }
        started_ = true;
        lastNormal_ = normal;
        last_ = p;
    }

private:
    VertexArrays& lines_;
    bool started_ = false;
    Vector3 lastNormal_;
    Vector3 last_;
};

// The outlines in one GL_LINES draw, in the outline style, after the fills.
template <class Shape, class Outline>
void DrawOutlines(std::span<const Shape> shapes, int segments, Outline&& outline) {
    VertexArrays lines(2 * static_cast<std::size_t>(segments) * shapes.size());
    for (Shape shape : shapes) {
        StripSegments strip(lines);
        outline(shape, strip);
    }
    OutlineStyle();
    lines.Draw(GL_LINES);
}

// A triangle's fill: p1, p2, p0 with their colours, each with the face normal.
template <class Emit>
void TriangleFill(const Vector3& p0, const Vector3& p1, const Vector3& p2, const Vector3& c0,
                  const Vector3& c1, const Vector3& c2, Emit&& emit) {
    const Vector3 normal = TriangleNormal(p0, p1, p2);
    emit(c1, normal, p1);
    emit(c2, normal, p2);
    emit(c0, normal, p0);
}

} // namespace

void DrawGLQuadFace(Vector3& p0, Vector3& p1, Vector3& p2, Vector3& p3, std::int32_t fill,
                    std::int32_t outline, float& nx, float& ny, float& nz) {
    QuadCorners quad{{&p3, &p2, &p1, &p0}};
    glEnable(GL_BLEND);

    const std::array<float, 4> fillMaterial = MaterialOf(fill, 0.1F);
    glMaterialfv(GL_FRONT, GL_AMBIENT, fillMaterial.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, fillMaterial.data());
    glMaterialf(GL_FRONT, GL_SHININESS, 0.5F);
    BeginColourMaterial();
    glBegin(GL_QUADS);
    Vector3 normal;
    for (int i = 0; i < 4; ++i) {
        normal = quad.Normal(i);
        glColor3f(fillMaterial[0], fillMaterial[1], fillMaterial[2]);
        Vertex(normal, *quad.order[i]);
    }
    glEnd();
    glDisable(GL_COLOR_MATERIAL);
    nx = normal.X;
    ny = normal.Y;
    nz = normal.Z;

    // The outline's material is set, but colour material (enabled again) takes ambient and diffuse
    // from the current colour, which is still the fill's.
    const std::array<float, 4> outlineMaterial = MaterialOf(outline, 0.5F);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, outlineMaterial.data());
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0F);
    BeginColourMaterial();
    QuadOutline(quad);
    glDisable(GL_COLOR_MATERIAL);

    glDisable(GL_BLEND);
}

void DrawGLQuad(Vector3& p0, Vector3& p1, Vector3& p2, Vector3& p3, const Vector3& c0, const Vector3& c1,
                const Vector3& c2, const Vector3& c3, std::uint8_t outline) {
    glEnable(GL_BLEND);
    BeginColourMaterial();
    glBegin(GL_QUADS);
    QuadFill({&p3, &p2, &p1, &p0}, {&c3, &c2, &c1, &c0});
    glEnd();
    if (outline == 1) {
        QuadCorners quad{{&p3, &p2, &p1, &p0}};
        OutlineStyle();
        QuadOutline(quad);
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

void DrawGLTriangle(Vector3& p0, Vector3& p1, Vector3& p2, const Vector3& c0, const Vector3& c1,
                    const Vector3& c2, std::uint8_t outline) {
    glEnable(GL_BLEND);
    BeginColourMaterial();
    glBegin(GL_TRIANGLES);
    TriangleFill(p0, p1, p2, c0, c1, c2, Immediate);
    glEnd();
    if (outline == 1) {
        OutlineStyle();
        glBegin(GL_LINE_STRIP);
        TriangleOutline(p0, p1, p2, Vertex);
        glEnd();
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

void DrawGLQuads(std::span<const CornerQuad> quads, std::uint8_t outline) {
    if (quads.empty()) {
        return;
    }
    glEnable(GL_BLEND);
    BeginColourMaterial();
    glBegin(GL_QUADS);
    for (const CornerQuad& q : quads) {
        QuadFill({&q.p[3], &q.p[2], &q.p[1], &q.p[0]}, {&q.c[3], &q.c[2], &q.c[1], &q.c[0]});
    }
    glEnd();
    if (outline == 1) {
        DrawOutlines(quads, 3, [](CornerQuad& q, StripSegments& strip) {
            QuadCorners corners{{&q.p[3], &q.p[2], &q.p[1], &q.p[0]}};
            QuadOutline(corners, strip);
        });
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

void DrawGLTriangles(std::span<const CornerTriangle> triangles, std::uint8_t outline) {
    if (triangles.empty()) {
        return;
    }
    VertexArrays fills(3 * triangles.size());
    for (const CornerTriangle& t : triangles) {
        TriangleFill(t.p[0], t.p[1], t.p[2], t.c[0], t.c[1], t.c[2], fills);
    }
    glEnable(GL_BLEND);
    BeginColourMaterial();
    fills.Draw(GL_TRIANGLES);
    if (outline == 1) {
        DrawOutlines(triangles, 2, [](CornerTriangle& t, StripSegments& strip) {
            TriangleOutline(t.p[0], t.p[1], t.p[2], strip);
        });
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

Vector3 UnProjectPoint(float x, float y, float& depth) {
    std::array<GLint, 4> viewport{};
    std::array<GLdouble, 16> modelview{};
    std::array<GLdouble, 16> projection{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    const double windowY = static_cast<double>(viewport[3]) - y;
    if (depth > 1.0F) {
        // Whole pixels, halves to even, as the window's rounding does.
        const double px = std::nearbyint(static_cast<double>(x));
        const double py = std::nearbyint(windowY);
        if (px >= viewport[0] && py >= viewport[1] && px < viewport[0] + viewport[2] &&
            py < viewport[1] + viewport[3]) {
            glReadPixels(static_cast<GLint>(px), static_cast<GLint>(py), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT,
                         &depth);
        }
    }
    GLdouble wx = 0;
    GLdouble wy = 0;
    GLdouble wz = 0;
    gluUnProject(x, windowY, depth, modelview.data(), projection.data(), viewport.data(), &wx, &wy, &wz);
    return {static_cast<float>(wx), static_cast<float>(wy), static_cast<float>(wz)};
}

} // namespace plat
