#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/gl/GlDrawing.h"
#include "platform/gl/GlSurface.h"
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
