// Showing and collecting the model over the window's texts, and the feet/metres display
// conversion.

#include "ModelIoFakes.h"

using namespace editors;
using namespace shell;

namespace {

TEST(ConvertDisplay, MetresAndBackWithTheFactorInSinglePrecision) {
    MainWindowTexts t;
    ProfileGrid grid(3);
    t.antenna.AntZ = {"100", "0", "-3.281"};
    t.path.ThY = "1000";
    t.flight.FltX = {"24304", "0"};
    grid.FillRow(1, "100", "-1000.00", " X ");
    grid.FillRow(2, "", "", "");
    grid.SetTextMatrix(1, 1, "100");

    ConvertDisplay(true, 7, t, grid);
    EXPECT_EQ(t.antenna.AntZ[0], "30.478514"); // 100 / 3.2809998989, 6 decimals
    EXPECT_EQ(t.antenna.AntZ[2], "-1");
    EXPECT_EQ(t.path.ThY, "304.79");
    EXPECT_EQ(t.flight.FltX[0], "7407.498");      // single precision, 6 decimals
    EXPECT_EQ(grid.TextMatrix(1, 2), "30.47851"); // single, not rounded
    EXPECT_EQ(grid.TextMatrix(1, 3), "-304.7851");
    EXPECT_EQ(grid.TextMatrix(1, 1), "100"); // the hidden X column stays
    EXPECT_EQ(grid.TextMatrix(2, 2), "");

    ConvertDisplay(false, 7, t, grid);
    EXPECT_EQ(t.antenna.AntZ[0], "100"); // 100.0000014 rounded to 5 decimals
    EXPECT_EQ(t.path.ThY, "1000.02");    // 304.79 x 3.281: two decimals lose the rest
    EXPECT_EQ(grid.TextMatrix(1, 2), "100");
    EXPECT_EQ(grid.TextMatrix(1, 3), "-1000");
}

TEST(ConvertDisplay, FlightBoxesByFlightTypeAndTextsThatAreNoNumber) {
    struct Case {
        std::uint8_t type;
        std::array<bool, 3> converted;
    };
    const std::vector<Case> cases = {{0, {false, false, false}}, {1, {true, false, false}},
                                     {2, {true, true, true}},    {3, {true, true, false}},
                                     {4, {true, true, true}},    {5, {false, false, false}},
                                     {6, {false, false, false}}, {7, {true, false, true}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        MainWindowTexts t;
        t.flight.FltX = {"3281", "6562"};
        t.flight.FltY = {"3281", "6562"};
        t.flight.FltZ = {"3281", "6562"};
        ProfileGrid grid(1);
        ConvertDisplay(true, c.type, t, grid);
        for (std::size_t row = 0; row < 2; ++row) {
            const std::array<std::string, 3> shown = {t.flight.FltX[row], t.flight.FltY[row],
                                                      t.flight.FltZ[row]};
            for (std::size_t k = 0; k < 3; ++k)
                EXPECT_EQ(shown[k],
                          c.converted[k] ? (row == 0 ? "1000" : "2000") : (row == 0 ? "3281" : "6562"));
        }
    }
    MainWindowTexts t;
    t.antenna.AntX = {"abc", "", "12"};
    ProfileGrid grid(1);
    grid.FillRow(1, "x1", " ", "");
    ConvertDisplay(true, 0, t, grid);
    EXPECT_EQ(t.antenna.AntX[0], "abc");
    EXPECT_EQ(t.antenna.AntX[1], "");
    EXPECT_EQ(grid.TextMatrix(1, 2), "x1");
    EXPECT_EQ(grid.TextMatrix(1, 3), " ");
}

TEST(UnitSwitch, CaptionsAndLengthUnit) {
    const UnitCaptions m = UnitCaptionsFor(true);
    EXPECT_EQ(m.unitLabel, "m");
    EXPECT_EQ(m.titles[0], "Ground Plane (m)");
    EXPECT_EQ(m.titles[3], "Antenna Parameters (m)");
    EXPECT_EQ(m.lengthUnit, 1);
    const UnitCaptions f = UnitCaptionsFor(false);
    EXPECT_EQ(f.titles[1], "Flight Profile (ft)");
    EXPECT_EQ(f.titles[2], "Theodolite (ft)");
    EXPECT_EQ(f.lengthUnit, 0);
}

TEST(Collect, GroundRowsCountInTwoDimensionalModeOnly) {
    MainWindowTexts t;
    ProfileGrid grid(6);
    grid.FillRow(1, "0", "0", " X ");
    grid.FillRow(2, "100", "", " X ");
    grid.FillRow(3, "200", "2", "");
    grid.FillRow(4, "300", "3", " X"); // after a gap: counts too
    ModelVariables m;
    m.NumGroundPts = 9;
    t.mnuUse3D = true;
    CollectParameters(t, grid, m);
    EXPECT_EQ(m.NumGroundPts, 9);
    EXPECT_EQ(grid.TextMatrix(1, 1), "");

    t.mnuUse3D = false;
    CollectParameters(t, grid, m);
    EXPECT_EQ(m.NumGroundPts, 2);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(grid.TextMatrix(r, 1), "0.000");
    EXPECT_EQ(grid.TextMatrix(5, 1), "");
    EXPECT_TRUE(grid.Redraw());
}

TEST(Collect, MetresShownAreCollectedAsFeetAnglesAsTheyStand) {
    MainWindowTexts t;
    ProfileGrid grid(1);
    t.mnuUseSI = true;
    t.mnuUse3D = true;
    t.numAntsOption = 0;
    t.antenna.AntX = {"1", "2", "3"};
    t.antenna.AntY = {"10", "20", "30"};
    t.antenna.AntAtten = {"1.5", "0", "0"};
    t.path.ThZ = "2";
    t.flightListText = "1 - Constant Radius";
    t.flight.FltX = {"1000", "0"};
    t.flight.FltY = {"0.5", "90"};
    t.flight.FltZ = {"3", "0"};
    ModelVariables m;
    CollectParameters(t, grid, m);
    EXPECT_EQ(m.NumAnts, 1);
    EXPECT_FLOAT_EQ(m.RefAntX, 3 * 3.281F); // box 2 with one antenna
    EXPECT_FLOAT_EQ(m.RefAntY, 30 * 3.281F);
    EXPECT_FLOAT_EQ(m.Ant(2).X, 2 * 3.281F);
    EXPECT_FLOAT_EQ(m.Ant(1).Atten, 1.5F);
    EXPECT_FLOAT_EQ(m.ThZ, 2 * 3.281F);
    EXPECT_EQ(m.FlightType, 1);
    EXPECT_FLOAT_EQ(m.FltPoint1.X, 3281);
    EXPECT_FLOAT_EQ(m.FltPoint1.Y, 0.5F);
    EXPECT_FLOAT_EQ(m.FltPoint2.Y, 90);
    EXPECT_FLOAT_EQ(m.FltPoint1.Z, 3);
}

// A model as a file of flight type `type` leaves it, shown in a window that started up with the
// first flight item selected.
struct Shown {
    ModelVariables m;
    FakeMainWindow w{m};
    explicit Shown(std::uint8_t type, std::uint8_t numAnts = 3) {
        m.NumAnts = numAnts;
        m.FlightType = type;
        m.PlotOn = 1;
        m.XAxisVar = 4;
        m.YAxisVar = 9;
        m.FltPoint1 = {1, 2, 3};
        m.FltPoint2 = {4, 5, 6};
        m.FltNumPoints = 11;
        for (int k = 1; k <= 3; ++k) {
            m.Ant(k).Z = static_cast<float>(10 * k);
            m.Ant(k).Atten = static_cast<float>(k);
        }
        w.texts.flightListText = kFlightItems[0];
        ShowParameters(m, w);
    }
};

TEST(Show, FlightTypeKeepsTheModelsOutputSelectionAndPoints) {
    struct Case {
        std::uint8_t type;
        std::uint8_t shown;
        int listIndex;
    };
    for (const Case& c : std::vector<Case>{
             {1, 1, 0}, {2, 2, 1}, {3, 3, 2}, {4, 4, 3}, {7, 7, 4}, {9, 7, 4}, {5, 5, -1}, {6, 6, -1}}) {
        SCOPED_TRACE(static_cast<int>(c.type));
        Shown s(c.type);
        EXPECT_EQ(s.w.flightIndex, c.listIndex);
        EXPECT_EQ(s.m.FlightType, c.shown);
        EXPECT_EQ(s.m.PlotFlightType, c.shown);
        EXPECT_EQ(s.w.captionsFor, c.shown);
        EXPECT_EQ(s.m.PlotOn, 1);
        EXPECT_EQ(s.m.XAxisVar, 4);
        EXPECT_EQ(s.m.YAxisVar, 9);
        EXPECT_EQ(s.w.texts.flight.FltY[0], "2");
        EXPECT_EQ(s.w.texts.flight.FltZ[1], "6");
        EXPECT_EQ(s.w.texts.flight.FltNumPoints, "11");

        // Collected again, the flight type is the one shown, the list's or the model's own.
        ProfileGrid grid(1);
        s.w.texts.mnuUse3D = true;
        CollectParameters(s.w.texts, grid, s.m);
        EXPECT_EQ(s.m.FlightType, c.shown);
    }
}

TEST(Show, TwoAntennasFillColumnsZeroAndTwoAdjustmentsAllThree) {
    Shown s(3, 2);
    const AntennaPanelTexts& a = s.w.texts.antenna;
    EXPECT_EQ(s.w.texts.numAntsOption, 1);
    EXPECT_EQ(a.AntZ[0], "10.0");
    EXPECT_EQ(a.AntZ[2], "30.0");
    EXPECT_EQ(a.AntZ[1], "30.0"); // the idle column copies the upper one
    EXPECT_EQ(a.AntAtten[1], "2.0");
    EXPECT_EQ(a.SBOPowerAdj, "0.0");
    EXPECT_EQ(s.w.texts.path.ThPathAngle, "0");
}

TEST(Show, OneAntennaIsTheReferenceWhateverTheIdleColumnsHeld) {
    ModelVariables m;
    m.NumAnts = 1;
    m.Ant(1).Y = 250;
    m.Ant(1).Z = 12;
    FakeMainWindow w(m);
    w.texts.antenna.AntY = {"0", "900", "1005.5"};
    ShowParameters(m, w);
    EXPECT_EQ(w.texts.antenna.AntY[2], "250.0");
    EXPECT_EQ(w.texts.antenna.AntZ[1], "12.0");
    ProfileGrid grid(1);
    w.texts.mnuUse3D = true;
    CollectParameters(w.texts, grid, m);
    EXPECT_FLOAT_EQ(m.RefAntY, 250);
}

} // namespace
