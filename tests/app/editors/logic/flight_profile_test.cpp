#include "editors/logic/FlightProfile.h"

#include <gtest/gtest.h>

#include <string>

using namespace editors;
using namespace shell;

namespace {

TEST(FlightProfile, EachKindLoadsItsDefaultsAndOutputSelection) {
    struct Case {
        int listIndex;
        std::uint8_t type;
        std::array<const char*, 6> points; // X(0), Y(0), Z(0), X(1), Y(1), Z(1)
        std::uint8_t plotXUnit, plotOn, xAxisVar, yAxisVar;
    };
    const Case cases[] = {
        // Elevation 0 to 90 degrees at the azimuth 0 of the start box, which the end box holds too.
        {0, 1, {"24304.00", "0.00", "0", "0.00", "90.00", "0"}, 2, 2, 2, 1},
        {1, 2, {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, 0, 2, 2, 1},
        {2, 3, {"0.00", "30380.00", "3.00", "0.00", "0.00", "0.00"}, 1, 2, 1, 2},
        {3, 4, {"0.00", "42954.38", "1500.00", "0.00", "17145.07", "1500.00"}, 2, 2, 2, 1},
        {4, 7, {"24304.00", "-25.00", "1500.00", "0.00", "25.00", "1500.00"}, 2, 2, 5, 1},
    };
    for (const Case& c : cases) {
        for (std::uint8_t useDefaults : {1, 0}) {
            SCOPED_TRACE(std::to_string(c.listIndex) + (useDefaults ? " defaults" : " no defaults"));
            FlightPanelTexts t;
            t.FltNumPoints = "55";
            ModelVariables m;
            ChooseFlightKind(c.listIndex, useDefaults, false, t, m);
            EXPECT_EQ(m.FlightType, c.type);
            EXPECT_EQ(m.PlotFlightType, c.type);
            EXPECT_EQ(m.PlotSettings.PlotXUnit, c.plotXUnit);
            EXPECT_EQ(m.PlotOn, c.plotOn);
            EXPECT_EQ(m.XAxisVar, c.xAxisVar);
            EXPECT_EQ(m.YAxisVar, c.yAxisVar);
            const std::array<std::string, 6> shown{t.FltX[0], t.FltY[0], t.FltZ[0],
                                                   t.FltX[1], t.FltY[1], t.FltZ[1]};
            for (std::size_t i = 0; i < 6; ++i)
                EXPECT_EQ(shown[i], useDefaults ? c.points[i] : "0.00") << "box " << i;
            EXPECT_EQ(t.FltNumPoints, "55");
        }
    }
}

TEST(FlightProfile, MetresShownConvertTheLoadedLengthsOnly) {
    FlightPanelTexts t;
    ModelVariables m;
    ChooseFlightKind(2, 1, true, t, m);
    EXPECT_EQ(t.FltY[0], "9259.372143");
    EXPECT_EQ(t.FltZ[0], "3.00"); // an angle
    EXPECT_EQ(t.FltX[0], "0");

    ChooseFlightKind(4, 1, true, t, m); // orbit: X and Z are lengths, Y an azimuth
    EXPECT_EQ(t.FltX[0], "7407.497714");
    EXPECT_EQ(t.FltY[0], "-25.00");
    EXPECT_EQ(t.FltZ[1], "457.17769");
}

TEST(FlightProfile, PanelStateByFlightType) {
    const BoxState on{true, 0xFFFFFF};
    const BoxState off{false, 0xC0C0C0};
    const BoxState dark{false, 0};
    struct Case {
        std::uint8_t type;
        std::array<std::string, 3> captions;
        BoxState row0, x1, y1, z1, conv0, conv1;
        std::optional<bool> convert;
        std::array<bool, 3> angles;
    };
    const Case cases[] = {
        {0, {"X", "Y", "Z"}, on, on, on, on, on, {false, 0xFFFFFF}, true, {}},
        // The engine sweeps its elevation (the Y places) from Y(0) to Y(1) at the azimuth Z(0).
        {1, {"Radius", "Elev. Ang", "Azim. Ang"}, on, off, on, off, off, off, false, {false, true, true}},
        {2, {"X", "Y", "Z"}, on, on, on, on, on, on, true, {}},
        {3, {"X", "Y", "Elev. Ang."}, on, on, on, off, on, on, true, {false, false, true}},
        {6, {"X", "Y", "Elev. Ang."}, on, on, on, off, on, on, true, {false, false, true}},
        {4, {"X", "Y", "Z"}, on, on, on, on, on, on, true, {}},
        {5, {"X", "Y", "Z"}, on, on, on, on, on, on, true, {}},
        {7, {"Radius", "Az. Angle", "Flight Lvl"}, on, off, on, off, off, off, false, {false, true, false}},
        {8, {"", "", ""}, dark, dark, dark, dark, dark, dark, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type));
        const FlightPanelState s = UpdateConverterCaptions(c.type);
        EXPECT_EQ(s.Captions, c.captions);
        EXPECT_EQ(s.Row0, c.row0);
        EXPECT_EQ(s.X1, c.x1);
        EXPECT_EQ(s.Y1, c.y1);
        EXPECT_EQ(s.Z1, c.z1);
        EXPECT_EQ(s.ConverterRow0, c.conv0);
        EXPECT_EQ(s.ConverterRow1, c.conv1);
        EXPECT_EQ(s.ConvertEnabled, c.convert);
        EXPECT_EQ(s.AngleColumns, c.angles);
    }
}

TEST(FlightProfile, ConverterCombinations) {
    struct Case {
        const char* az;
        const char* el;
        const char* range;
        const char* alt;
        const char* x;
        const char* y;
        const char* z;
    };
    const Case cases[] = {
        // A: azimuth, elevation, range (the altitude plays no part).
        {"30", "3", "1000", "77", "500", "866.0254", "52.40778"},
        // B: azimuth, altitude, range; k is not exactly a degree, so Y is tiny, not 0.
        {"90", "", "1000", "50", "1000", "2.948966E-07", "50"},
        // C: azimuth, elevation, altitude.
        {"0", "3", "", "100", "0", "1908.114", "100"},
        // D: elevation, range.
        {"", "45", "100", "", "0", "100", "100"},
        // E: elevation, altitude.
        {"", "45", "", "100", "0", "100", "100"},
        // Nothing usable: all three 0; texts without a number count as 0.
        {"", "", "", "", "0", "0", "0"},
        {"", "", "5", "", "0", "0", "0"},
        {" ", "abc", "1000", "", "0", "1000", "0"},
    };
    for (const Case& c : cases) {
        for (int row : {0, 1}) {
            SCOPED_TRACE(std::string(c.az) + "/" + c.el + "/" + c.range + "/" + c.alt);
            FlightPanelTexts t;
            const auto r = static_cast<std::size_t>(row);
            t.FltAz[r] = c.az;
            t.FltEl[r] = c.el;
            t.FltRange[r] = c.range;
            t.FltAlt[r] = c.alt;
            ConvertPoint(row, t);
            EXPECT_EQ(t.FltX[r], c.x);
            EXPECT_EQ(t.FltY[r], c.y);
            EXPECT_EQ(t.FltZ[r], c.z);
            EXPECT_EQ(t.FltX[1 - r], "0.00"); // the other row stays
            EXPECT_EQ(t.FltAz[r], c.az);      // inputs are never written
        }
    }
}

TEST(FlightProfile, ConverterLeavesThePointAtZeroElevation) {
    for (const char* az : {"", "45"}) {
        FlightPanelTexts t;
        t.FltX[0] = "1";
        t.FltY[0] = "2";
        t.FltZ[0] = "3";
        t.FltAz[0] = az;
        t.FltEl[0] = "0";
        t.FltAlt[0] = "100";
        ConvertPoint(0, t);
        EXPECT_EQ(t.FltX[0], "1");
        EXPECT_EQ(t.FltY[0], "2");
        EXPECT_EQ(t.FltZ[0], "3");
    }
}

TEST(FlightProfile, NumberOfPointsIsAWholeNumberFromTwoTo201) {
    struct Case {
        const char* typed;
        const char* validated;
        const char* whole;
    };
    const Case cases[] = {
        {"250", "201", "201"},     {"201", "201", "201"},     {"", "201", "201"},    {"200", "200", "200"},
        {"2", "2", "2"},           {"1", "1", "2"},           {"0", "0", "2"},       {"-5", "-5", "2"},
        {"150.5", "150.5", "150"}, {"151.5", "151.5", "152"}, {"7.0", "7.0", "7.0"}, {"1e999", "201", "201"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidateNumPointsText(c.typed), c.validated) << c.typed;
        EXPECT_EQ(WholeNumPointsText(c.validated), c.whole) << c.typed;
    }
}

TEST(FlightProfile, ListPositionsGiveTheKindCodes) {
    const std::uint8_t expected[] = {1, 2, 3, 4, 7};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(FlightTypeOfListIndex(i), expected[i]);
    EXPECT_EQ(FlightTypeOfListIndex(-1), 0);
}

} // namespace
