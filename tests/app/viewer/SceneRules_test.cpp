#include "viewer/logic/SceneGeometry.h"
#include "viewer/logic/SceneRules.h"

#include <gtest/gtest.h>

#include <vector>

using common::MakeVector;
using common::Vector3;
using namespace viewer;

namespace {

void ExpectColour(const Vector3& c, float r, float g, float b) {
    EXPECT_NEAR(c.X, r, 1e-6);
    EXPECT_NEAR(c.Y, g, 1e-6);
    EXPECT_NEAR(c.Z, b, 1e-6);
}

TEST(SceneGeometry, ElevationColour) {
    ExpectColour(ElevationColor(0, 1), 0.235F, 0.702F, 0.443F);
    ExpectColour(ElevationColor(50, 1), 1, 1, 1);
    ExpectColour(ElevationColor(-50, 1), 0, 0, 0);
    ExpectColour(ElevationColor(25.0F / 7, 1), (0.235F + 0.133F) / 2, (0.702F + 0.545F) / 2, (0.443F + 0.133F) / 2);
    ExpectColour(ElevationColor(25, 0), 0.235F, 0.702F, 0.443F);
    ExpectColour(ElevationColor(1e30F, 1), 1, 1, 1);
    ExpectColour(ElevationColor(-300.0F / 7, 1), 0, 0, 0);
}

TEST(SceneGeometry, PolygonLineAndDistances) {
    const std::vector<Vector3> square = {MakeVector(0, 0, 0), MakeVector(1, 0, 0), MakeVector(1, 1, 0),
                                         MakeVector(0, 1, 0)};
    struct Case {
        float x;
        float y;
        bool inside;
    };
    for (const Case& c : std::vector<Case>{{0.5F, 0.5F, true}, {1.5F, 0.5F, false}, {0.5F, 0, true}, {0.5F, 1, false}})
        EXPECT_EQ(PointInPolygon(c.x, c.y, square), c.inside) << c.x << " " << c.y;
    EXPECT_FALSE(PointInPolygon(0, 0, {}));

    const Vector3 up = MakeVector(0, 0, 1);
    EXPECT_EQ(IntersectLinePlane(MakeVector(0, 0, 0), up, MakeVector(0, 0, 5), MakeVector(1, 0, 5)),
              MakeVector(kNoIntersection, kNoIntersection, kNoIntersection));
    EXPECT_EQ(IntersectLinePlane(MakeVector(3, 4, 0), up, MakeVector(3, 4, 0), MakeVector(3, 5, 7)), MakeVector(3, 4, 0));
    EXPECT_EQ(IntersectLinePlane(MakeVector(0, 0, 0), up, MakeVector(0, 0, 10), MakeVector(2, 4, 5)),
              MakeVector(4, 8, 0));

    EXPECT_FLOAT_EQ(ScaledDistance(MakeVector(0, 0, 0), MakeVector(3, 4, 0), 2), 2.5F);
    EXPECT_EQ(PointAlongLine(2, MakeVector(0, 0, 10), MakeVector(0, 0, 0), 3), MakeVector(0, 0, 6));
    EXPECT_EQ(PointAlongLine(2, MakeVector(1, 1, 1), MakeVector(1, 1, 1), 3), MakeVector(1, 1, 1));
}

TEST(SceneRules, ArrayFromTheAntennaBoxes) {
    struct Case {
        int index;
        float mastX;
        float mastY;
        int count;
        std::array<float, 3> heights;
    };
    const std::vector<Case> cases = {
        {0, -10, -100, 1, {1, 0, 0}},
        {1, -30, -300, 2, {1, 3, 0}},
        {2, -20, -200, 3, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        AntennaBoxes boxes;
        boxes.NumAntsIndex = c.index;
        boxes.X = {"100", "200", "300"};
        boxes.Y = {"10", "20", "30"};
        boxes.Z = {"1", "2", "3"};
        const ArrayLayout layout = ReadArray(boxes);
        EXPECT_EQ(layout.MastX, c.mastX);
        EXPECT_EQ(layout.MastY, c.mastY);
        EXPECT_EQ(layout.Count, c.count);
        EXPECT_EQ(layout.Heights, c.heights);
    }
    AntennaBoxes empty;
    empty.NumAntsIndex = 1;
    ReadArray(empty);
    EXPECT_EQ(empty.X, (std::array<std::string, 3>{"", "", "0"}));
    EXPECT_EQ(empty.Z, (std::array<std::string, 3>{"0", "", "0"}));
}

TEST(SceneRules, Legend) {
    struct Case {
        bool grids;
        bool side;
        bool elev;
        const char* text;
    };
    const std::vector<Case> cases = {
        {true, true, true, "Grid = 500'x50'"},       {true, true, false, "Grid = 500'"},
        {true, false, true, "Grid = 500'x500'x50'"}, {true, false, false, "Grid = 500'x500'"},
        {false, true, true, "Grid = 50'"},           {false, false, true, "Grid = 50'"},
        {false, true, false, "Grid = Off"},          {false, false, false, "Grid = Off"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LegendText(c.grids, c.side, c.elev), c.text);
}

} // namespace
