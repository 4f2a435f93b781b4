#include "viewer/ui/scene/GlScene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <vector>

#include "platform/gl/GlDrawing.h"
#include "platform/gl/GlSurface.h"
#include "viewer/logic/Camera.h"
#include "viewer/logic/SceneGeometry.h"

namespace viewer {
namespace {

using common::Vector3;

constexpr float kGridExtent = 10000;
constexpr int kGridStep = 500;

void Segment(const Vector3& a, const Vector3& b) {
    glVertex3f(a.X, a.Y, a.Z);
    glVertex3f(b.X, b.Y, b.Z);
}

void SetUpCameraAndLight(const GlSceneInput& in, int width, int height) {
    glEnable(GL_DITHER);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, static_cast<double>(width) / height, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Camera camera;
    camera.Eye = in.Eye;
    camera.Target = in.Target;
    const LookAt look = ViewLookAt(camera, in.LateralAngle, in.ElevationAngle);
    gluLookAt(look.Eye.X, look.Eye.Y, look.Eye.Z, look.Centre.X, look.Centre.Y, look.Centre.Z, look.Up.X,
              look.Up.Y, look.Up.Z);
    glClearColor(0.0F, 0.8F, 1.0F, 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const std::array<float, 4> white{1, 1, 1, 1};
    const std::array<float, 4> position{30, 30, 150, 0};
    const std::array<float, 3> spotDirection{0, 0, -1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, white.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, white.data());
    glLightfv(GL_LIGHT0, GL_POSITION, position.data());
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, spotDirection.data());
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 90.0F);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void DrawArray(const GlSceneInput& in) {
    const ArrayLayout& a = in.Array;
    glEnable(GL_COLOR_MATERIAL);
    glLineWidth(3.0F);
    glBegin(GL_LINES);
    glColor3f(1, 0, 0);
    glNormal3f(0, 1, 0);
    const float top = a.Count >= 1 ? a.Heights[static_cast<std::size_t>(a.Count - 1)] : 0.0F;
    Segment({a.MastX, a.MastY, 0}, {a.MastX, a.MastY, 1.1F * top * in.ZScale});
    for (int i = 0; i < a.Count; ++i) {
        const float h = a.Heights[static_cast<std::size_t>(i)] * in.ZScale;
        Segment({a.MastX, a.MastY + 10, h}, {a.MastX, a.MastY - 10, h});
    }
    glEnd();
    glLineWidth(1.0F);
    glBegin(GL_LINES);
    glColor3f(1.0F, 0.4F, 0.4F);
    Segment({a.MastX, a.MastY, -100 * in.ZScale}, {a.MastX, a.MastY, 100 * in.ZScale});
    glEnd();
}

std::uint8_t OutlineOf(const GlSceneInput& in) {
    return in.Show.ShowTerrainLines ? 1 : 0;
}

void DrawProfileGround(const GlSceneInput& in, const GroundNodes& nodes) {
    const float w = in.SideView ? 50.0F : 500.0F;
    std::vector<plat::CornerQuad> quads;
    for (int i = 0; i + 1 < nodes.CutCount && i + 1 < nodes.NodeCount(); ++i) {
        const auto at = [&](int k) { return static_cast<std::size_t>(k); };
        const float y0 = -nodes.NodeY[at(i)];
        const float y1 = -nodes.NodeY[at(i + 1)];
        const float z0 = nodes.NodeZ[at(i)] * in.ZScale;
        const float z1 = nodes.NodeZ[at(i + 1)] * in.ZScale;
        const Vector3 c0 = ElevationColor(nodes.NodeZ[at(i)], in.ColorScale);
        const Vector3 c1 = ElevationColor(nodes.NodeZ[at(i + 1)], in.ColorScale);
        quads.push_back({{{{y0, w, z0}, {y1, w, z1}, {y1, -w, z1}, {y0, -w, z0}}}, {c0, c1, c1, c0}});
    }
    plat::DrawGLQuads(quads, OutlineOf(in));
}

void DrawCutGround(const GlSceneInput& in, const GroundNodes& nodes) {
    std::vector<plat::CornerQuad> quads;
    for (const std::array<int, 4>& quad : TerrainQuads(nodes)) {
        plat::CornerQuad& q = quads.emplace_back();
        for (std::size_t k = 0; k < 4; ++k) {
            const auto n = static_cast<std::size_t>(quad[k]);
            q.p[k] = {in.Array.MastX + nodes.NodeY[n], -nodes.NodeX[n], in.ZScale * nodes.NodeZ[n]};
            q.c[k] = ElevationColor(nodes.NodeZ[n], in.ColorScale);
        }
    }
    plat::DrawGLQuads(quads, OutlineOf(in));
}

void DrawMeshGround(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh) {
    const DelaunayMesh& m = mesh.For(nodes);
    const Vector3 origin{in.Array.MastX, 0, 0};
    std::vector<plat::CornerTriangle> triangles;
    triangles.reserve(m.Triangles.size());
    for (const MeshTriangle& t : m.Triangles) {
        const std::array<Vector3, 3> v{m.Vertices[static_cast<std::size_t>(t.First)],
                                       m.Vertices[static_cast<std::size_t>(t.Second)],
                                       m.Vertices[static_cast<std::size_t>(t.Third)]};
        plat::CornerTriangle& tri = triangles.emplace_back();
        for (std::size_t k = 0; k < 3; ++k) {
            tri.p[k] = {in.Array.MastX + v[k].X, -v[k].Y, in.ZScale * v[k].Z};
            tri.c[k] = ElevationColor(v[k].Z, in.ColorScale);
        }
        if (in.Show.ShowRunway &&
            TriangleInRunway(v[0], v[1], v[2], origin, in.RunwayLength, in.RunwayWidth) == 1) {
            tri.c[0] = {0, 0, 0};
        }
    }
    plat::DrawGLTriangles(triangles, OutlineOf(in));
}

// The top face and the four sides of the runway, each in colour number 0. The corners run
// counter-clockwise seen from above, so every face's normal points out of the slab.
void DrawRunway(const GlSceneInput& in) {
    const float halfW = in.RunwayWidth / 2;
    const float top = in.ThresholdElevation * in.ZScale;
    const float bottom = (in.ThresholdElevation - 0.5F) * in.ZScale;
    const std::array<Vector3, 4> corners{{
        {-in.RunwayLength, -halfW, top},
        {0, -halfW, top},
        {0, halfW, top},
        {-in.RunwayLength, halfW, top},
    }};
    float nx = 0;
    float ny = 0;
    float nz = 0;
    glLineWidth(1.0F);
    std::array<Vector3, 4> face = corners;
    plat::DrawGLQuadFace(face[0], face[1], face[2], face[3], 0, 0, nx, ny, nz);
    for (std::size_t k = 0; k < 4; ++k) {
        const Vector3& a = corners[k];
        const Vector3& b = corners[(k + 1) % 4];
        Vector3 q0 = a;
        Vector3 q1{a.X, a.Y, bottom};
        Vector3 q2{b.X, b.Y, bottom};
        Vector3 q3 = b;
        plat::DrawGLQuadFace(q0, q1, q2, q3, 0, 0, nx, ny, nz);
    }
}

void ColourOf(int c) {
    if (c == 0) {
        glColor3f(1, 0, 1);
    } else {
        glColor3f(0.4F, 0.4F, 0.4F);
    }
}

void GreyAxis(const Vector3& a, const Vector3& b) {
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_LINES);
    glColor3f(0.5F, 0.5F, 0.5F);
    glNormal3f(0, 1, 0);
    Segment(a, b);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

void DrawGroundGrid() {
    glEnable(GL_BLEND);
    glLineWidth(1.0F);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
    glEnable(GL_COLOR_MATERIAL);
    glBegin(GL_LINES);
    glNormal3f(0, 0, 1);
    for (int c = -10000; c <= 10000; c += kGridStep) {
        const auto f = static_cast<float>(c);
        ColourOf(c);
        Segment({f, kGridExtent, 0}, {f, -kGridExtent, 0});
        Segment({-kGridExtent, f, 0}, {kGridExtent, f, 0});
    }
    glEnd();
    GreyAxis({0, -kGridExtent, 0}, {0, kGridExtent, 0});
    GreyAxis({-kGridExtent, 0, 0}, {kGridExtent, 0, 0});
}

void DrawElevationGrid(float zScale) {
    glLineWidth(1.0F);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
    glEnable(GL_COLOR_MATERIAL);
    glBegin(GL_LINES);
    for (int x = -10000; x <= 10000; x += kGridStep) {
        ColourOf(x);
        const auto f = static_cast<float>(x);
        Segment({f, 0, 1000 * zScale}, {f, 0, -1000 * zScale});
    }
    for (int h = -1000; h <= 1000; h += 50) {
        ColourOf(h);
        const float z = static_cast<float>(h) * zScale;
        Segment({-kGridExtent, 0, z}, {kGridExtent, 0, z});
    }
    glEnd();
    GreyAxis({0, 0, -kGridExtent}, {0, 0, kGridExtent});
}

// Everything after the camera and the light, up to the flush.
void DrawContent(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh) {
    if (in.Show.ShowArray) {
        DrawArray(in);
    }
    if (!in.ThreeDSource) {
        DrawProfileGround(in, nodes);
    } else if (!in.Show.ExpandMesh) {
        DrawCutGround(in, nodes);
    } else {
        DrawMeshGround(in, nodes, mesh);
    }
    if (in.Show.ShowRunway) {
        DrawRunway(in);
    }
    if (in.Show.ShowGrids) {
        DrawGroundGrid();
    }
    if (in.Show.ShowElevGrid) {
        DrawElevationGrid(in.ZScale);
    }
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT);
    glEnable(GL_COLOR_MATERIAL);
    glColor3f(1, 0, 0);
}

bool SameArray(const ArrayLayout& a, const ArrayLayout& b) {
    return a.MastX == b.MastX && a.MastY == b.MastY && a.Count == b.Count && a.Heights == b.Heights;
}

// Whether two inputs draw the same content (the camera aside).
bool SameContent(const GlSceneInput& a, const GlSceneInput& b) {
    return a.Show == b.Show && a.SideView == b.SideView && a.ThreeDSource == b.ThreeDSource &&
           a.ZScale == b.ZScale && a.ColorScale == b.ColorScale &&
           a.ThresholdElevation == b.ThresholdElevation && SameArray(a.Array, b.Array) &&
           a.RunwayLength == b.RunwayLength && a.RunwayWidth == b.RunwayWidth;
}

} // namespace

void DrawGLScene(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh, int width, int height) {
    SetUpCameraAndLight(in, width, height);
    DrawContent(in, nodes, mesh);
    glFlush();
}

void CompiledGlScene::Draw(const GlSceneInput& in, const GroundNodes& nodes, GroundMesh& mesh, int width,
                           int height) {
    SetUpCameraAndLight(in, width, height);
    // A list of another context (gone, or another surface's) is not this one's, even under its number.
    const void* context = plat::CurrentGlContext();
    if (context != context_ || (list_ != 0 && glIsList(list_) == GL_FALSE)) {
        context_ = context;
        list_ = 0;
    }
    if (list_ == 0 || !SameContent(in, content_.In) || nodes != content_.Nodes) {
        if (list_ == 0) {
            list_ = glGenLists(1);
        }
        if (list_ == 0) {
            // No list to be had: drawn as it comes.
            DrawContent(in, nodes, mesh);
            glFlush();
            return;
        }
        glNewList(list_, GL_COMPILE);
        DrawContent(in, nodes, mesh);
        glEndList();
        content_ = {in, nodes};
        ++compiles_;
    }
    glCallList(list_);
    glFlush();
}

} // namespace viewer
