#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "platform/gl/GlDrawing.h"
#include "platform/gl/GlSurface.h"

namespace {

using common::Vector3;
using plat::GlSurface;

double Distance(const Vector3& a, const Vector3& b) {
    const double dx = static_cast<double>(a.X) - b.X;
    const double dy = static_cast<double>(a.Y) - b.Y;
    const double dz = static_cast<double>(a.Z) - b.Z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

class GlDrawing : public ::testing::Test {
protected:
    static constexpr int W = 64;
    static constexpr int H = 48;
    void SetUp() override {
        ASSERT_TRUE(surface_.Create(W, H));
        glViewport(0, 0, W, H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    GlSurface surface_;
};

// The unit square in the plane z = 0, counter-clockwise seen from +z: every outline corner moves
// 0.1 towards +z (the first one sent, p3, exactly; the later ones along normals that lean slightly,
// being taken between corners already moved), and the drawing leaves no state switched on.
TEST_F(GlDrawing, OutlineMovesCornersOneTenthAlongTheirNormalsAndWritesThemBack) {
    const std::array<Vector3, 4> square{{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}};
    const Vector3 grey{0.5F, 0.5F, 0.5F};
    for (const std::uint8_t outline : {std::uint8_t{0}, std::uint8_t{1}}) {
        std::array<Vector3, 4> p = square;
        plat::DrawGLQuad(p[0], p[1], p[2], p[3], grey, grey, grey, grey, outline);
        for (int i = 0; i < 4; ++i) {
            if (outline == 0) {
                EXPECT_EQ(p[i], square[i]);
            } else {
                EXPECT_NEAR(Distance(p[i], square[i]), 0.1, 1e-6) << i;
                EXPECT_GT((p[i].Z - square[i].Z) / 0.1, 0.99) << i;
            }
        }
        if (outline == 1) {
            EXPECT_EQ(p[3], (Vector3{0, 1, 0.1F}));
        }
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    }

    std::array<Vector3, 3> t{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}};
    plat::DrawGLTriangle(t[0], t[1], t[2], grey, grey, grey, 1);
    // The face normal (p0 - p1) x (p1 - p2) of this triangle is +z; p2 is sent first.
    EXPECT_EQ(t[2], (Vector3{0, 1, 0.1F}));
    EXPECT_NEAR(Distance(t[1], {1, 0, 0}), 0.1, 1e-6);
    EXPECT_NEAR(Distance(t[0], {0, 0, 0}), 0.1, 1e-6);
    EXPECT_GT(t[1].Z, 0.099F);
    EXPECT_GT(t[0].Z, 0.099F);

    std::array<Vector3, 4> f = square;
    float nx = 9;
    float ny = 9;
    float nz = 9;
    plat::DrawGLQuadFace(f[0], f[1], f[2], f[3], 0xFF0000, 0x00FF00, nx, ny, nz);
    EXPECT_EQ((Vector3{nx, ny, nz}), (Vector3{0, 0, 1}));
    EXPECT_EQ(f[3], (Vector3{0, 1, 0.1F}));
    EXPECT_NEAR(Distance(f[0], square[0]), 0.1, 1e-6);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
}

// With identity matrices window depth d is NDC z = 2d - 1, so the world z tells which depth was used.
TEST_F(GlDrawing, UnProjectPointReadsTheDepthBufferOnlyAboveOneAndInsideTheSurface) {
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    struct Case {
        float x;
        float y;
        float depth;
        float depthAfter;
        float worldZ;
    };
    const std::array<Case, 4> cases{{
        {32, 24, 2.0F, 0.25F, -0.5F}, // read back
        {32, 24, 0.5F, 0.5F, 0.0F},   // used as given
        {32, 24, 1.0F, 1.0F, 1.0F},   // 1 is not above 1
        {-40, 24, 2.0F, 2.0F, 3.0F},  // outside: nothing read
    }};
    for (const Case& c : cases) {
        float depth = c.depth;
        const Vector3 p = plat::UnProjectPoint(c.x, c.y, depth);
        EXPECT_NEAR(depth, c.depthAfter, 1e-4) << c.x << " " << c.depth;
        EXPECT_NEAR(p.Z, c.worldZ, 2e-4) << c.x << " " << c.depth;
        EXPECT_NEAR(p.X, (c.x + 0.0) / (W / 2.0) - 1.0, 1e-5);
        EXPECT_NEAR(p.Y, (H - c.y) / (H / 2.0) - 1.0, 1e-5);
    }
}

// libGLU's own projection of a world point, unprojected by UnProjectPoint with y measured downward,
// gives the point back. The depth travels as single precision, so far away the allowance grows by
// the ground that half a single-precision step of depth spans there (found with gluUnProject).
TEST_F(GlDrawing, UnProjectPointInvertsGluProject) {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(35.0, static_cast<double>(W) / H, 10.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    const Vector3 eye{-1000, 0, 150};
    gluLookAt(eye.X, eye.Y, eye.Z, 0, 0, 0, 0, 0, 1);
    std::array<GLint, 4> vp{};
    std::array<GLdouble, 16> mv{};
    std::array<GLdouble, 16> pr{};
    glGetIntegerv(GL_VIEWPORT, vp.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, mv.data());
    glGetDoublev(GL_PROJECTION_MATRIX, pr.data());
    const double toTarget = std::hypot(1000.0, 150.0);
    for (const double distance : {20.0, 100.0, 1000.0, 4000.0, 9000.0}) {
        for (const double side : {-0.1, 0.0, 0.15}) {
            const double f = distance / toTarget;
            const Vector3 p{static_cast<float>(eye.X + f * 1000.0), static_cast<float>(side * distance),
                            static_cast<float>(eye.Z - f * 150.0)};
            GLdouble x = 0;
            GLdouble y = 0;
            GLdouble z = 0;
            ASSERT_EQ(gluProject(p.X, p.Y, p.Z, mv.data(), pr.data(), vp.data(), &x, &y, &z), GL_TRUE);
            float depth = static_cast<float>(z);
            const Vector3 back =
                plat::UnProjectPoint(static_cast<float>(x), static_cast<float>(H - y), depth);
            const double step = std::nextafter(depth, 2.0F) - depth;
            std::array<GLdouble, 3> a{};
            std::array<GLdouble, 3> b{};
            gluUnProject(x, y, z - step / 2, mv.data(), pr.data(), vp.data(), &a[0], &a[1], &a[2]);
            gluUnProject(x, y, z + step / 2, mv.data(), pr.data(), vp.data(), &b[0], &b[1], &b[2]);
            const double depthSpan = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]) / 2;
            const double allowance = 1e-3 + depthSpan + 2 * std::numeric_limits<float>::epsilon() * distance;
            EXPECT_LE(Distance(back, p), allowance) << distance << " " << side;
        }
    }
}

} // namespace
