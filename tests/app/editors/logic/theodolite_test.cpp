#include "editors/logic/Theodolite.h"

#include <gtest/gtest.h>

using namespace editors;

namespace {

TEST(Theodolite, ValidateGuardsTheThreePositionBoxes) {
    TheodoliteTexts path;
    path.ThX = "";
    path.ThY = " 12 ";
    path.ThZ = "5m";
    path.ThPathAngle = "abc";
    ValidateTheodolite(path);
    EXPECT_EQ(path.ThX, "0");
    EXPECT_EQ(path.ThY, " 12 ");
    EXPECT_EQ(path.ThZ, "0");
    EXPECT_EQ(path.ThPathAngle, "abc"); // the path boxes have guards of their own
}

TEST(Theodolite, CalculatePlacesTheTheodoliteTowardTheOrigin) {
    struct Case {
        std::uint8_t numAnts;
        ColumnTexts x, y;
        const char* height;
        const char* angle;
        const char* thX;
        const char* thY;
    };
    const Case cases[] = {
        // The middle antenna is the reference with three antennas: 95.41 closer to the origin.
        {3, {"9", "400", "9"}, {"9", "1000", "9"}, "5", "3", "364.57", "911.42"},
        // With two antennas the lower column is, whatever the upper one holds.
        {2, {"400", "7", "123"}, {"1000", "7", "456"}, "5", "3", "364.57", "911.42"},
        {1, {"400", "7", "7"}, {"1000", "7", "7"}, "5", "3", "364.57", "911.42"},
        // An empty height becomes "0": the theodolite lands on the antenna.
        {3, {"0", "400", "0"}, {"0", "1000", "0"}, "", "3", "400.00", "1000.00"},
        // Path angle 0 leaves the point; an antenna at the origin gives 0, 0.
        {3, {"0", "400", "0"}, {"0", "1000", "0"}, "5", "0", "400.00", "1000.00"},
        {3, {"0", "0", "0"}, {"0", "0", "0"}, "5", "3", "0.00", "0.00"},
        // A negative height moves the point away from the origin.
        {3, {"0", "0", "0"}, {"0", "1000", "0"}, "-5", "3", "0.00", "1095.41"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thY);
        AntennaPanelTexts antennas;
        antennas.AntX = c.x;
        antennas.AntY = c.y;
        TheodoliteTexts path;
        path.ThZ = c.height;
        path.ThPathAngle = c.angle;
        CalculateTheodolite(antennas, path, c.numAnts);
        EXPECT_EQ(path.ThX, c.thX);
        EXPECT_EQ(path.ThY, c.thY);
        EXPECT_EQ(path.ThZ, c.height[0] ? c.height : "0");
        EXPECT_EQ(antennas.AntX, c.x);
    }
}

} // namespace
