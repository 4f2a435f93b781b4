#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/gl/GlDrawing.h"
#include "platform/gl/GlSurface.h"
#include "viewer/logic/SceneGeometry.h"
#include "viewer/ui/scene/GlScene.h"

namespace {

using common::Vector3;
using plat::Colour;
using plat::GetBValue;
using plat::GetGValue;
using plat::GetRValue;
using plat::RGB;
using viewer::GlSceneInput;
using viewer::GroundMesh;
using viewer::GroundNodes;

constexpr Colour kSky = RGB(0, 204, 255);
constexpr int W = 201;
constexpr int H = 151;

bool Near(Colour a, Colour b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// OpenGL 1.1's lighting of a vertex whose ambient and diffuse material is `c` (colour material),
// with black specular material, under the scene's light: model ambient 0.2, light ambient, diffuse
// and specular 1, directional from (30, 30, 150).
Colour Lit(const std::array<double, 3>& c, const std::array<double, 3>& normal) {
    const double length = std::sqrt(30.0 * 30 + 30 * 30 + 150 * 150);
    const double nl = std::max(0.0, (normal[0] * 30 + normal[1] * 30 + normal[2] * 150) / length);
    std::array<int, 3> out{};
    for (std::size_t k = 0; k < 3; ++k) {
        out[k] = static_cast<int>(std::lround(std::min(1.0, c[k] * (0.2 + 1.0 + nl)) * 255));
    }
    return RGB(out[0], out[1], out[2]);
}

// OpenGL 1.1's lighting of a vertex with the given ambient and diffuse material, black specular and
// emission, under the scene's light (white ambient, diffuse and specular, directional from
// (30, 30, 150)) and the default model ambient 0.2.
Colour LitWith(const std::array<double, 3>& ambient, const std::array<double, 3>& diffuse,
               const std::array<double, 3>& normal) {
    const double length = std::sqrt(30.0 * 30 + 30 * 30 + 150 * 150);
    const double nl = std::max(0.0, (normal[0] * 30 + normal[1] * 30 + normal[2] * 150) / length);
    std::array<int, 3> out{};
    for (std::size_t k = 0; k < 3; ++k) {
        out[k] =
            static_cast<int>(std::lround(std::min(1.0, ambient[k] * (0.2 + 1.0) + diffuse[k] * nl) * 255));
    }
    return RGB(out[0], out[1], out[2]);
}

class GlScene : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(surface_.Create(W, H)); }
    plat::PixelBuffer Draw(const GlSceneInput& in, const GroundNodes& nodes) {
        GroundMesh mesh;
        viewer::DrawGLScene(in, nodes, mesh, W, H);
        plat::PixelBuffer plotter(W, H, plat::PixelFormat::Bgrx32);
        EXPECT_TRUE(surface_.CopyTo(plotter));
        return plotter;
    }
    // Only what a test switches on is drawn.
    static GlSceneInput Bare() {
        GlSceneInput in;
        in.Show = {false, false, false, false, false, false, false};
        in.RunwayLength = 3000;
        in.RunwayWidth = 150;
        return in;
    }
    plat::GlSurface surface_;
};

// Cuts across the approach from x = 10 ft beyond the threshold to 5000 ft, each from 3000 ft left
// to 3000 ft right, all at elevation 0.
GroundNodes FlatGroundBeyondThreshold() {
    GroundNodes nodes;
    for (int j = 0; j <= 10; ++j) {
        for (int i = 0; i <= 6; ++i) {
            nodes.NodeX.push_back(static_cast<float>(-3000 + 1000 * i));
            nodes.NodeY.push_back(j == 0 ? 10.0F : static_cast<float>(500 * j));
            nodes.NodeZ.push_back(0);
            nodes.NodeCut.push_back(j + 1);
        }
        nodes.CutNodeCount.push_back(7);
    }
    nodes.CutCount = 12;
    return nodes;
}

int BlackRunAround(const plat::PixelBuffer& p, int y) {
    int left = W / 2;
    int right = W / 2;
    while (left > 0 && p.Pixel(left - 1, y) == RGB(0, 0, 0)) {
        --left;
    }
    while (right < W - 1 && p.Pixel(right + 1, y) == RGB(0, 0, 0)) {
        ++right;
    }
    return p.Pixel(W / 2, y) == RGB(0, 0, 0) ? right - left + 1 : 0;
}

// The scene of `in` over no nodes (for the tests here: its camera and light) in a fresh context,
// then what `draw` draws.
plat::PixelBuffer FreshPicture(const GlSceneInput& in, const std::function<void()>& draw) {
    plat::GlSurface fresh;
    EXPECT_TRUE(fresh.Create(W, H));
    GroundMesh mesh;
    viewer::DrawGLScene(in, GroundNodes{}, mesh, W, H);
    draw();
    plat::PixelBuffer plotter(W, H, plat::PixelFormat::Bgrx32);
    EXPECT_TRUE(fresh.CopyTo(plotter));
    return plotter;
}

TEST_F(GlScene, FreeViewOverTheRunwayShowsSkyRunwayAndLitTerrain) {
    GlSceneInput in = Bare();
    in.Show.ShowRunway = true;
    in.ThreeDSource = true;
    in.Eye = {-1000, 0, 150};
    in.Target = {0, 0, 0};
    const plat::PixelBuffer p = Draw(in, FlatGroundBeyondThreshold());

    for (int y = 0; y < H / 4; ++y) {
        for (int x = 0; x < W; ++x) {
            ASSERT_EQ(p.Pixel(x, y), kSky) << x << "," << y;
        }
    }
    // The runway: black from the bottom centre up to the threshold at the centre, narrowing upwards.
    const int nearRow = BlackRunAround(p, H - 2);
    const int farRow = BlackRunAround(p, H / 2 + 8);
    EXPECT_GT(nearRow, 0);
    EXPECT_GT(farRow, 0);
    EXPECT_GT(nearRow, farRow);
    EXPECT_LT(nearRow, W);
    EXPECT_EQ(p.Pixel(W / 2, H / 2 - 3), Lit({0.235, 0.702, 0.443}, {0, 0, 1}))
        << "terrain just beyond the threshold";
    // Beside the runway, before the terrain begins, nothing is drawn.
    EXPECT_EQ(p.Pixel(2, H - 2), kSky);
    // The terrain band above the centre is neither sky nor runway.
    for (int y = H / 2 - 20; y < H / 2 - 2; ++y) {
        const Colour c = p.Pixel(W / 2, y);
        EXPECT_TRUE(Near(c, Lit({0.235, 0.702, 0.443}, {0, 0, 1}), 2)) << y;
    }
}

TEST_F(GlScene, TopViewShowsTheGridCentreLinesThroughTheLookAtPoint) {
    GlSceneInput in = Bare();
    in.Show.ShowGrids = true;
    in.Eye = {0, 0, 3000};
    in.Target = {0, 0, 0};
    in.LateralAngle = 270;
    in.ElevationAngle = 90;
    const plat::PixelBuffer p = Draw(in, GroundNodes{});
    const Colour centre = p.Pixel(W / 2, H / 2);
    EXPECT_NE(centre, kSky);
    for (const int d : {-60, -30, 30, 60}) {
        EXPECT_EQ(p.Pixel(W / 2 + d, H / 2), centre) << d;
        EXPECT_EQ(p.Pixel(W / 2, H / 2 + d / 2), centre) << d;
    }
    EXPECT_EQ(p.Pixel(W / 2 + 5, H / 2 + 5), kSky);
    // The centre lines' grey is the ambient only (the grid's colour material); the diffuse is
    // OpenGL's default 0.8, lit along their normal (0, 1, 0).
    EXPECT_EQ(centre, LitWith({0.5, 0.5, 0.5}, {0.8, 0.8, 0.8}, {0, 1, 0})) << std::hex << centre;
}

// Eye level with 500 ft: an antenna 50 ft up, expanded ten times, crosses the line of sight.
TEST_F(GlScene, ZScaleRaisesTheArray) {
    GlSceneInput in = Bare();
    in.Show.ShowArray = true;
    in.Eye = {-3000, 0, 500};
    in.Target = {0, 0, 500};
    in.Array.Count = 1;
    in.Array.Heights = {50, 0, 0};
    for (const float zScale : {1.0F, 10.0F}) {
        in.ZScale = zScale;
        const plat::PixelBuffer p = Draw(in, GroundNodes{});
        const Colour c = p.Pixel(W / 2, H / 2);
        const bool red = GetRValue(c) == 255 && GetGValue(c) < 64 && GetBValue(c) < 64;
        EXPECT_EQ(red, zScale == 10.0F) << zScale << " " << std::hex << c;
    }
}

// After a redraw the matrices are libGLU's for the scene's camera, made in a fresh context.
TEST_F(GlScene, MatricesAreThoseOfGluPerspectiveAndLookAt) {
    GlSceneInput in = Bare();
    in.Eye = {-1000, 200, 150};
    in.Target = {300, -50, 20};
    GroundMesh mesh;
    viewer::DrawGLScene(in, GroundNodes{}, mesh, W, H);
    std::array<double, 16> modelview{};
    std::array<double, 16> projection{};
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());

    plat::GlSurface fresh;
    ASSERT_TRUE(fresh.Create(4, 4));
    glMatrixMode(GL_PROJECTION);
    gluPerspective(35, static_cast<double>(W) / H, 10, 10000);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(-1000, 200, 150, 300, -50, 20, 0, 0, 1);
    std::array<double, 16> expectedModelview{};
    std::array<double, 16> expectedProjection{};
    glGetDoublev(GL_MODELVIEW_MATRIX, expectedModelview.data());
    glGetDoublev(GL_PROJECTION_MATRIX, expectedProjection.data());
    for (std::size_t k = 0; k < 16; ++k) {
        EXPECT_NEAR(modelview[k], expectedModelview[k], 1e-4) << k;
        EXPECT_NEAR(projection[k], expectedProjection[k], 1e-6) << k;
    }
}

} // namespace

namespace {

// Looking straight down at the runway's top from 3000 ft: the depth read back under a pixel gives
// the point of the runway there, within one pixel's ground footprint and the 16-bit depth step.
TEST_F(GlScene, UnProjectPointWithTheDepthReadBackFindsTheRunway) {
    GlSceneInput in = Bare();
    in.Show.ShowRunway = true;
    in.Eye = {-1500, 0, 3000};
    in.Target = {-1500, 0, 0};
    in.ElevationAngle = 90;
    Draw(in, GroundNodes{});
    std::array<GLint, 4> vp{};
    std::array<double, 16> mv{};
    std::array<double, 16> pr{};
    glGetIntegerv(GL_VIEWPORT, vp.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, mv.data());
    glGetDoublev(GL_PROJECTION_MATRIX, pr.data());
    const double footprint = 2 * std::tan(17.5 * M_PI / 180) * 3000 / H;
    const double depthStep = 3000.0 * 3000.0 / 10.0 / 65535.0;
    for (const auto& [x, y] : {std::pair{100.0F, 75.0F}, std::pair{95.0F, 60.0F}, std::pair{104.0F, 90.0F}}) {
        float depth = 2.0F;
        const Vector3 p = plat::UnProjectPoint(x, y, depth);
        ASSERT_LT(depth, 1.0F);
        // Where the ray under the pixel meets the runway's plane z = 0.
        std::array<double, 3> near{};
        std::array<double, 3> far{};
        gluUnProject(x, H - y, 0, mv.data(), pr.data(), vp.data(), &near[0], &near[1], &near[2]);
        gluUnProject(x, H - y, 1, mv.data(), pr.data(), vp.data(), &far[0], &far[1], &far[2]);
        const double t = near[2] / (near[2] - far[2]);
        EXPECT_NEAR(p.X, near[0] + t * (far[0] - near[0]), footprint) << x << "," << y;
        EXPECT_NEAR(p.Y, near[1] + t * (far[1] - near[1]), footprint) << x << "," << y;
        EXPECT_NEAR(p.Z, 0.0, 0.1 + depthStep) << x << "," << y;
    }
}

} // namespace

namespace {

// The array turns on colour material without choosing which material follows the colour, and every
// redraw ends by choosing the ambient only. In a fresh context the mast's red is ambient and diffuse;
// from the second redraw on the diffuse is what the last colour before that choice left, the
// (1, 0.4, 0.4) of the mark through the mast: its green and blue read 20, not 0.
TEST_F(GlScene, TheMastIsLitByTheColourMaterialStateTheRedrawFinds) {
    GlSceneInput in = Bare();
    in.Show.ShowArray = true;
    in.Eye = {-3000, 0, 500};
    in.Target = {0, 0, 500};
    in.Array.Count = 1;
    in.Array.Heights = {500, 0, 0};
    // 200 ft below the line of sight, 3000 ft away.
    const int y = H / 2 + static_cast<int>(std::lround(200.0 / 3000 / std::tan(17.5 * M_PI / 180) * H / 2));
    const Colour first = Draw(in, GroundNodes{}).Pixel(W / 2, y);
    const Colour second = Draw(in, GroundNodes{}).Pixel(W / 2, y);
    EXPECT_EQ(first, LitWith({1, 0, 0}, {1, 0, 0}, {0, 1, 0})) << std::hex << first;
    EXPECT_EQ(second, LitWith({1, 0, 0}, {1, 0.4, 0.4}, {0, 1, 0})) << std::hex << second;
    EXPECT_EQ(second, RGB(255, 20, 20));
}

// Flat ground 5 ft up (above the runway slab) over and beside the runway, seen from straight above:
// in the mesh mode a triangle wholly on the runway is black at its first corner only, so the runway's
// strip holds near-black and terrain-coloured pixels, and the ground beside it one colour.
TEST_F(GlScene, MeshTrianglesOnTheRunwayAreBlackAtOneCorner) {
    GroundNodes nodes;
    for (int j = 0; j <= 34; ++j) {
        for (int i = 0; i <= 36; ++i) {
            nodes.NodeX.push_back(static_cast<float>(-900 + 50 * i));
            nodes.NodeY.push_back(static_cast<float>(-3200 + 100 * j));
            nodes.NodeZ.push_back(5);
            nodes.NodeCut.push_back(j + 1);
        }
        nodes.CutNodeCount.push_back(37);
    }
    nodes.CutCount = 36;
    GlSceneInput in = Bare();
    in.ThreeDSource = true;
    in.Show.ExpandMesh = true;
    in.Eye = {-1500, 0, 1200};
    in.Target = {-1500, 0, 0};
    in.ElevationAngle = 90;
    for (const bool runway : {false, true}) {
        in.Show.ShowRunway = runway;
        const plat::PixelBuffer p = Draw(in, nodes);
        const Colour beside = p.Pixel(5, H / 2);
        // 5 ft at colour scale 2 lies 0.4 of the way from ramp entry 8 to entry 9; lit from above.
        const std::array<double, 3> ground{0.133 * 0.6, 0.545 * 0.6 + 0.392 * 0.4, 0.133 * 0.6};
        EXPECT_EQ(beside, LitWith(ground, ground, {0, 0, 1})) << std::hex << beside;
        int dark = 0;
        int terrain = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const Colour c = p.Pixel(x, y);
                // The runway runs up the picture; its triangles (nodes 50 ft apart) span 100 ft across,
                // about 20 pixels from 1200 ft up. Beside them the ground is one colour.
                if (std::abs(x - W / 2) > 14) {
                    ASSERT_EQ(c, beside) << x << "," << y << " runway " << runway;
                } else if (std::abs(x - W / 2) < 10) {
                    dark += GetRValue(c) < 40 && GetGValue(c) < 40 && GetBValue(c) < 40 ? 1 : 0;
                    terrain += c == beside ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(dark > 0, runway) << dark;
        EXPECT_GT(terrain, 0) << "runway " << runway;
    }
}

// Drawn in one primitive or one by one, shapes without outlines give the same picture, pixel for
// pixel, where they overlap too: triangles whatever their shape; quads that are flat and of one
// colour each (OpenGL leaves to the renderer which diagonal splits a quad, and Mesa splits a lone
// quad along the other diagonal than quads drawn together: a bent or shaded quad differs inside).
TEST_F(GlScene, ShapesInOnePrimitiveDrawAsOneByOne) {
    const auto z = [](int i, int j) {
        return static_cast<float>(40 * std::sin(i * 0.7) * std::cos(j * 0.5));
    };
    const auto corner = [&](int a, int b) {
        return Vector3{static_cast<float>(200 * b - 1200), static_cast<float>(200 * a - 1200), z(a, b)};
    };
    std::vector<plat::CornerTriangle> triangles;
    std::vector<plat::CornerQuad> quads;
    for (int j = 0; j < 12; ++j) {
        for (int i = 0; i < 12; ++i) {
            const auto colour = [&](int a, int b) { return viewer::ElevationColor(z(a, b), 2); };
            triangles.push_back({{corner(i, j), corner(i + 1, j), corner(i + 1, j + 1)},
                                 {colour(i, j), colour(i + 1, j), colour(i + 1, j + 1)}});
            // Crossing the first: lifted at one corner, black at another.
            Vector3 lifted = corner(i + 1, j + 1);
            lifted.Z += 15;
            triangles.push_back(
                {{corner(i, j), lifted, corner(i, j + 1)}, {{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}});
            // Upright flat quads above the triangles, each of one colour, nearer ones partly hiding
            // farther ones (none in the plane of another: there the depth's rounding would decide).
            const float x = static_cast<float>(300 * j - 1800 + 23 * i);
            const float y = static_cast<float>(250 * i - 1500) + static_cast<float>(j % 3) * 60;
            const Vector3 c = viewer::ElevationColor(static_cast<float>(7 * (i - j)), 1);
            quads.push_back({{{{x, y, 60}, {x, y + 400, 60}, {x, y + 400, 180}, {x, y, 180}}}, {c, c, c, c}});
        }
    }
    GlSceneInput in = Bare();
    in.Eye = {-2500, 300, 900};
    in.Target = {0, 0, 0};
    const auto picture = [&](bool batched) {
        return FreshPicture(in, [&] {
            if (batched) {
                plat::DrawGLTriangles(triangles, 0);
                plat::DrawGLQuads(quads, 0);
                return;
            }
            for (plat::CornerTriangle t : triangles) {
                plat::DrawGLTriangle(t.p[0], t.p[1], t.p[2], t.c[0], t.c[1], t.c[2], 0);
            }
            for (plat::CornerQuad q : quads) {
                plat::DrawGLQuad(q.p[0], q.p[1], q.p[2], q.p[3], q.c[0], q.c[1], q.c[2], q.c[3], 0);
            }
        });
    };
    const plat::PixelBuffer one = picture(false);
    const plat::PixelBuffer batched = picture(true);
    int drawn = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            ASSERT_EQ(batched.Pixel(x, y), one.Pixel(x, y)) << x << "," << y;
            drawn += one.Pixel(x, y) != kSky ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, W * H / 4);
}

} // namespace

namespace {

// A 30 x 30 mesh 50 ft apart, bent up to `bend` feet, over and beside the runway.
GroundNodes BentGround(float bend = 6) {
    GroundNodes nodes;
    for (int j = 0; j < 30; ++j) {
        for (int i = 0; i < 30; ++i) {
            nodes.NodeX.push_back(static_cast<float>(-750 + 50 * i));
            nodes.NodeY.push_back(static_cast<float>(-1200 + 50 * j));
            nodes.NodeZ.push_back(bend * static_cast<float>(std::sin(i * 0.4) * std::cos(j * 0.3)));
            nodes.NodeCut.push_back(j + 1);
        }
        nodes.CutNodeCount.push_back(30);
    }
    nodes.CutCount = 31;
    return nodes;
}

bool SamePicture(const plat::PixelBuffer& a, const plat::PixelBuffer& b) {
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// The window's own settings (everything but the legend and the elevation grid), with the elevation
// grid too, as mesh and as cuts: the compiled scene draws what the one-shot draw does, pixel for
// pixel, from any camera; it compiles once for the camera's moves and again for each change of what
// it holds.
TEST_F(GlScene, TheCompiledSceneDrawsAsTheOneShotAndCompilesWhenItsContentChanges) {
    const GroundNodes nodes = BentGround();
    GlSceneInput in;
    in.ThreeDSource = true;
    in.Show.ShowElevGrid = true;
    in.RunwayLength = 3000;
    in.RunwayWidth = 150;
    in.ThresholdElevation = 1;
    in.Array.Count = 3;
    in.Array.Heights = {15, 30, 45};
    in.Target = {0, 0, 0};
    viewer::CompiledGlScene compiled;
    GroundMesh compiledMesh;
    const auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        compiled.Draw(in, nodes, compiledMesh, W, H);
        plat::PixelBuffer fromList(W, H, plat::PixelFormat::Bgrx32);
        ASSERT_TRUE(surface_.CopyTo(fromList));
        // The one-shot draw in the same context, so that the state one redraw leaves the next is alike.
        EXPECT_TRUE(SamePicture(fromList, Draw(in, nodes)));
    };
    int compiles = 0;
    for (const bool mesh : {true, false}) {
        in.Show.ExpandMesh = mesh;
        for (const Vector3& eye :
             {Vector3{-1000, 0, 150}, Vector3{-300, 400, 200}, Vector3{600, -200, 900}}) {
            in.Eye = eye;
            check(mesh ? "mesh" : "cuts");
        }
        EXPECT_EQ(compiled.Compiles(), ++compiles) << "the camera compiles nothing";
    }
    struct Change {
        const char* what;
        std::function<void(GlSceneInput&)> apply;
    };
    const std::vector<Change> changes = {
        {"terrain lines", [](GlSceneInput& i) { i.Show.ShowTerrainLines = false; }},
        {"Z scale", [](GlSceneInput& i) { i.ZScale = 3; }},
        {"colour scale", [](GlSceneInput& i) { i.ColorScale = 0.5F; }},
        {"array", [](GlSceneInput& i) { i.Array.Heights[1] = 60; }},
        {"threshold elevation", [](GlSceneInput& i) { i.ThresholdElevation = 4; }},
        {"runway", [](GlSceneInput& i) { i.RunwayWidth = 300; }},
        {"profile", [](GlSceneInput& i) { i.ThreeDSource = false; }},
        {"side view", [](GlSceneInput& i) { i.SideView = true; }},
    };
    for (const Change& c : changes) {
        c.apply(in);
        check(c.what);
        EXPECT_EQ(compiled.Compiles(), ++compiles) << c.what;
        in.Eye.Z += 10;
        check(c.what);
        EXPECT_EQ(compiled.Compiles(), compiles) << c.what;
    }
    GroundNodes moved = nodes;
    moved.NodeZ[5] += 20;
    compiled.Draw(in, moved, compiledMesh, W, H);
    EXPECT_EQ(compiled.Compiles(), ++compiles) << "nodes";
    // Another surface's context has no list of this scene's: it compiles there, and again back here.
    // Each first redraw in a fresh context, the list's and the one-shot's, draws the same.
    plat::PixelBuffer there(W, H, plat::PixelFormat::Bgrx32);
    plat::PixelBuffer oneShot(W, H, plat::PixelFormat::Bgrx32);
    {
        plat::GlSurface other;
        ASSERT_TRUE(other.Create(W, H));
        compiled.Draw(in, moved, compiledMesh, W, H);
        EXPECT_EQ(compiled.Compiles(), ++compiles) << "another context";
        ASSERT_TRUE(other.CopyTo(there));
    }
    {
        plat::GlSurface fresh;
        ASSERT_TRUE(fresh.Create(W, H));
        GroundMesh oneShotMesh;
        viewer::DrawGLScene(in, moved, oneShotMesh, W, H);
        ASSERT_TRUE(fresh.CopyTo(oneShot));
    }
    EXPECT_TRUE(SamePicture(there, oneShot));
    ASSERT_TRUE(surface_.MakeCurrent());
    compiled.Draw(in, moved, compiledMesh, W, H);
    EXPECT_EQ(compiled.Compiles(), ++compiles) << "back";
}

// Triangles with their outlines, one by one and batched (all fills, then all outlines). Near the
// eye over flat ground, where the depth buffer tells the outline 0.1 ft in front of the fills, the
// pictures are the same pixel for pixel. Far off, or where the ground bends up beside an edge, the
// outline and a fill meet at one depth, and the fragment drawn first stays: one by one an outline
// goes before the fills of the triangles after it, batched after all fills; so there a pixel the
// one-by-one picture shows as outline may show as fill, never the other way round.
TEST_F(GlScene, BatchedOutlinesDifferFromOneByOneOnlyWhereTheDepthCannotOrderThem) {
    const auto trianglesOf = [](const GroundNodes& nodes) {
        GroundMesh mesh;
        const viewer::DelaunayMesh& m = mesh.For(nodes);
        std::vector<plat::CornerTriangle> triangles;
        for (const viewer::MeshTriangle& t : m.Triangles) {
            plat::CornerTriangle& tri = triangles.emplace_back();
            std::size_t k = 0;
            for (const int v : {t.First, t.Second, t.Third}) {
                const Vector3& p = m.Vertices[static_cast<std::size_t>(v)];
                tri.p[k] = {p.X, -p.Y, p.Z};
                tri.c[k] = viewer::ElevationColor(p.Z, 2);
                ++k;
            }
        }
        return triangles;
    };
    std::vector<plat::CornerTriangle> triangles;
    // The outline's grey, lit: 0.1 ambient and diffuse, whatever the normal, is darker than this.
    const auto outline = [](Colour c) { return GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64; };
    GlSceneInput in = Bare();
    in.Target = {0, 0, 0};
    const auto picture = [&](bool batched) {
        return FreshPicture(in, [&] {
            if (batched) {
                plat::DrawGLTriangles(triangles, 1);
                return;
            }
            for (plat::CornerTriangle t : triangles) {
                plat::DrawGLTriangle(t.p[0], t.p[1], t.p[2], t.c[0], t.c[1], t.c[2], 1);
            }
        });
    };
    struct View {
        Vector3 eye;
        float bend;
        bool same;
    };
    for (const View v : {View{{-30, 0, 60}, 0, true}, View{{-5000, 300, 700}, 6, false}}) {
        in.Eye = v.eye;
        triangles = trianglesOf(BentGround(v.bend));
        const plat::PixelBuffer one = picture(false);
        const plat::PixelBuffer batched = picture(true);
        int lines = 0;
        int differ = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                lines += outline(one.Pixel(x, y)) ? 1 : 0;
                if (batched.Pixel(x, y) != one.Pixel(x, y)) {
                    ++differ;
                    ASSERT_TRUE(outline(one.Pixel(x, y)) && !outline(batched.Pixel(x, y))) << x << "," << y;
                }
            }
        }
        EXPECT_GT(lines, 100);
        EXPECT_EQ(differ == 0, v.same) << differ << " of " << lines;
    }
}

} // namespace
