#include "platform/gl/GlDrawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>

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
void OutlineVertex(const Vector3& normal, Vector3& p) {
    p = VecAdd(p, VecScale(normal, OutlineOffset));
    Vertex(normal, p);
}

// The quad's corners in emission order, each with its neighbours (cyclic in that order).
struct QuadCorners {
    std::array<Vector3*, 4> order;
    Vector3 Normal(int i) const { return VertexNormal(*order[(i + 3) % 4], *order[i], *order[(i + 1) % 4]); }
};

void QuadOutline(QuadCorners& quad) {
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < 4; ++i) {
        OutlineVertex(quad.Normal(i), *quad.order[i]);
    }
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

// A triangle's fill: p1, p2, p0 with their colours, each with the face normal.
void TriangleFill(const Vector3& p0, const Vector3& p1, const Vector3& p2, const Vector3& c0,
                  const Vector3& c1, const Vector3& c2) {
    const Vector3 normal = TriangleNormal(p0, p1, p2);
    glColor3f(c1.X, c1.Y, c1.Z);
    Vertex(normal, p1);
    glColor3f(c2.X, c2.Y, c2.Z);
    Vertex(normal, p2);
    glColor3f(c0.X, c0.Y, c0.Z);
    Vertex(normal, p0);
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
    TriangleFill(p0, p1, p2, c0, c1, c2);
    glEnd();
    if (outline == 1) {
        OutlineStyle();
        glBegin(GL_LINE_STRIP);
        for (Vector3* corner : {&p2, &p1, &p0}) {
            OutlineVertex(TriangleNormal(p0, p1, p2), *corner);
        }
        glEnd();
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

void DrawGLQuads(std::span<const CornerQuad> quads) {
    glEnable(GL_BLEND);
    BeginColourMaterial();
    glBegin(GL_QUADS);
    for (const CornerQuad& q : quads) {
        QuadFill({&q.p[3], &q.p[2], &q.p[1], &q.p[0]}, {&q.c[3], &q.c[2], &q.c[1], &q.c[0]});
    }
    glEnd();
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
}

void DrawGLTriangles(std::span<const CornerTriangle> triangles) {
    glEnable(GL_BLEND);
    BeginColourMaterial();
    glBegin(GL_TRIANGLES);
    for (const CornerTriangle& t : triangles) {
        TriangleFill(t.p[0], t.p[1], t.p[2], t.c[0], t.c[1], t.c[2]);
    }
    glEnd();
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
