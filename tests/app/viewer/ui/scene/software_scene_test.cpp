#include <gtest/gtest.h>

#include <algorithm>

#include "viewer/ui/scene/SoftwareScene.h"

namespace {

using viewer::GroundNodes;
using viewer::SoftwareSceneInput;
using viewer::WireShape;

SoftwareSceneInput Scene(float eyeZ) {
    SoftwareSceneInput in;
    in.View.Eye = {-3000, 0, eyeZ};
    in.View.Target = {0, 0, 0};
    in.View.ZScale = 1;
    in.RunwayLength = 3000;
    in.RunwayWidth = 150;
    in.Array.Count = 1;
    in.Array.Heights = {100, 0, 0};
    return in;
}

int CountColour(const std::vector<WireShape>& shapes, std::int32_t colour) {
    return static_cast<int>(
        std::count_if(shapes.begin(), shapes.end(), [&](const WireShape& s) { return s.Colour == colour; }));
}

// Two cuts of two nodes each: one quad.
GroundNodes OneQuad() {
    GroundNodes nodes;
    nodes.NodeX = {-100, 100, -100, 100};
    nodes.NodeY = {500, 500, 900, 900};
    nodes.NodeZ = {0, 0, 0, 0};
    nodes.NodeCut = {1, 1, 2, 2};
    nodes.CutNodeCount = {2, 2};
    nodes.CutCount = 3;
    return nodes;
}

TEST(SoftwareScene, ElevationGridHalvesFollowTheEyeHeight) {
    struct Case {
        float eyeZ;
        bool upper;
        bool lower;
    };
    for (const Case c :
         {Case{1, true, true}, Case{3, true, false}, Case{-3, false, true}, Case{-1, true, true}}) {
        SoftwareSceneInput in = Scene(c.eyeZ);
        in.Colours.Grid2 = 0x111111;
        in.Colours.Grid3 = 0x222222;
        const auto shapes = viewer::SoftwareScene(in, GroundNodes{}, viewer::PictureScale{});
        EXPECT_EQ(CountColour(shapes, 0x111111) > 0, c.upper) << c.eyeZ;
        EXPECT_EQ(CountColour(shapes, 0x222222) > 0, c.lower) << c.eyeZ;
    }
}

TEST(SoftwareScene, TerrainOnlyFromTheCutsOfTheEditorsGrid) {
    SoftwareSceneInput in = Scene(150);
    in.ShowArray = in.ShowRunway = in.ShowGrids = false;
    in.Colours.Ground = 0x333333;
    GroundNodes profile;
    profile.NodeX = {0, 100, 200};
    profile.NodeY = {0, -100, -200};
    profile.NodeZ = {1, 2, 3};
    profile.NodeCut = {1, 1, 1};
    profile.CutCount = 3;
    EXPECT_TRUE(viewer::SoftwareScene(in, profile, viewer::PictureScale{}).empty());

    const auto shapes = viewer::SoftwareScene(in, OneQuad(), viewer::PictureScale{});
    ASSERT_EQ(shapes.size(), 8U);
    for (std::size_t k = 0; k < shapes.size(); ++k) {
        EXPECT_EQ(shapes[k].Shape, k % 2 == 0 ? WireShape::Kind::Circle : WireShape::Kind::Line);
        EXPECT_EQ(shapes[k].Colour, 0x333333);
        EXPECT_EQ(shapes[k].DrawWidth, 4);
    }
    // Each edge's mark sits at the edge's first end.
    EXPECT_FLOAT_EQ(shapes[0].X1, shapes[1].X1);
    EXPECT_FLOAT_EQ(shapes[0].Y1, shapes[1].Y1);
    EXPECT_FLOAT_EQ(shapes[2].Radius, 50);
}

TEST(SoftwareScene, ArrayMarksAndMirroredMast) {
    SoftwareSceneInput in = Scene(150);
    in.ShowRunway = in.ShowGrids = false;
    in.Array.MastY = 100;
    const auto right = viewer::SoftwareScene(in, GroundNodes{}, viewer::PictureScale{});
    ASSERT_EQ(right.size(), 3U);
    EXPECT_EQ(right[0].Shape, WireShape::Kind::Circle);
    EXPECT_EQ(right[0].Colour, viewer::kEyeColour);
    EXPECT_FLOAT_EQ(right[0].Radius, 200);
    EXPECT_EQ(right[1].Colour, 0xC0);
    EXPECT_EQ(right[1].DrawWidth, 2);
    in.Array.MastY = -100;
    const auto left = viewer::SoftwareScene(in, GroundNodes{}, viewer::PictureScale{});
    EXPECT_NEAR(left[1].X1, -right[1].X1, 1e-2);
    EXPECT_NE(right[1].X1, 0);
    in.View.Eye.Z = -150;
    EXPECT_EQ(viewer::SoftwareScene(in, GroundNodes{}, viewer::PictureScale{})[1].Colour, 0x30);
}

TEST(SoftwareScene, LinesStayInsideThePictureAndGridsKeepTheLineWidth) {
    SoftwareSceneInput in = Scene(150);
    in.StartDrawWidth = 4;
    in.ShowArray = in.ShowRunway = false;
    const viewer::PictureScale scale;
    const auto shapes = viewer::SoftwareScene(in, GroundNodes{}, scale);
    ASSERT_FALSE(shapes.empty());
    for (const WireShape& s : shapes) {
        EXPECT_EQ(s.DrawWidth, 4);
        for (const float x : {s.X1, s.X2}) {
            EXPECT_LE(x, scale.ScaleLeft + 0.5F);
            EXPECT_GE(x, scale.ScaleLeft + scale.ScaleWidth - 0.5F);
        }
        for (const float y : {s.Y1, s.Y2}) {
            EXPECT_LE(y, scale.ScaleTop + 0.5F);
            EXPECT_GE(y, scale.ScaleTop + scale.ScaleHeight - 0.5F);
        }
    }
}

} // namespace
